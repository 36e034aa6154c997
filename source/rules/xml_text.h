#pragma once
// Text that a saved character file must hold exactly: the control characters XML 1.0 cannot
// carry are dropped before they reach the record or the file.
#include <string>

// The text without the control characters XML 1.0 forbids (all below 0x20 except tab, line
// feed and carriage return). Program text is Windows-1252, so every other byte is allowed.
std::string xmlSafeText(const std::string& text);
// Drops the forbidden characters in place; true when something was dropped.
bool makeXmlSafe(std::string& text);
