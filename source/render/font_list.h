#pragma once
// The font list file "fonts_to_load.xml": one entry per font (".ttf" name without extension and
// the size that divides the screen width into the font's pixel height), and the font key.
#include <cstdint>
#include <string>
#include <vector>

struct FontListEntry {
    std::string name;
    std::uint32_t size = 0;
    // When not 0, the font's pixel height whatever the screen's width (a face the program
    // names itself, never one of the list file).
    std::uint32_t pixelHeight = 0;
};

// Entries in file order; empty when the file doesn't load or its root isn't "fonts".
std::vector<FontListEntry> readFontList(const std::string& path);

// name + "_" + size, e.g. "EBGaramond-Regular_48".
std::string fontKey(const std::string& name, std::uint32_t size);

// Screen width / size; 0 for size 0.
std::uint32_t fontPixelSize(std::uint32_t screenWidth, std::uint32_t size);

// An entry's key: fontKey of its name and size, or name + "_" + pixel height + "px" for an
// entry of a fixed pixel height (e.g. "DejaVuSans_32px").
std::string fontEntryKey(const FontListEntry& entry);
// An entry's pixel height on a screen of that width.
std::uint32_t fontEntryPixelSize(const FontListEntry& entry, std::uint32_t screenWidth);
