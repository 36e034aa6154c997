#pragma once
// Opening one font list entry as a sized FreeType face, refusing the entries that can't work.
#include <cstdint>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "render/font_list.h"

// Opens folder + name + ".ttf" at that pixel height (72 dpi, so points are pixels). A pixel size
// of 0 (an entry of size 0, or larger than the screen is wide) or a file FreeType can't open is
// logged, naming the font by its key, and gives null.
FT_Face openFontFace(FT_Library library, const std::string& folder, const std::string& name, const std::string& key,
                     std::uint32_t pixelSize);
