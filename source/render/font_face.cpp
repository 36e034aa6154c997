#include "render/font_face.h"

#include "app/log.h"
#include "platform/paths.h"

FT_Face openFontFace(FT_Library library, const std::string& folder, const std::string& name, const std::string& key,
                     std::uint32_t pixelSize) {
    if (pixelSize == 0) {
        LOG_MESSAGE("Skipping font %s: its size gives no pixel height", key.c_str());
        return nullptr;
    }
    const std::string path = platform::resolvePath(folder + name + ".ttf");
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        LOG_MESSAGE("Skipping font %s: unable to open %s", key.c_str(), path.c_str());
        return nullptr;
    }
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(pixelSize) * 64, 72, 72) != 0) {
        LOG_MESSAGE("Skipping font %s: unable to size it to %u pixels", key.c_str(), pixelSize);
        FT_Done_Face(face);
        return nullptr;
    }
    return face;
}
