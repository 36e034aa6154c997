// DDS files through the texture-from-file path: formats, mip levels, and corrupt files refused.
#include <string>

#include "gfx_fixture.h"
#include "platform/gfx/dds_file.h"
#include "platform/gfx/texture.h"
#include "platform/gfx/texture_file.h"
#include "render/dds_test_file.h"
#include "support/temp_folder.h"

namespace {

using namespace gfxtest;
using gfx::Format;
using gfx::Result;

gfx::TextureFileOptions asStored() {
    gfx::TextureFileOptions options;
    options.format = Format::FromFile;
    options.mipLevels = 1;
    return options;
}

struct FormatCase {
    const char* name;
    ddstest::Header header;
    std::vector<uint8_t> block; // a DXT block, or one pixel
    Format format;
    uint32_t expected;
};

ddstest::Header masked(uint32_t flags, uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    ddstest::Header h;
    h.pixelFlags = flags;
    h.bitCount = bits;
    h.red = r;
    h.green = g;
    h.blue = b;
    h.alpha = a;
    return h;
}

class GfxDdsFormatTest : public GfxTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(GfxDdsFormatTest, AFourByFourFileLoadsInItsOwnFormatAndSamplesItsColour) {
    const FormatCase& c = GetParam();
    std::vector<uint8_t> data;
    const bool compressed = c.format == Format::Dxt1 || c.format == Format::Dxt3 || c.format == Format::Dxt5;
    const size_t repeats = compressed ? 1 : 16; // one block, or one pixel sixteen times
    for (size_t i = 0; i < repeats; ++i) ddstest::append(data, c.block);
    TempFolder folder;
    const std::string path = folder.write("image.DDS", ddstest::file(c.header, data));
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, path, asStored(), &texture), Result::Ok);
    EXPECT_EQ(texture->format(), c.format);
    EXPECT_EQ(texture->levelWidth(0), 4u);
    for (uint32_t pixel : readLevel(texture, 0)) EXPECT_TRUE(near(pixel, c.expected)) << std::hex << pixel;
    texture->release();
}

const std::vector<uint8_t> kRedDxt1 = ddstest::dxt1Block(0xF800);

INSTANTIATE_TEST_SUITE_P(
    Formats, GfxDdsFormatTest,
    ::testing::Values(
        FormatCase{"A8R8G8B8", ddstest::argb32(4, 4), {0x33, 0x66, 0x99, 0x80}, Format::A8R8G8B8, 0x80996633u},
        FormatCase{"X8R8G8B8", masked(0x40, 32, 0xFF0000, 0xFF00, 0xFF, 0), {0x33, 0x66, 0x99, 0x00},
                   Format::X8R8G8B8, 0xFF996633u},
        FormatCase{"A8B8G8R8", masked(0x41, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000), {0x33, 0x66, 0x99, 0xFF},
                   Format::A8B8G8R8, 0xFF336699u},
        FormatCase{"R8G8B8", masked(0x40, 24, 0xFF0000, 0xFF00, 0xFF, 0), {0x10, 0x20, 0x30}, Format::R8G8B8,
                   0xFF302010u},
        FormatCase{"R5G6B5", masked(0x40, 16, 0xF800, 0x07E0, 0x001F, 0), {0x00, 0xF8}, Format::R5G6B5,
                   0xFFFF0000u},
        FormatCase{"L8", masked(0x20000, 8, 0xFF, 0, 0, 0), {0x80}, Format::L8, 0xFF808080u},
        FormatCase{"A8", masked(0x2, 8, 0, 0, 0, 0xFF), {0x40}, Format::A8, 0x40000000u},
        FormatCase{"DXT1", ddstest::dxt("DXT1", 4, 4, 1), kRedDxt1, Format::Dxt1, 0xFFFF0000u},
        FormatCase{"DXT3", ddstest::dxt("DXT3", 4, 4, 1),
                   {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x1F, 0x00, 0, 0, 0, 0, 0, 0}, Format::Dxt3,
                   0xFF0000FFu},
        FormatCase{"DXT5", ddstest::dxt("DXT5", 4, 4, 1),
                   {0x80, 0x00, 0, 0, 0, 0, 0, 0, 0xE0, 0x07, 0, 0, 0, 0, 0, 0}, Format::Dxt5, 0x8000FF00u}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

TEST_F(GfxTest, EveryMipLevelOfADdsFileIsLoadedInOrder) {
    std::vector<uint8_t> data;
    for (uint16_t colour : {uint16_t(0xF800), uint16_t(0x07E0), uint16_t(0x001F)})
        ddstest::append(data, ddstest::dxt1Block(colour));
    TempFolder folder;
    const std::string path = folder.write("levels.dds", ddstest::file(ddstest::dxt("DXT1", 4, 4, 3), data));
    gfx::TextureFileOptions options;
    options.format = Format::FromFile;
    options.pool = gfx::Pool::Default;
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, path, options, &texture), Result::Ok);
    ASSERT_EQ(texture->levelCount(), 3u);
    EXPECT_EQ(texture->format(), Format::Dxt1);
    const uint32_t expected[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (uint32_t level = 0; level < 3; ++level) {
        const std::vector<uint32_t> pixels = readLevel(texture, level);
        ASSERT_FALSE(pixels.empty());
        EXPECT_TRUE(near(pixels[0], expected[level])) << "level " << level << ": " << std::hex << pixels[0];
    }
    texture->release();
}

TEST_F(GfxTest, ADdsFileAskedForAnotherSizeOrFormatIsDecodedAndResampled) {
    // 5 x 3 is no power of two: by default the picture is sized up to 8 x 4 in A8R8G8B8.
    std::vector<uint8_t> data;
    for (int i = 0; i < 15; ++i) ddstest::append(data, {0x00, 0x00, 0xFF, 0xFF});
    TempFolder folder;
    const std::string path = folder.write("odd.dds", ddstest::file(ddstest::argb32(5, 3), data));
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(gfx::createTextureFromFile(device_, path, &texture), Result::Ok);
    EXPECT_EQ(texture->format(), Format::A8R8G8B8);
    EXPECT_EQ(texture->levelWidth(0), 8u);
    EXPECT_EQ(texture->levelHeight(0), 4u);
    EXPECT_TRUE(near(readLevel(texture, 0).at(9), 0xFFFF0000u));
    texture->release();

    gfx::TextureFileOptions options = asStored();
    options.width = 5;
    options.height = 3;
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, path, options, &texture), Result::Ok);
    EXPECT_EQ(texture->levelWidth(0), 5u);
    EXPECT_EQ(texture->levelHeight(0), 3u);
    const std::vector<uint32_t> pixels = readLevel(texture, 0);
    ASSERT_EQ(pixels.size(), 15u);
    EXPECT_EQ(pixels[14], 0xFFFF0000u);
    texture->release();
}

