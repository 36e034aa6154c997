#pragma once
// The font list file "fonts_to_load.xml": one entry per font (".ttf" name without extension and
// the size that divides the screen width into the font's pixel height), and the font key.
#include <cstdint>
#include <string>
#include <vector>

struct FontListEntry {
    std::string name;
    std::uint32_t size = 0;
};

// Entries in file order; empty when the file doesn't load or its root isn't "fonts".
std::vector<FontListEntry> readFontList(const std::string& path);

// name + "_" + size, e.g. "EBGaramond-Regular_48".
std::string fontKey(const std::string& name, std::uint32_t size);

// Screen width / size; 0 for size 0.
std::uint32_t fontPixelSize(std::uint32_t screenWidth, std::uint32_t size);
