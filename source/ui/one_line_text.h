#pragma once
// Keeping a text to one line of a box: whole when it fits, else cut with "..." at the box.
#include <string>

class RenderInterface;

// The text when it fits width (clip units) on one line in the font, else its first characters
// followed by "..." as many as fit with it; markup is kept and never cut through.
std::string cutWithEllipsis(const RenderInterface* renderInterface, const std::string& fontKey,
                            const std::string& text, float width);
