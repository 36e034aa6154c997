// The staged DDS loader: file, staging copy, default-pool texture, and a reset without the file.
#include <filesystem>

#include "platform/gfx_fixture.h"
#include "render/dds_test_file.h"
#include "render/dds_texture_loader.h"
#include "render/device_global.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using gfx::Format;

class DdsLoaderTest : public gfxtest::GfxTest {
protected:
    void SetUp() override {
        GfxTest::SetUp();
        deviceGlobal = device_;
    }
    void TearDown() override {
        deviceGlobal = nullptr;
        GfxTest::TearDown();
    }

    static void loadAll(DDSTextureLoader& loader) {
        loader.loadFile();
        EXPECT_EQ(loader.getState(), DDSTextureLoader::FileLoaded);
        loader.prepare();
        EXPECT_EQ(loader.getState(), DDSTextureLoader::Prepared);
        loader.fillData();
        EXPECT_EQ(loader.getState(), DDSTextureLoader::Prepared);
        loader.finishLoad();
        EXPECT_EQ(loader.getState(), DDSTextureLoader::Loaded);
    }

    std::vector<uint32_t> level(gfx::Texture* texture, uint32_t index) {
        gfx::Surface* surface = nullptr;
        texture->getSurfaceLevel(index, &surface);
        std::vector<uint32_t> pixels = readTarget(surface);
        surface->release();
        return pixels;
    }
};

