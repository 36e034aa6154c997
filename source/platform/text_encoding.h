#pragma once
// Conversions between the program's single-byte Windows-1252 strings and UTF-8 at its edges.
#include <string>
#include <string_view>

namespace platform {

bool isValidUtf8(std::string_view text);
// UTF-8 to Windows-1252; characters the code page lacks become '?'.
std::string utf8ToWindows1252(std::string_view utf8);
// UTF-8 to Windows-1252 for typed text: characters the code page lacks, and malformed bytes, are
// left out rather than turned into '?'.
std::string utf8ToWindows1252Dropping(std::string_view utf8);
std::string windows1252ToUtf8(std::string_view text);
// Text read from a file: valid UTF-8 is converted, anything else is taken as Windows-1252 already.
std::string fileTextToWindows1252(std::string_view bytes);

} // namespace platform
