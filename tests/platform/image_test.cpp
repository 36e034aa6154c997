#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/image/dxt.h"
#include "platform/image/image_file.h"
#include "platform/image/resize.h"
#include "platform/image/texture_levels.h"
#include "support/temp_folder.h"

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FF;

void putLittle(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A 24-bit Windows bitmap, stored bottom row first as the format wants.
std::string bmpFile(const image::Image& picture) {
    const int rowBytes = (picture.width * 3 + 3) & ~3;
    std::string out = "BM";
    putLittle(out, 54 + rowBytes * picture.height, 4);
    putLittle(out, 0, 4);
    putLittle(out, 54, 4);
    putLittle(out, 40, 4);
    putLittle(out, picture.width, 4);
    putLittle(out, picture.height, 4);
    putLittle(out, 1, 2);
    putLittle(out, 24, 2);
    for (int i = 0; i < 6; ++i) putLittle(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) putLittle(out, picture.at(x, y), 3);
        out.append(rowBytes - picture.width * 3, '\0');
    }
    return out;
}

// An uncompressed 32-bit TGA with its origin at the bottom left (the common layout).
std::string tgaFile(const image::Image& picture) {
    std::string out;
    out += char(0);
    out += char(0);
    out += char(2);
    out.append(9, '\0');
    putLittle(out, picture.width, 2);
    putLittle(out, picture.height, 2);
    out += char(32);
    out += char(8);
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) putLittle(out, picture.at(x, y), 4);
    return out;
}

// A 20 x 20 picture: a red top row, a magenta bottom-right quarter, green elsewhere.
image::Image pointerPicture() {
    image::Image picture(20, 20, 0xFF00FF00);
    for (int x = 0; x < 20; ++x) picture.at(x, 0) = 0xFFFF0000;
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x) picture.at(x, y) = kMagenta;
    return picture;
}

TEST(ImageLoading, UnscaledBmpSitsTopLeftInAPowerOfTwoTextureWithMagentaKeyedOut) {
    TempFolder folder;
    const std::string path = folder.write("pointer.bmp", bmpFile(pointerPicture()));
    image::Image picture;
    ASSERT_TRUE(image::loadImageFile(path, picture));
    image::TextureLevelOptions options;
    options.mipLevels = 1;
    options.filter = image::LevelFilter::None;
    options.colourKey = kMagenta;
    const std::vector<image::Image> levels = image::prepareTextureLevels(picture, options);
    ASSERT_EQ(levels.size(), 1u);
    const image::Image& top = levels[0];
    ASSERT_EQ(top.width, 32);
    ASSERT_EQ(top.height, 32);
    struct Probe {
        int x, y;
        uint32_t expected;
    };
    const Probe probes[] = {
        {0, 0, 0xFFFF0000},  {19, 0, 0xFFFF0000}, // row 0 of the file is row 0 of the texture
        {0, 1, 0xFF00FF00},  {9, 19, 0xFF00FF00}, {0, 19, 0xFF00FF00},
        {10, 10, 0},         {19, 19, 0},         // magenta keyed to transparent black
        {20, 0, 0},          {0, 20, 0},          {31, 31, 0}, {25, 5, 0}, // outside the picture
    };
    for (const Probe& p : probes)
        EXPECT_EQ(top.at(p.x, p.y), p.expected) << "pixel " << p.x << "," << p.y;
}

TEST(ImageLoading, TgaWithAlphaKeepsRowOrderAndAlpha) {
    TempFolder folder;
    image::Image source(2, 2);
    source.argb = {0x80102030, 0xFF405060, 0x00708090, 0xC0A0B0C0};
    image::Image loaded;
    ASSERT_TRUE(image::loadImageFile(folder.write("map.tga", tgaFile(source)), loaded));
    ASSERT_EQ(loaded.width, 2);
    ASSERT_EQ(loaded.height, 2);
    EXPECT_EQ(loaded.argb, source.argb);
}

