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
// The characters of one text read from a file: valid UTF-8 is decoded, anything else is taken
// byte by byte as Windows-1252. Deciding per text keeps a valid "Ald\xC3\xA9n" intact even when
// another text of the same file holds a stray byte.
std::u32string fileTextToCharacters(std::string_view bytes);
// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int windows1252ByteOf(char32_t character);

} // namespace platform
