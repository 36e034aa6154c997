#include "platform/text_encoding.h"

#include <array>
#include <cstdint>

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves undefined,
// which map to the C1 control of the same value.
constexpr std::array<std::uint16_t, 32> high = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::uint32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && high[byte - 0x80] != 0) return high[byte - 0x80];
    return byte;
}

int byteOf(std::uint32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < high.size(); ++i) {
        if (high[i] == codePoint) return static_cast<int>(0x80 + i);
    }
    if (codePoint >= 0x80 && codePoint <= 0x9F && high[codePoint - 0x80] == 0) return static_cast<int>(codePoint);
    return -1;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when malformed.
std::size_t decode(std::string_view text, std::size_t i, std::uint32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    std::uint32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

bool isValidUtf8(std::string_view text) {
    std::uint32_t cp;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = decode(text, i, cp);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::uint32_t cp;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = decode(utf8, i, cp);
        if (length == 0) {
            out += '?';
            i += 1;
            continue;
        }
        const int byte = byteOf(cp);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        i += length;
    }
    return out;
}

std::string utf8ToWindows1252Dropping(std::string_view utf8) {
    std::string out;
    std::uint32_t cp;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = decode(utf8, i, cp);
        if (length == 0) {
            i += 1;
            continue;
        }
        if (const int byte = byteOf(cp); byte >= 0) out += static_cast<char>(byte);
        i += length;
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::u32string fileTextToCharacters(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    if (isValidUtf8(bytes)) {
        std::uint32_t cp;
        for (std::size_t i = 0; i < bytes.size();) {
            i += decode(bytes, i, cp);
            out += static_cast<char32_t>(cp);
        }
    } else {
        for (char c : bytes) out += static_cast<char32_t>(codePointOf(static_cast<unsigned char>(c)));
    }
    return out;
}

int windows1252ByteOf(char32_t character) { return byteOf(character); }

} // namespace platform
