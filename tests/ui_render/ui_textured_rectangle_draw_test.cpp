// Textured rectangles of images named at run time: loading, resizing, saving as PNG, the same
// file name in two folders, and what the object's status says.
#include "ui_draw_fixture.h"

#include <chrono>
#include <functional>

#include "platform/gfx/texture.h"
#include "ui_render/ui_textured_rectangle_renderable.h"
#include "ui_render/ui_textured_rectangle_renderable_asset.h"
#include "ui_render/ui_parameters.h"

namespace {

using uitest::near;

image::Image picture(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt) {
    image::Image out{width, height};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) out.argb[std::size_t(y * width + x)] = colourAt(x, y);
    }
    return out;
}

class UITexturedRectangles : public uitest::UIDrawTest {
protected:
    void SetUp() override {
        start("<UITexturedRectangleRenderable/>");
        for (UIRenderable* renderable : manager_->renderables()) {
            renderable_ = dynamic_cast<UITexturedRectangleRenderable*>(renderable);
        }
        ASSERT_NE(renderable_, nullptr);
    }

    std::string writeImage(const std::string& folder, const std::string& file, const image::Image& image) {
        std::filesystem::create_directories(images_.path() + folder);
        const std::string path = images_.path() + folder + file;
        EXPECT_TRUE(image::savePngFile(path, image));
        return images_.path() + folder;
    }

    RenderInterface::UIObject* show(const std::string& folder, const std::string& file, int left, int top, int right,
                                    int bottom) {
        RenderInterface::UIObject* object =
            renderInterface_->createTexturedRectObject("UITexturedRectangleRenderable", folder, file);
        EXPECT_NE(object, nullptr);
        if (!object) return nullptr;
        object->setRenderLayer(2);
        placeRectangle(object, left, top, right, bottom);
        params(object)->setBool("usePointSampler", true);
        return object;
    }

    TempFolder images_;
    UITexturedRectangleRenderable* renderable_ = nullptr;
};

// Quadrants of four colours, so position and orientation both show.
const image::Image quadrants = picture(8, 8, [](int x, int y) {
    return x < 4 ? (y < 4 ? 0xFFFF0000u : 0xFF00FF00u) : (y < 4 ? 0xFF0000FFu : 0xFFFFFFFFu);
});

TEST_F(UITexturedRectangles, DrawsTheImagePixelForPixel) {
    const std::string folder = writeImage("portraits/", "sir.j.png", quadrants);
    RenderInterface::UIObject* object = show(folder, "sir.j.png", 10, 10, 18, 18);
    frame();
    EXPECT_EQ(object->status(), std::uint32_t(RenderInterface::UIObject::Ready));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_TRUE(near(pixel(10 + x, 10 + y), quadrants.argb[std::size_t(y * 8 + x)]))
                << x << "," << y << ": " << std::hex << pixel(10 + x, 10 + y);
        }
    }
    EXPECT_TRUE(near(pixel(9, 10), 0xFF000000));
    EXPECT_TRUE(near(pixel(18, 17), 0xFF000000));
}

TEST_F(UITexturedRectangles, MissingFileIsRefused) {
    RenderInterface::UIObject* object = show(images_.path(), "nobody.png", 0, 0, 8, 8);
    frame();
    EXPECT_EQ(object->status(), std::uint32_t(RenderInterface::UIObject::Refused));
    EXPECT_TRUE(near(pixel(4, 4), 0xFF000000));
}

TEST_F(UITexturedRectangles, ResizeLoadsTheTextureAtTheRequestedSize) {
    const std::string folder = writeImage("", "big.png", picture(32, 32, [](int, int) { return 0xFF336699u; }));
    RenderInterface::UIObject* object =
        renderInterface_->createTexturedRectObject("UITexturedRectangleRenderable", folder, "big.png");
    params(object)->setVector2("texturePixelDimensions", {100.9f, 50.2f});
    params(object)->setBool("shouldResizeTexture", true);
    frame();
    UITexturedRectangleRenderableAsset* asset = renderable_->findAsset(folder, "big.png");
    ASSERT_NE(asset, nullptr);
    ASSERT_NE(asset->texture(), nullptr);
    gfx::SurfaceDesc desc{};
    asset->texture()->getLevelDesc(0, desc);
    EXPECT_EQ(desc.width, 100u);
    EXPECT_EQ(desc.height, 50u);
}

TEST_F(UITexturedRectangles, SavedPngReloadsEqual) {
    const std::string folder = writeImage("", "face.png", quadrants);
    RenderInterface::UIObject* object = show(folder, "face.png", 0, 0, 8, 8);
    frame();
    const std::string saved = images_.path() + "saved.png";
    params(object)->setString("saveFileName", saved);
    params(object)->setBool("shouldSaveFile", true);
    frame();
    image::Image reloaded;
    ASSERT_TRUE(image::loadImageFile(saved, reloaded));
    ASSERT_EQ(reloaded.width, 8);
    ASSERT_EQ(reloaded.height, 8);
    EXPECT_EQ(reloaded.argb, quadrants.argb);
    // The request is done once: the render side's flag is cleared.
    EXPECT_FALSE(uiparam::read<BoolParameter>(object->pair()->renderGroup(), "shouldSaveFile", true));
    EXPECT_EQ(object->status(), std::uint32_t(RenderInterface::UIObject::Ready));
    // The outcome is published at the next hand-off, while the update side is parked.
    frame();
    EXPECT_EQ(object->status(), std::uint32_t(RenderInterface::UIObject::Saved));
}