struct CorruptCase {
    const char* name;
    std::string bytes;
};

std::string truncated(std::string bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

std::vector<uint8_t> blocks(int count) {
    std::vector<uint8_t> data;
    for (int i = 0; i < count; ++i) ddstest::append(data, ddstest::dxt1Block(0xF800));
    return data;
}

ddstest::Header withSizes(ddstest::Header h, uint32_t headerSize, uint32_t pixelFormatSize) {
    h.headerSize = headerSize;
    h.pixelFormatSize = pixelFormatSize;
    return h;
}

std::vector<CorruptCase> corruptCases() {
    const std::string good = ddstest::file(ddstest::dxt("DXT1", 8, 8, 4), blocks(4 + 1 + 1 + 1));
    return {
        {"Empty", ""},
        {"ShorterThanTheHeader", truncated(good, 100)},
        {"WrongMagic", "DDX " + good.substr(4)},
        {"HeaderSizeWrong", ddstest::file(withSizes(ddstest::dxt("DXT1", 4, 4, 1), 100, 32), blocks(1))},
        {"PixelFormatSizeWrong", ddstest::file(withSizes(ddstest::dxt("DXT1", 4, 4, 1), 124, 0), blocks(1))},
        {"UnknownFourCC", ddstest::file(ddstest::dxt("DX10", 4, 4, 1), blocks(1))},
        {"ZeroWidth", ddstest::file(ddstest::dxt("DXT1", 0, 4, 1), blocks(1))},
        {"AbsurdSize", ddstest::file(ddstest::dxt("DXT1", 0x7FFFFFFF, 0x7FFFFFFF, 1), blocks(1))},
        {"SizeOverflowingThirtyTwoBits", ddstest::file(ddstest::argb32(65536, 65536), {1, 2, 3, 4})},
        {"MoreLevelsThanTheSizeAllows", ddstest::file(ddstest::dxt("DXT1", 4, 4, 4), blocks(4))},
        {"NoPixelData", ddstest::file(ddstest::dxt("DXT1", 4, 4, 1), {})},
        {"LevelZeroCutShort", truncated(good, 128 + 20)},
        {"LastLevelCutShort", truncated(good, good.size() - 1)},
        {"UncompressedRowsCutShort", ddstest::file(ddstest::argb32(5, 3), std::vector<uint8_t>(59, 0xFF))},
    };
}

class GfxDdsCorruptTest : public GfxTest, public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(GfxDdsCorruptTest, IsRefusedWithAReasonAndMakesNoTexture) {
    const CorruptCase& c = GetParam();
    // Parsed from a buffer of exactly the file's size, so any read past its end is caught.
    std::vector<uint8_t> exact(c.bytes.begin(), c.bytes.end());
    gfx::DdsImage image;
    std::string error;
    EXPECT_FALSE(gfx::parseDds(exact.empty() ? nullptr : exact.data(), exact.size(), image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(image.levels.empty());

    TempFolder folder;
    const std::string path = folder.write("corrupt.dds", c.bytes);
    gfx::Texture* texture = nullptr;
    EXPECT_EQ(gfx::createTextureFromFileEx(device_, path, asStored(), &texture), Result::Fail);
    EXPECT_EQ(texture, nullptr);
    EXPECT_EQ(gfx::createTextureFromFile(device_, path, &texture), Result::Fail);
}

INSTANTIATE_TEST_SUITE_P(Files, GfxDdsCorruptTest, ::testing::ValuesIn(corruptCases()),
                         [](const ::testing::TestParamInfo<CorruptCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GfxDdsParse, ACompleteFileListsItsLevelsBackToBack) {
    const std::string bytes = ddstest::file(ddstest::dxt("DXT1", 8, 8, 4), blocks(7));
    std::vector<uint8_t> exact(bytes.begin(), bytes.end());
    gfx::DdsImage image;
    std::string error;
    ASSERT_TRUE(gfx::parseDds(exact.data(), exact.size(), image, error)) << error;
    ASSERT_EQ(image.levels.size(), 4u);
    const size_t offsets[] = {0, 32, 40, 48};
    for (size_t level = 0; level < 4; ++level) {
        EXPECT_EQ(image.levels[level].offset, offsets[level]);
        EXPECT_EQ(image.levels[level].rowBytes, level == 0 ? 16u : 8u);
    }
    EXPECT_EQ(image.levels[3].width, 1u);
}

} // namespace
