// Textures from image files through the device, and textures saved as PNG.
#include <string>

#include "gfx_fixture.h"
#include "platform/gfx/texture_file.h"
#include "platform/image/image_file.h"
#include "support/temp_folder.h"

namespace {

using namespace gfxtest;
using gfx::Result;

// A 24-bit bitmap, bottom row first.
std::string bitmapFile(const image::Image& picture) {
    auto put = [](std::string& out, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(char((value >> (8 * i)) & 0xFF));
    };
    const int rowBytes = (picture.width * 3 + 3) & ~3;
    std::string out = "BM";
    put(out, uint32_t(54 + rowBytes * picture.height), 4);
    put(out, 0, 4);
    put(out, 54, 4);
    put(out, 40, 4);
    put(out, uint32_t(picture.width), 4);
    put(out, uint32_t(picture.height), 4);
    put(out, 1, 2);
    put(out, 24, 2);
    for (int i = 0; i < 6; ++i) put(out, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) put(out, picture.at(x, y), 3);
        out.append(size_t(rowBytes - picture.width * 3), '\0');
    }
    return out;
}

TEST_F(GfxTest, AnUnscaledBitmapSitsTopLeftInAPowerOfTwoTextureWithMagentaKeyedOut) {
    TempFolder folder;
    image::Image picture(20, 20, 0xFF204080u);
    picture.at(0, 0) = 0xFFFF00FFu;
    picture.at(19, 19) = 0xFF00FF00u;
    const std::string path = folder.write("Pointer.bmp", bitmapFile(picture));
    gfx::TextureFileOptions options;
    options.mipLevels = 1;
    options.scale = false;
    options.colourKey = 0xFFFF00FFu;
    gfx::Texture* texture = nullptr;
    // Names are found whatever their case.
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, folder.path() + "pointer.BMP", options, &texture), Result::Ok);
    gfx::SurfaceDesc desc;
    texture->getLevelDesc(0, desc);
    EXPECT_EQ(desc.width, 32u);
    EXPECT_EQ(desc.height, 32u);
    EXPECT_EQ(desc.format, gfx::Format::A8R8G8B8);
    EXPECT_EQ(desc.pool, gfx::Pool::Managed);
    EXPECT_EQ(texture->levelCount(), 1u);
    const std::vector<uint32_t> pixels = readLevel(texture, 0);
    EXPECT_EQ(at(pixels, 32, 0, 0), 0x00000000u); // magenta keyed out
    EXPECT_EQ(at(pixels, 32, 5, 5), 0xFF204080u);
    EXPECT_EQ(at(pixels, 32, 19, 19), 0xFF00FF00u);
    EXPECT_EQ(at(pixels, 32, 20, 5), 0x00000000u);
    EXPECT_EQ(at(pixels, 32, 5, 20), 0x00000000u);
    EXPECT_EQ(at(pixels, 32, 31, 31), 0x00000000u);
    texture->release();
}

TEST_F(GfxTest, APngAtTheDefaultSizeRoundsUpWithAFullChainAndARequestedSizeIsKept) {
    TempFolder folder;
    const std::string path = folder.path() + "portrait.png";
    ASSERT_TRUE(image::savePngFile(path, image::Image(300, 200, 0xFF336699u)));
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(gfx::createTextureFromFile(device_, path, &texture), Result::Ok);
    gfx::SurfaceDesc desc;
    texture->getLevelDesc(0, desc);
    EXPECT_EQ(desc.width, 512u);
    EXPECT_EQ(desc.height, 256u);
    EXPECT_EQ(texture->levelCount(), 10u);
    EXPECT_TRUE(near(at(readLevel(texture, 0), 512, 400, 200), 0xFF336699u));
    EXPECT_TRUE(near(readLevel(texture, 9).at(0), 0xFF336699u));
    texture->release();

    gfx::TextureFileOptions options;
    options.width = 100;
    options.height = 50;
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, path, options, &texture), Result::Ok);
    texture->getLevelDesc(0, desc);
    EXPECT_EQ(desc.width, 100u);
    EXPECT_EQ(desc.height, 50u);
    texture->release();

    EXPECT_EQ(gfx::createTextureFromFile(device_, folder.path() + "missing.png", &texture), Result::Fail);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(GfxTest, ARefusedPictureSaysWhy) {
    TempFolder folder;
    // A TGA header that claims 4096x16384 pixels and carries none of them.
    const std::string header("\0\0\2\0\0\0\0\0\0\0\0\0\x00\x10\x00\x40\x20\x00", 18);
    const std::string path = folder.write("huge.tga", header);
    gfx::Texture* texture = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(gfx::createTextureFromFile(device_, path, &texture), Result::Fail);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(texture, nullptr);
    EXPECT_NE(said.find("huge.tga\" refused: "), std::string::npos) << said;
}

TEST_F(GfxTest, ATextureSavedAsPngLoadsBackTheSame) {
    TempFolder folder;
    gfx::Texture* texture = nullptr;
    ASSERT_EQ(device_->createTexture(8, 4, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8, gfx::Pool::Default,
                                     &texture),
              Result::Ok);
    gfx::Surface* surface = nullptr;
    texture->getSurfaceLevel(0, &surface);
    device_->setRenderTarget(0, surface);
    device_->clear(gfx::Clear::Target, 0x80FF8000u, 1.0f, 0);
    device_->setViewport(gfx::Viewport{0, 0, 4, 2, 0.0f, 1.0f});
    device_->clear(gfx::Clear::Target, 0xFF0000FFu, 1.0f, 0);
    const std::string path = folder.path() + "saved.png";
    ASSERT_EQ(gfx::saveTextureToPng(path, texture), Result::Ok);
    image::Image loaded;
    ASSERT_TRUE(image::loadImageFile(path, loaded));
    ASSERT_EQ(loaded.width, 8);
    ASSERT_EQ(loaded.height, 4);
    EXPECT_EQ(loaded.at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(loaded.at(3, 1), 0xFF0000FFu);
    EXPECT_EQ(loaded.at(4, 1), 0x80FF8000u);
    EXPECT_EQ(loaded.at(0, 3), 0x80FF8000u);
    // And as a texture again.
    gfx::Texture* reloaded = nullptr;
    gfx::TextureFileOptions options;
    options.mipLevels = 1;
    ASSERT_EQ(gfx::createTextureFromFileEx(device_, path, options, &reloaded), Result::Ok);
    EXPECT_EQ(readLevel(reloaded, 0), readLevel(texture, 0));
    reloaded->release();
    EXPECT_EQ(gfx::saveTextureToPng(folder.path() + "no/such/folder/x.png", texture), Result::Fail);
    targetBackBuffer();
    surface->release();
    texture->release();
}

} // namespace