TEST_F(UITexturedRectangles, FailedSaveIsReportedThroughTheStatus) {
    const std::string folder = writeImage("", "face.png", quadrants);
    RenderInterface::UIObject* object = show(folder, "face.png", 0, 0, 8, 8);
    params(object)->setString("saveFileName", images_.path() + "no/such/folder/saved.png");
    params(object)->setBool("shouldSaveFile", true);
    frame();
    // Published at the next hand-off, while the update side is parked.
    frame();
    EXPECT_EQ(object->status(), std::uint32_t(RenderInterface::UIObject::SaveFailed));
}

TEST_F(UITexturedRectangles, SameNamedImagesInTwoFoldersEachShowTheirOwn) {
    const std::string redFolder = writeImage("a/", "portrait.png", picture(4, 4, [](int, int) { return 0xFFFF0000u; }));
    const std::string blueFolder = writeImage("b/", "portrait.png", picture(4, 4, [](int, int) { return 0xFF0000FFu; }));
    RenderInterface::UIObject* first = show(redFolder, "portrait.png", 0, 0, 4, 4);
    frame();
    RenderInterface::UIObject* second = show(blueFolder, "portrait.png", 8, 0, 12, 4);
    frame();
    EXPECT_EQ(first->status(), std::uint32_t(RenderInterface::UIObject::Ready));
    EXPECT_EQ(second->status(), std::uint32_t(RenderInterface::UIObject::Ready));
    EXPECT_TRUE(near(pixel(2, 2), 0xFFFF0000)) << std::hex << pixel(2, 2);
    EXPECT_TRUE(near(pixel(10, 2), 0xFF0000FF)) << std::hex << pixel(10, 2);
    // Removing one leaves the other drawn.
    renderInterface_->destroyUIObject(first);
    frame();
    EXPECT_TRUE(near(pixel(2, 2), 0xFF000000));
    EXPECT_TRUE(near(pixel(10, 2), 0xFF0000FF));
}

TEST_F(UITexturedRectangles, RewrittenFileIsReloadedForTheNextObject) {
    const std::string folder = writeImage("", "map.png", picture(4, 4, [](int, int) { return 0xFF00FF00u; }));
    show(folder, "map.png", 0, 0, 4, 4);
    frame();
    ASSERT_TRUE(near(pixel(2, 2), 0xFF00FF00));
    // A later write time: the next object of the file reloads it, for every object of it.
    const std::string path = folder + "map.png";
    image::savePngFile(path, picture(4, 4, [](int, int) { return 0xFFFF00FFu; }));
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
    show(folder, "map.png", 8, 0, 12, 4);
    frame();
    EXPECT_TRUE(near(pixel(2, 2), 0xFFFF00FF)) << std::hex << pixel(2, 2);
    EXPECT_TRUE(near(pixel(10, 2), 0xFFFF00FF)) << std::hex << pixel(10, 2);
}

} // namespace

namespace {

class UIRenderPathImages : public uitest::UIDrawTest {
protected:
    void SetUp() override {
        start("<UITexturedRectangleRenderable><Path folder='Data/graphics/ui/images/'/></UITexturedRectangleRenderable>");
    }
};

TEST_F(UIRenderPathImages, ScrollArrowsAreObjectTypesOfTheirOwn) {
    for (const char* type : {"tex_rect_up_arrow", "tex_rect_down_arrow"}) {
        EXPECT_NE(registry_.find(type), nullptr) << type;
        auto* asset = dynamic_cast<UITexturedRectangleRenderableAsset*>(manager_->findAsset(type));
        ASSERT_NE(asset, nullptr) << type;
        EXPECT_NE(asset->texture(), nullptr) << type << " loads from its DDS file";
    }
    RenderInterface::UIObject* up = make("tex_rect_up_arrow", 1);
    placeRectangle(up, 0, 0, 16, 16);
    params(up)->setBool("usePointSampler", true);
    RenderInterface::UIObject* down = make("tex_rect_down_arrow", 1);
    placeRectangle(down, 20, 0, 36, 16);
    params(down)->setBool("usePointSampler", true);
    frame();
    // The up arrow is wide at the bottom, the down arrow at the top; the rest is transparent.
    EXPECT_TRUE(near(pixel(2, 11), 0xFFE0D8C0)) << std::hex << pixel(2, 11);
    EXPECT_TRUE(near(pixel(2, 4), 0xFF000000)) << std::hex << pixel(2, 4);
    EXPECT_TRUE(near(pixel(22, 4), 0xFFE0D8C0)) << std::hex << pixel(22, 4);
    EXPECT_TRUE(near(pixel(22, 11), 0xFF000000)) << std::hex << pixel(22, 11);
}

} // namespace
