// DDS cube maps from a file and from memory: six faces with their levels, read back face by face.
#include <string>

#include "gfx_fixture.h"
#include "platform/gfx/dds_file.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "render/dds_test_file.h"
#include "support/temp_folder.h"

namespace {

using namespace gfxtest;
using gfx::Result;

constexpr uint32_t kAllFaces = 0xFE00;

// One colour per face (+X red, -X green, +Y blue, -Y yellow, +Z magenta, -Z cyan), 2x2 and 1x1.
const uint32_t kFaceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF};

std::string cubeFile(uint32_t caps2 = kAllFaces) {
    ddstest::Header header = ddstest::argb32(2, 2, 2);
    header.caps2 = caps2;
    std::vector<uint8_t> data;
    for (uint32_t colour : kFaceColours) {
        for (int pixel = 0; pixel < 4 + 1; ++pixel) // level 0, then level 1
            ddstest::append(data, {uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16), uint8_t(colour >> 24)});
    }
    return ddstest::file(header, data);
}

void expectFaces(gfx::CubeTexture* cube) {
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->levelCount(), 2u);
    EXPECT_EQ(cube->levelWidth(0), 2u);
    for (uint32_t face = 0; face < 6; ++face) {
        for (uint32_t level = 0; level < 2; ++level) {
            std::vector<uint32_t> pixels;
            ASSERT_EQ(cube->readLevelArgb(face, level, pixels), Result::Ok);
            ASSERT_EQ(pixels.size(), level == 0 ? 4u : 1u);
            for (uint32_t pixel : pixels) EXPECT_EQ(pixel, kFaceColours[face]) << "face " << face << " level " << level;
        }
    }
}

TEST_F(GfxTest, ADdsCubeMapLoadsItsSixFacesFromAFileAndFromMemory) {
    TempFolder folder;
    const std::string bytes = cubeFile();
    gfx::CubeTexture* fromFile = nullptr;
    ASSERT_EQ(gfx::createCubeTextureFromFile(device_, folder.write("sky.dds", bytes), &fromFile), Result::Ok);
    expectFaces(fromFile);
    gfx::safeRelease(fromFile);

    gfx::CubeTexture* fromMemory = nullptr;
    ASSERT_EQ(gfx::createCubeTextureFromFileInMemory(device_, bytes.data(), bytes.size(), &fromMemory), Result::Ok);
    expectFaces(fromMemory);
    gfx::safeRelease(fromMemory);
}

TEST_F(GfxTest, APlainDdsFileOrACubeMapMissingFacesIsNoCubeMap) {
    const std::string partial = cubeFile(0x200 | 0x400 | 0x800);
    const std::string plain = ddstest::file(ddstest::argb32(2, 2, 1), std::vector<uint8_t>(16, 0xFF));
    const std::string cut = cubeFile().substr(0, 128 + 6 * 20 - 4);
    for (const std::string* bytes : {&partial, &plain, &cut}) {
        gfx::CubeTexture* cube = reinterpret_cast<gfx::CubeTexture*>(1);
        EXPECT_EQ(gfx::createCubeTextureFromFileInMemory(device_, bytes->data(), bytes->size(), &cube), Result::Fail);
        EXPECT_EQ(cube, nullptr);
    }
}

TEST(GfxDdsParse, ACubeMapListsOneFacesLevelsAndFindsEachFaceAfterTheOneBefore) {
    const std::string bytes = cubeFile();
    gfx::DdsImage image;
    std::string error;
    ASSERT_TRUE(gfx::parseDds(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), image, error)) << error;
    EXPECT_TRUE(image.cubeMap);
    EXPECT_EQ(image.faces, 6u);
    ASSERT_EQ(image.levels.size(), 2u);
    EXPECT_EQ(image.faceBytes, 20u);
    EXPECT_EQ(image.levelData(3, 1) - image.data, 3 * 20 + 16);
}

} // namespace