TEST(ImageLoading, MissingOrUndecodableFilesFailWithAReason) {
    TempFolder folder;
    image::Image picture(4, 4);
    std::string error;
    EXPECT_FALSE(image::loadImageFile(folder.path() + "absent.png", picture, &error));
    EXPECT_TRUE(picture.empty());
    EXPECT_NE(error.find("absent.png"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(image::loadImageFile(folder.write("junk.png", "not a picture at all"), picture, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(picture.empty());
}

TEST(ImageLoading, JpegDecodesThroughTheSystemLibrary) {
    image::Image picture;
    std::string error;
    ASSERT_TRUE(image::loadImageFile(std::string(ZODERUD_TEST_DATA_DIR) + "/image/halves.jpg", picture, &error)) << error;
    ASSERT_EQ(picture.width, 16);
    ASSERT_EQ(picture.height, 8);
    // Left half red, right half blue, opaque; JPEG is lossy, so each channel within a margin.
    const auto near = [](uint32_t pixel, uint32_t expected) {
        for (int shift = 0; shift < 32; shift += 8)
            if (std::abs(int((pixel >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > 24) return false;
        return true;
    };
    EXPECT_PRED2(near, picture.at(1, 4), 0xFFFF0000u);
    EXPECT_PRED2(near, picture.at(14, 4), 0xFF0000FFu);
}

std::string bigEndian(uint32_t value) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(char((value >> shift) & 0xFF));
    return out;
}

// The signature and header chunk of a PNG claiming the given size, with nothing after it.
std::string pngHeader(uint32_t width, uint32_t height) {
    return std::string("\x89PNG\r\n\x1A\n", 8) + bigEndian(13) + "IHDR" + bigEndian(width) + bigEndian(height) +
           std::string("\x08\x06\x00\x00\x00", 5) + bigEndian(0);
}

// An 18-byte uncompressed 32-bit TGA header and no pixels.
std::string tgaHeader(int width, int height, char type = 2) {
    std::string out(3, '\0');
    out[2] = type;
    out.append(9, '\0');
    putLittle(out, uint32_t(width), 2);
    putLittle(out, uint32_t(height), 2);
    out += char(32);
    out += char(8);
    return out;
}

// A JPEG whose first frame header claims the given size.
std::string jpegFrame(int width, int height) {
    std::string out("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x0B\x08", 13);
    out += char(height >> 8);
    out += char(height & 0xFF);
    out += char(width >> 8);
    out += char(width & 0xFF);
    out += std::string("\x01\x01\x11\x00", 4);
    return out;
}

TEST(ImageLoading, OutsideFilesAreRefusedCleanlyBeforeTheyCostMemory) {
    TempFolder folder;
    image::Image small(3, 2, 0xFF123456);
    ASSERT_TRUE(image::savePngFile(folder.path() + "small.png", small));
    const std::string png = readFile(folder.path() + "small.png");
    std::string bmpZeroWide = bmpFile(image::Image(2, 2, 0xFF000000));
    bmpZeroWide.replace(18, 4, std::string(4, '\0'));
    std::string brokenPng = png;
    brokenPng[41] = '\0'; // the first byte of the compressed data: no valid stream starts so
    std::string bmpHeaderOnly = bmpFile(image::Image(1, 1, 0xFF000000)).substr(0, 54);
    bmpHeaderOnly.replace(18, 8, std::string("\x00\x10\x00\x00\x00\x10\x00\x00", 8)); // 4096 x 4096
    struct Row {
        const char* name;
        std::string bytes;
        const char* expected; // a fragment of the reason
    };
    const Row rows[] = {
        {"TGA header claiming 4096 x 16384", tgaHeader(4096, 16384), "4096 x 16384 pixels is too large"},
        {"TGA header within the limits but no pixels", tgaHeader(8192, 6144), "cut short"},
        {"RLE TGA header with no packets", tgaHeader(8192, 6144, 10), "cut short"},
        {"PNG wider than a texture", pngHeader(8193, 16), "at most 8192 pixels a side"},
        {"PNG over the pixel budget", pngHeader(8192, 8192), "pixels in all"},
        {"PNG with a width past 2^31", pngHeader(0x80000001u, 1), "too large"},
        {"PNG header within the limits but no data", pngHeader(8192, 6144), "cut short"},
        {"PNG cut after its header", png.substr(0, 41), "cut short"},
        {"PNG with a broken data stream", brokenPng, "cannot decode"},
        {"PNG without its closing chunk", png.substr(0, png.size() - 12), "cut short"},
        // Found by fuzzing: a chunk length past the end of the file.
        {"PNG with a chunk running past the end", readFile(std::string(ZODERUD_TEST_DATA_DIR) + "/image/long_trns.png"),
         "cut short"},
        {"BMP header within the limits but no rows", bmpHeaderOnly, "cut short"},
        {"BMP of no width", bmpZeroWide, "nothing to show"},
        {"JPEG with a huge frame", jpegFrame(60000, 60000), "too large"},
        {"JPEG with a bad Huffman table", std::string("\xFF\xD8\xFF\xC4\xCB\x01\x00\xCB\x3B", 9), "JPEG"},
        {"JPEG cut after its frame header", jpegFrame(16, 16), "cannot decode"},
        {"JPEG far too short for its frame", jpegFrame(4000, 3000), "cut short"},
        {"text", "not a picture at all", "not a PNG, JPEG, BMP or TGA picture"},
        {"two bytes", "BM", "BMP"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        image::Image picture(4, 4);
        std::string error;
        EXPECT_FALSE(image::loadImageFromMemory(reinterpret_cast<const uint8_t*>(row.bytes.data()), row.bytes.size(),
                                                picture, &error));
        EXPECT_TRUE(picture.empty());
        EXPECT_NE(error.find(row.expected), std::string::npos) << error;
    }
    // The whole valid file still loads.
    image::Image picture;
    ASSERT_TRUE(image::loadImageFromMemory(reinterpret_cast<const uint8_t*>(png.data()), png.size(), picture));
    EXPECT_EQ(picture.argb, small.argb);
}

// The fuzzing seeds cover the layouts the decoders are given: palettes with alpha, 24 and 32 bit
// BMP, raw and run-length TGA, PNG and JPEG. None may trip the size checks.
TEST(ImageLoading, EveryKindOfSeedPictureLoads) {
    struct Row {
        const char* file;
        int width, height;
    };
    const Row rows[] = {{"argb32.bmp", 6, 5}, {"rgb24.bmp", 6, 5},   {"palette.bmp", 5, 4}, {"palette.png", 5, 4},
                        {"rgba.png", 6, 5},   {"rgb.jpg", 6, 5},     {"bgra.tga", 4, 3},    {"rle.tga", 4, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        image::Image picture;
        std::string error;
        ASSERT_TRUE(image::loadImageFile(std::string(ZODERUD_SOURCE_DIR) + "/tests/fuzz/seeds/picture/" + row.file,
                                         picture, &error))
            << error;
        EXPECT_EQ(picture.width, row.width);
        EXPECT_EQ(picture.height, row.height);
    }
    // The palette's third colour is fully transparent, its fourth half so.
    image::Image palette;
    ASSERT_TRUE(image::loadImageFile(std::string(ZODERUD_SOURCE_DIR) + "/tests/fuzz/seeds/picture/palette.png", palette));
    EXPECT_EQ(palette.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(palette.at(2, 0) >> 24, 0u);
    EXPECT_EQ(palette.at(3, 0), 0x80090909u);
}

TEST(ImageLoading, FilesThatCantBeReadSayWhy) {
    TempFolder folder;
    image::Image picture;
    std::string error;
    EXPECT_FALSE(image::loadImageFile(folder.makeFolder("portrait.png"), picture, &error));
    EXPECT_NE(error.find("not a file"), std::string::npos) << error;
    EXPECT_FALSE(image::loadImageFile(folder.path() + "absent.png", picture, &error));
    EXPECT_NE(error.find("no such file"), std::string::npos) << error;
}

TEST(ImageLoading, DefaultSizeRoundsUpAndScalesWithAFullMipChain) {
    TempFolder folder;
    // Left half red, right half blue, so scaling must keep each side where it was.
    image::Image source(300, 200, 0xFFFF0000);
    for (int y = 0; y < 200; ++y)
        for (int x = 150; x < 300; ++x) source.at(x, y) = 0xFF0000FF;
    const std::string path = folder.path() + "portrait.png";
    ASSERT_TRUE(image::savePngFile(path, source));
    image::Image picture;
    ASSERT_TRUE(image::loadImageFile(path, picture));

    const std::vector<image::Image> levels = image::prepareTextureLevels(picture, {});
    ASSERT_EQ(levels.size(), 10u);
    EXPECT_EQ(levels[0].width, 512);
    EXPECT_EQ(levels[0].height, 256);
    EXPECT_EQ(levels[0].at(10, 128), 0xFFFF0000u);
    EXPECT_EQ(levels[0].at(500, 128), 0xFF0000FFu);
    EXPECT_EQ(levels[1].width, 256);
    EXPECT_EQ(levels[1].height, 128);
    EXPECT_EQ(levels[1].at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(levels[9].width, 1);
    EXPECT_EQ(levels[9].height, 1);
    // The last level averages the two halves.
    const uint32_t last = levels[9].at(0, 0);
    EXPECT_EQ(last >> 24, 0xFFu);
    EXPECT_NEAR(int((last >> 16) & 0xFF), 128, 3);
    EXPECT_NEAR(int(last & 0xFF), 128, 3);
}

TEST(ImageLoading, LevelSizesFollowTheRequest) {
    struct Case {
        int width, height, mipLevels;
        std::vector<std::pair<int, int>> sizes;
    };
    const Case cases[] = {
        {100, 50, 0, {{100, 50}, {50, 25}, {25, 12}, {12, 6}, {6, 3}, {3, 1}, {1, 1}}},
        {100, 50, 1, {{100, 50}}},
        {0, 0, 3, {{64, 32}, {32, 16}, {16, 8}}},
        {0, 0, 99, {{64, 32}, {32, 16}, {16, 8}, {8, 4}, {4, 2}, {2, 1}, {1, 1}}},
        {4, 0, 0, {{4, 32}, {2, 16}, {1, 8}, {1, 4}, {1, 2}, {1, 1}}},
    };
    const image::Image picture(40, 20, 0xFF336699);
    for (const Case& c : cases) {
        image::TextureLevelOptions options;
        options.width = c.width;
        options.height = c.height;
        options.mipLevels = c.mipLevels;
        const std::vector<image::Image> levels = image::prepareTextureLevels(picture, options);
        ASSERT_EQ(levels.size(), c.sizes.size()) << c.width << "x" << c.height << " mips " << c.mipLevels;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            EXPECT_EQ(levels[i].width, c.sizes[i].first) << "level " << i;
            EXPECT_EQ(levels[i].height, c.sizes[i].second) << "level " << i;
            // A flat colour stays exactly that colour whatever the filter does.
            for (uint32_t pixel : levels[i].argb) ASSERT_EQ(pixel, 0xFF336699u) << "level " << i;
        }
    }
    EXPECT_TRUE(image::prepareTextureLevels(image::Image(), {}).empty());
}

TEST(ImageLoading, AbsurdRequestedSizesAreCapped) {
    image::TextureLevelOptions options;
    options.width = 1 << 30;
    options.height = 2;
    options.mipLevels = 1;
    const std::vector<image::Image> levels = image::prepareTextureLevels(image::Image(2, 2, 0xFF000000), options);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].width, image::kMaxTextureSide);
}

TEST(ImageResize, ShrinkingAveragesAndGrowingInterpolates) {
    image::Image pair(2, 1);
    pair.argb = {0xFF000000, 0xFFFFFFFF};
    const image::Image one = image::resizeImage(pair, 1, 1);
    ASSERT_EQ(one.argb.size(), 1u);
    EXPECT_EQ(one.argb[0], 0xFF808080u);

    const image::Image wide = image::resizeImage(pair, 8, 1);
    ASSERT_EQ(wide.width, 8);
    EXPECT_EQ(wide.at(0, 0), 0xFF000000u) << "edges clamp";
    EXPECT_EQ(wide.at(7, 0), 0xFFFFFFFFu);
    for (int x = 1; x < 8; ++x) EXPECT_GE(wide.at(x, 0) & 0xFF, wide.at(x - 1, 0) & 0xFF) << x;
    EXPECT_TRUE(image::resizeImage(pair, 0, 4).empty());

    // A shrink that draws on many more source rows than are kept at a time.
    image::Image column(1, 64, 0xFF000000);
    for (int y = 32; y < 64; ++y) column.at(0, y) = 0xFFFFFFFF;
    const image::Image halves = image::resizeImage(column, 1, 2);
    EXPECT_LT(halves.at(0, 0) & 0xFF, 0x40u);
    EXPECT_GT(halves.at(0, 1) & 0xFF, 0xC0u);
    EXPECT_NEAR(int(image::resizeImage(column, 1, 1).at(0, 0) & 0xFF), 128, 2);
}

TEST(ImageSaving, SavedPngLoadsBackIdentically) {
    TempFolder folder;
    image::Image source(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            source.at(x, y) = uint32_t(x * 36) << 24 | uint32_t(y * 50) << 16 | uint32_t(x * 30 + y) << 8 | uint32_t(200 - x);
    const std::string path = folder.write("portrait.png", "old contents");
    ASSERT_TRUE(image::savePngFile(path, source));
    image::Image loaded;
    ASSERT_TRUE(image::loadImageFile(path, loaded));
    EXPECT_EQ(loaded.width, 7);
    EXPECT_EQ(loaded.height, 5);
    EXPECT_EQ(loaded.argb, source.argb);
}

TEST(ImageSaving, FailuresAreReportedAndLeaveNoFile) {
    TempFolder folder;
    std::string error;
    EXPECT_FALSE(image::savePngFile(folder.path() + "missing/portrait.png", image::Image(2, 2), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(image::savePngFile(folder.path() + "empty.png", image::Image()));
    EXPECT_EQ(readFile(folder.path() + "empty.png"), "");
}

struct DxtCase {
    const char* name;
    image::DxtFormat format;
    std::vector<uint8_t> block;
    // Expected pixels 0, 1, 2, 3 of the first row and pixel 15.
    uint32_t first[4];
    uint32_t last;
};

// Colour endpoints red (0xF800) and blue (0x001F); indices of row 0 are 0, 1, 2, 3.
const DxtCase kDxtCases[] = {
    {"DXT1 four colours", image::DxtFormat::Dxt1,
     {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x40},
     {0xFFFF0000, 0xFF0000FF, 0xFFAA0055, 0xFF5500AA}, 0xFF0000FF},
    {"DXT1 three colours and transparent", image::DxtFormat::Dxt1,
     {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0x00, 0x00, 0xC0},
     {0xFF0000FF, 0xFFFF0000, 0xFF800080, 0x00000000}, 0x00000000},
    {"DXT3 explicit alpha", image::DxtFormat::Dxt3,
     {0x10, 0x32, 0, 0, 0, 0, 0, 0xF0, 0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00},
     {0x00FF0000, 0x110000FF, 0x22AA0055, 0x335500AA}, 0xFFFF0000},
    {"DXT5 eight alphas", image::DxtFormat::Dxt5,
     // alpha 255 and 0; row-0 indices 0, 1, 2, 7; pixel 15 index 5
     {0xFF, 0x00, 0x88, 0x0E, 0, 0, 0, 0xA0, 0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00},
     {0xFFFF0000, 0x000000FF, 0xDBAA0055, 0x245500AA}, 0x6DFF0000},
    {"DXT5 six alphas and the extremes", image::DxtFormat::Dxt5,
     // alpha 0 and 200 (a0 <= a1); row-0 indices 2, 5, 6, 7
     {0x00, 0xC8, 0xAA, 0x0F, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00},
     {0x28FF0000, 0xA00000FF, 0x00AA0055, 0xFF5500AA}, 0x00FF0000},
};

TEST(DxtDecoding, KnownBlocksDecodeToTheDocumentedColours) {
    for (const DxtCase& c : kDxtCases) {
        image::Image out;
        ASSERT_TRUE(image::decodeDxt(c.format, 4, 4, c.block.data(), c.block.size(), out)) << c.name;
        ASSERT_EQ(out.width, 4);
        for (int x = 0; x < 4; ++x) EXPECT_EQ(out.at(x, 0), c.first[x]) << c.name << " pixel " << x;
        EXPECT_EQ(out.at(3, 3), c.last) << c.name;
    }
}

TEST(DxtDecoding, PartialBlocksAndShortDataAreHandled) {
    const std::vector<uint8_t>& block = kDxtCases[0].block;
    image::Image out;
    ASSERT_TRUE(image::decodeDxt(image::DxtFormat::Dxt1, 2, 1, block.data(), block.size(), out));
    EXPECT_EQ(out.width, 2);
    EXPECT_EQ(out.height, 1);
    EXPECT_EQ(out.argb, (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF}));

    // 5 x 5 takes two blocks each way.
    EXPECT_EQ(image::dxtLevelSize(image::DxtFormat::Dxt1, 5, 5), 32u);
    EXPECT_EQ(image::dxtLevelSize(image::DxtFormat::Dxt5, 4, 4), 16u);
    EXPECT_FALSE(image::decodeDxt(image::DxtFormat::Dxt1, 5, 5, block.data(), block.size(), out));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(image::decodeDxt(image::DxtFormat::Dxt1, 0, 4, block.data(), block.size(), out));
}

} // namespace