TEST_F(DdsLoaderTest, ADxt1FileWithThreeLevelsSurvivesALostDeviceWithoutItsFile) {
    std::vector<uint8_t> data;
    for (uint16_t colour : {uint16_t(0xF800), uint16_t(0x07E0), uint16_t(0x001F)})
        ddstest::append(data, ddstest::dxt1Block(colour));
    TempFolder folder;
    const std::string path = folder.write("reflect.dds", ddstest::file(ddstest::dxt("DXT1", 4, 4, 3), data));
    int owner = 7;
    DDSTextureLoader loader(path, &owner);
    EXPECT_EQ(loader.owner(), &owner);
    loadAll(loader);
    ASSERT_NE(loader.texture(), nullptr);
    EXPECT_EQ(loader.texture()->pool(), gfx::Pool::Default);
    EXPECT_EQ(loader.texture()->format(), Format::Dxt1);
    ASSERT_EQ(loader.texture()->levelCount(), 3u);
    const uint32_t expected[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (uint32_t i = 0; i < 3; ++i) EXPECT_TRUE(gfxtest::near(level(loader.texture(), i).at(0), expected[i]));

    std::filesystem::remove(path);
    loader.onLostDevice();
    EXPECT_EQ(loader.texture(), nullptr);
    gfx::PresentParameters parameters = parameters_;
    ASSERT_EQ(device_->reset(parameters), gfx::Result::Ok);
    loader.onResetDevice();
    ASSERT_NE(loader.texture(), nullptr);
    for (uint32_t i = 0; i < 3; ++i) EXPECT_TRUE(gfxtest::near(level(loader.texture(), i).at(0), expected[i]));
    loader.unload();
    EXPECT_EQ(loader.texture(), nullptr);
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
}

TEST_F(DdsLoaderTest, AFiveByThreeArgbFileCopiesItsTwentyByteRows) {
    std::vector<uint8_t> data;
    for (uint8_t i = 0; i < 15; ++i) ddstest::append(data, {i, uint8_t(i * 2), uint8_t(i * 3), 0xFF});
    TempFolder folder;
    DDSTextureLoader loader(folder.write("odd.dds", ddstest::file(ddstest::argb32(5, 3, 0), data)), nullptr);
    loadAll(loader);
    ASSERT_NE(loader.texture(), nullptr);
    EXPECT_EQ(loader.texture()->levelCount(), 1u); // a mip count of 0 means one level
    const std::vector<uint32_t> pixels = level(loader.texture(), 0);
    ASSERT_EQ(pixels.size(), 15u);
    for (uint32_t i = 0; i < 15; ++i) EXPECT_EQ(pixels[i], 0xFF000000u | (i * 3) << 16 | (i * 2) << 8 | i);
    loader.unload();
}

TEST_F(DdsLoaderTest, ASixBySixDxt1FileCopiesTwoBlocksAcrossAndTwoBlockRows) {
    // Blocks in file order: top-left red, top-right green, bottom-left blue, bottom-right white.
    std::vector<uint8_t> data;
    for (uint16_t colour : {uint16_t(0xF800), uint16_t(0x07E0), uint16_t(0x001F), uint16_t(0xFFFF)})
        ddstest::append(data, ddstest::dxt1Block(colour));
    TempFolder folder;
    DDSTextureLoader loader(folder.write("six.dds", ddstest::file(ddstest::dxt("DXT1", 6, 6, 1), data)), nullptr);
    loadAll(loader);
    ASSERT_NE(loader.texture(), nullptr);
    const std::vector<uint32_t> pixels = level(loader.texture(), 0);
    ASSERT_EQ(pixels.size(), 36u);
    EXPECT_TRUE(gfxtest::near(pixels[0], 0xFFFF0000u));
    EXPECT_TRUE(gfxtest::near(pixels[5], 0xFF00FF00u)) << "the sixth column lies in the second block";
    EXPECT_TRUE(gfxtest::near(pixels[5 * 6], 0xFF0000FFu));
    EXPECT_TRUE(gfxtest::near(pixels[35], 0xFFFFFFFFu));
    loader.unload();
}

TEST_F(DdsLoaderTest, PointedAtAnotherFileItLoadsThatOneInstead) {
    TempFolder folder;
    const std::string red = folder.write("large_tex/atlas.dds", ddstest::file(ddstest::dxt("DXT1", 4, 4, 1),
                                                                                ddstest::dxt1Block(0xF800)));
    const std::string blue = folder.write("small_tex/atlas.dds", ddstest::file(ddstest::dxt("DXT1", 4, 4, 1),
                                                                                 ddstest::dxt1Block(0x001F)));
    DDSTextureLoader loader(red, nullptr);
    loadAll(loader);
    EXPECT_TRUE(gfxtest::near(level(loader.texture(), 0).at(0), 0xFFFF0000u));
    loader.setPath(blue);
    EXPECT_EQ(loader.path(), blue);
    loadAll(loader);
    ASSERT_NE(loader.texture(), nullptr);
    EXPECT_TRUE(gfxtest::near(level(loader.texture(), 0).at(0), 0xFF0000FFu));
    loader.unload();
}

TEST_F(DdsLoaderTest, AMissingOrCorruptFileIsLoggedAndTheLaterStagesMakeNothing) {
    TempFolder folder;
    std::string cut = ddstest::file(ddstest::dxt("DXT1", 8, 8, 1), std::vector<uint8_t>(31, 0));
    for (const std::string& path : {folder.path() + "missing.dds", folder.write("cut.dds", cut)}) {
        LogCapture log;
        DDSTextureLoader loader(path, nullptr);
        loadAll(loader);
        EXPECT_EQ(loader.texture(), nullptr);
        EXPECT_TRUE(log.contains("DDS file")) << path;
        loader.onLostDevice();
        loader.onResetDevice();
        EXPECT_EQ(loader.texture(), nullptr);
    }
    EXPECT_EQ(device_->liveDefaultPoolObjects(), 0);
}

TEST(DdsLoaderFormats, BitsPerPixelByFormatNumber) {
    struct Case {
        uint32_t format, bits;
    } cases[] = {{116, 128}, {113, 64}, {21, 32}, {75, 32}, {20, 24}, {23, 16}, {ddstest::code("UYVY"), 16},
                 {ddstest::code("YV12"), 12}, {50, 8}, {ddstest::code("DXT5"), 8}, {ddstest::code("DXT1"), 4}};
    for (const Case& c : cases) EXPECT_EQ(DDSTextureLoader::bitsPerPixel(c.format), c.bits) << c.format;
    LogCapture log;
    EXPECT_EQ(DDSTextureLoader::bitsPerPixel(999), 0u);
    EXPECT_EQ(DDSTextureLoader::bitsPerPixel(0), 0u);
    EXPECT_TRUE(log.contains("unhandled format!!!"));
}

TEST(DdsLoaderFormats, PixelFormatsMapAsTheFirstMatchingRowSays) {
    struct Case {
        uint32_t flags, fourCC, bits, r, g, b, a;
        Format format;
    } cases[] = {
        {0x41, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, Format::A8R8G8B8},
        {0x40, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0, Format::X8R8G8B8},
        {0x40, 0, 32, 0xFFFFFFFF, 0, 0, 0, Format::R32F},
        {0x40, 0, 16, 0x7C00, 0x03E0, 0x001F, 0, Format::Unknown},
        {0x20000, 0, 8, 0xFF, 0, 0, 0, Format::L8},
        {0x2, 0, 8, 0, 0, 0, 0xFF, Format::A8},
        {0x4, ddstest::code("DXT3"), 0, 0, 0, 0, 0, Format::Dxt3},
        {0x4, ddstest::code("ATI2"), 0, 0, 0, 0, 0, Format::Unknown},
        // RGB wins over a FourCC also present.
        {0x44, ddstest::code("DXT1"), 24, 0xFF0000, 0xFF00, 0xFF, 0, Format::R8G8B8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DDSTextureLoader::formatFromPixelFormat(32, c.flags, c.fourCC, c.bits, c.r, c.g, c.b, c.a), c.format);
}

} // namespace
