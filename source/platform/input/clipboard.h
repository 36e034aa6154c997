#pragma once
// The system clipboard's text, as the program's Windows-1252 text.
#include <string>

namespace platform {

// Empty when the clipboard holds no text (or there is no video system to ask).
std::string clipboardText();

} // namespace platform
