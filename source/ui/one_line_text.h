#pragma once
// Keeping a text to one line of a box: whole when it fits, else cut with "..." at the box or
// drawn at a smaller size of the main font.
#include <string>
#include <vector>

class RenderInterface;

// The text when it fits width (clip units) on one line in the font, else its first characters
// followed by "..." as many as fit with it; markup is kept and never cut through.
std::string cutWithEllipsis(const RenderInterface* renderInterface, const std::string& fontKey,
                            const std::string& text, float width);

// The main font and its bold partner, or the largest smaller size of them at which text fits
// width (clip units) on one line; the smallest size when none does. bold is empty when the font
// list has no bold font at that size.
struct FittingFonts {
    std::string regular;
    std::string bold;
};
FittingFonts fontsThatFit(const RenderInterface* renderInterface, const std::string& text, float width);
