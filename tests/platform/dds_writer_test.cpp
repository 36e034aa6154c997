// Writing DDS files: what is written parses back as the same pixels, plain and cube; the shipped
// 3D textures painted at build time are such files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/gfx/dds_file.h"
#include "platform/image/dds_writer.h"
#include "platform/image/image_file.h"
#include "support/temp_folder.h"

namespace {

bool parseFile(const std::string& path, std::string& bytes, gfx::DdsImage& parsed) {
    std::string error;
    if (!platform::readWholeFile(path, bytes)) return false;
    const bool ok = gfx::parseDds(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), parsed, error);
    EXPECT_TRUE(ok) << path << ": " << error;
    return ok;
}

image::Image gradient(int width, int height, uint32_t seed) {
    image::Image picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.at(x, y) = 0x80000000u | seed << 16 | uint32_t(x) << 8 | uint32_t(y);
    return picture;
}

TEST(DdsWriter, PlainAndCubeFilesReadBackPixelForPixel) {
    TempFolder folder;
    for (size_t count : {size_t(1), size_t(6)}) {
        std::vector<image::Image> faces;
        for (size_t f = 0; f < count; ++f) faces.push_back(gradient(8, count == 1 ? 4 : 8, uint32_t(f + 1)));
        const std::string path = folder.path() + "picture.dds";
        std::string error;
        ASSERT_TRUE(image::saveDdsFile(path, faces, &error)) << error;
        std::string bytes;
        gfx::DdsImage parsed;
        ASSERT_TRUE(parseFile(path, bytes, parsed));
        EXPECT_EQ(parsed.format, gfx::Format::A8R8G8B8);
        EXPECT_EQ(parsed.cubeMap, count == 6);
        EXPECT_EQ(parsed.faces, count);
        ASSERT_EQ(parsed.levels.size(), 1u);
        for (size_t f = 0; f < count; ++f) {
            std::vector<uint32_t> pixels(faces[f].argb.size());
            std::memcpy(pixels.data(), parsed.levelData(uint32_t(f), 0), pixels.size() * 4);
            EXPECT_EQ(pixels, faces[f].argb) << "face " << f;
        }
    }
}

TEST(DdsWriter, RefusesWhatIsNoTextureAndKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder.path() + "kept.dds";
    ASSERT_TRUE(platform::writeFileAtomically(path, "old"));
    const std::vector<std::pair<const char*, std::vector<image::Image>>> cases = {
        {"no picture", {}},
        {"two pictures", {gradient(4, 4, 1), gradient(4, 4, 2)}},
        {"empty picture", {image::Image()}},
        {"cube faces that are not square", std::vector<image::Image>(6, gradient(8, 4, 1))},
        {"cube faces of two sizes", {gradient(4, 4, 1), gradient(4, 4, 1), gradient(4, 4, 1), gradient(4, 4, 1),
                                     gradient(4, 4, 1), gradient(8, 8, 1)}},
    };
    for (const auto& [what, faces] : cases) {
        std::string error;
        EXPECT_FALSE(image::saveDdsFile(path, faces, &error)) << what;
        EXPECT_FALSE(error.empty()) << what;
    }
    std::string kept;
    ASSERT_TRUE(platform::readWholeFile(path, kept));
    EXPECT_EQ(kept, "old");
}

TEST(DdsWriter, JpegFilesReadBackCloseToThePicture) {
    TempFolder folder;
    const std::string path = folder.path() + "flat.jpg";
    ASSERT_TRUE(image::saveJpegFile(path, image::Image(16, 16, 0xFF4080C0u), 95));
    image::Image back;
    ASSERT_TRUE(image::loadImageFile(path, back));
    ASSERT_EQ(back.width, 16);
    const uint32_t pixel = back.at(8, 8);
    EXPECT_NEAR(int(pixel >> 16 & 255), 0x40, 4);
    EXPECT_NEAR(int(pixel >> 8 & 255), 0x80, 4);
    EXPECT_NEAR(int(pixel & 255), 0xC0, 4);
}

TEST(DdsWriter, ThePaintedTexturesOfThe3DDataAreTexturesOfTheirKinds) {
    const std::string root = std::string(ZODERUD_SOURCE_DIR) + "/Data/graphics/3d/";
    for (const char* folder : {"meshes/dynamic/", "meshes/static/"})
        for (const char* detail : {"large_tex/", "medium_tex/", "small_tex/"})
            for (const char* file : {"atlas_texture0.dds", "atlas_normal_texture0.dds"}) {
                std::string bytes;
                gfx::DdsImage parsed;
                ASSERT_TRUE(parseFile(root + folder + detail + file, bytes, parsed)) << folder << detail << file;
                EXPECT_FALSE(parsed.cubeMap);
            }
    std::string bytes;
    gfx::DdsImage environment;
    ASSERT_TRUE(parseFile(root + "global/grassenvmap1024.dds", bytes, environment));
    EXPECT_TRUE(environment.cubeMap);
    image::Image crate;
    EXPECT_TRUE(image::loadImageFile(root + "global/crate.jpg", crate));
}

} // namespace
