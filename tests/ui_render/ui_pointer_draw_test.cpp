// The mouse-pointer renderable: images from the pointer folder, the colour key, the hot spot and
// the choice of image by "pointerType".
#include "ui_draw_fixture.h"

#include <functional>

#include "app/program_pointer.h"
#include "ui_render/ui_pointer_renderable.h"

namespace {

using uitest::near;

// A 24-bit bitmap, rows bottom-up, of a picture given top-down as 0xRRGGBB.
std::string bitmap(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt) {
    auto u32 = [](std::string& out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 255);
    };
    auto u16 = [](std::string& out, std::uint32_t v) {
        out += char(v & 255);
        out += char((v >> 8) & 255);
    };
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string out = "BM";
    u32(out, 54 + std::uint32_t(rowBytes * height));
    u32(out, 0);
    u32(out, 54);
    u32(out, 40);
    u32(out, std::uint32_t(width));
    u32(out, std::uint32_t(height));
    u16(out, 1);
    u16(out, 24);
    for (int i = 0; i < 6; ++i) u32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colourAt(x, y);
            row += char(c & 255);
            row += char((c >> 8) & 255);
            row += char((c >> 16) & 255);
        }
        row.resize(std::size_t(rowBytes), '\0');
        out += row;
    }
    return out;
}

class UIPointer : public uitest::UIDrawTest {
protected:
    UIPointer() : UIDrawTest(1024, 768) {}

    void SetUp() override {
        // "normal": magenta (the colour key) on the left half, white on the right; "wait": red.
        pointers_.write("normal.bmp", bitmap(32, 32, [](int x, int) { return x < 16 ? 0xFF00FFu : 0xFFFFFFu; }));
        pointers_.write("wait.bmp", bitmap(32, 32, [](int, int) { return 0xFF0000u; }));
        start("<UIPointerRenderable><Path folder='" + pointers_.path() + "'/></UIPointerRenderable>");
        asset_ = dynamic_cast<UIPointerRenderableAsset*>(manager_->findAsset("mousePointer"));
        ASSERT_NE(asset_, nullptr);
        pointer_ = make("mousePointer", 31);
    }

    void place(std::uint32_t x, std::uint32_t y, int horizAlign, int vertAlign) {
        params(pointer_)->setUnsignedInt("xPos", x);
        params(pointer_)->setUnsignedInt("yPos", y);
        params(pointer_)->setInt("horizAlign", horizAlign);
        params(pointer_)->setInt("vertAlign", vertAlign);
    }

    TempFolder pointers_;
    UIPointerRenderableAsset* asset_ = nullptr;
    RenderInterface::UIObject* pointer_ = nullptr;
};

TEST_F(UIPointer, LoadsEveryBitmapOfTheFolderByName) {
    ASSERT_EQ(asset_->images().size(), 2u);
    EXPECT_EQ(asset_->images().count("normal"), 1u);
    EXPECT_EQ(asset_->images().count("wait"), 1u);
}

TEST_F(UIPointer, HotSpotPlacesTheImageBesideThePointer) {
    struct Case {
        int horizAlign, vertAlign;
        float left, right, top, bottom;
    };
    for (const Case& c : {Case{-1, -1, -0.8046875f, -0.7421875f, 0.7395833f, 0.65625f},
                          Case{1, 1, -0.8671875f, -0.8046875f, 0.8229167f, 0.7395833f}}) {
        place(100, 100, c.horizAlign, c.vertAlign);
        frame();
        const float* corners = asset_->corners();
        EXPECT_NEAR(corners[0], c.left, 1e-6) << c.horizAlign;
        EXPECT_NEAR(corners[2], c.right, 1e-6) << c.horizAlign;
        EXPECT_NEAR(corners[1], c.top, 1e-6) << c.vertAlign;
        EXPECT_NEAR(corners[5], c.bottom, 1e-6) << c.vertAlign;
        EXPECT_FLOAT_EQ(corners[6], corners[0]);
        EXPECT_FLOAT_EQ(corners[3], corners[1]);
    }
}

TEST_F(UIPointer, ColourKeyIsTransparentAndTheRestIsDrawn) {
    place(100, 100, -1, -1);
    frame(0xFF0000FF);
    // The image covers 32 by 32 pixels right of and below the pointer.
    EXPECT_TRUE(near(pixel(106, 116), 0xFF0000FF)) << std::hex << pixel(106, 116);
    EXPECT_TRUE(near(pixel(124, 116), 0xFFFFFFFF)) << std::hex << pixel(124, 116);
    EXPECT_TRUE(near(pixel(140, 116), 0xFF0000FF)) << "outside the image";
    EXPECT_TRUE(asset_->hasDrawn());
    // The window may hide the system cursor now, and must show it again once the pointer is gone.
    EXPECT_TRUE(programpointer::drawn());
    asset_->unload();
    EXPECT_FALSE(programpointer::drawn());
}

TEST_F(UIPointer, UnknownPointerTypeKeepsThePreviousImage) {
    place(200, 200, -1, -1);
    params(pointer_)->setString("pointerType", "wait");
    frame();
    EXPECT_TRUE(near(pixel(216, 216), 0xFFFF0000)) << std::hex << pixel(216, 216);
    params(pointer_)->setString("pointerType", "no such pointer");
    frame();
    EXPECT_TRUE(near(pixel(216, 216), 0xFFFF0000)) << std::hex << pixel(216, 216);
    EXPECT_EQ(asset_->images().size(), 2u) << "no empty entry was added";
}

} // namespace
