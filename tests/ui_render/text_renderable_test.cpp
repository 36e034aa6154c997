// The "TextBox" renderable on a real device: texts drawn inside their boxes and clip
// rectangles, nothing for an unknown font, the edit cursor, very long texts, the atlas view and
// a display-size change. Read back from an offscreen window.
#include "ui_draw_fixture.h"

#include <algorithm>

#include "render/text_markup.h"
#include "ui_render/ui_text_renderable_asset.h"

namespace {

constexpr std::uint32_t width = 640;
constexpr std::uint32_t height = 360;
constexpr float px = 2.0f / width;

struct Box {
    int left, top, right, bottom; // pixels, right and bottom exclusive
};

class TextRenderable : public uitest::UIDrawTest {
protected:
    TextRenderable() : UIDrawTest(width, height) {}

    void SetUp() override {
        start("<UITextRenderable><path folder='Data/fonts/'/></UITextRenderable>");
        if (HasFatalFailure()) return;
        ASSERT_EQ(manager_->renderables().size(), 1u) << "the text renderable registers itself";
        asset_ = dynamic_cast<UITextRenderableAsset*>(manager_->findAsset("TextBox"));
        ASSERT_NE(asset_, nullptr);
    }

    void configure(RenderInterface& renderInterface) override {
        renderInterface.setRenderSettings(width, height, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "High", "Low",
                                          "EBGaramond-Regular_48", "original-garamond-bold-bt_48", 0, 0);
    }

    RenderInterface::UIObject* text(const std::string& string, float left, float top, float right, float bottom) {
        RenderInterface::UIObject* object = renderInterface_->createUIObject("TextBox");
        EXPECT_NE(object, nullptr);
        SimpleParameterGroup* group = object->pair()->updateGroup();
        group->setString("string", string);
        group->setVector2("topLeft", {left, top});
        group->setVector2("bottomRight", {right, bottom});
        group->setVector4("colour", {1.0f, 1.0f, 1.0f, 1.0f});
        object->setRenderLayer(3);
        return object;
    }

    // A hand-off and a frame: the objects' changes reach the render side, then the UI draws.
    // Unlike the fixture's frame, the instances are brought up to date before the draw, so a
    // text shows in the frame after the change that made it.
    std::vector<std::uint32_t> frame() {
        renderInterface_->swapFrame();
        frontEnd_->processPendingObjects();
        for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
        gfx::Device* device = deviceGlobal;
        device->clear(gfx::Clear::Target, 0xFF000000, 1.0f, 0);
        device->beginScene();
        manager_->draw();
        device->endScene();
        gfx::Surface* back = nullptr;
        device->getBackBuffer(&back);
        std::vector<std::uint32_t> pixels;
        device->readSurface(back, pixels);
        back->release();
        return pixels;
    }

    // Where the ink is, and how much.
    static int ink(const std::vector<std::uint32_t>& pixels, const Box& box) {
        int count = 0;
        for (int y = std::max(0, box.top); y < std::min<int>(height, box.bottom); ++y) {
            for (int x = std::max(0, box.left); x < std::min<int>(width, box.right); ++x) {
                if ((pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF) != 0) ++count;
            }
        }
        return count;
    }
    static int inkOutside(const std::vector<std::uint32_t>& pixels, const Box& box) {
        return ink(pixels, {0, 0, int(width), int(height)}) - ink(pixels, box);
    }
    // Pixels of a clip-space rectangle (y up) on the back buffer (y down).
    static Box pixelsOf(float left, float top, float right, float bottom) {
        auto column = [](float x) { return int((x + 1.0f) * 0.5f * width); };
        auto row = [](float y) { return int((1.0f - y) * 0.5f * height); };
        return {column(left), row(top), column(right), row(bottom)};
    }

    UITextRenderableAsset* asset_ = nullptr;
};

TEST_F(TextRenderable, DrawsInsideItsBoxAndNothingOutsideItsClipRectangle) {
    RenderInterface::UIObject* object = text("Hello world, a line of text", -0.9f, 0.5f, 0.9f, -0.5f);
    std::vector<std::uint32_t> pixels = frame();
    const Box box = pixelsOf(-0.9f, 0.5f + 0.15f, 0.9f, -0.5f);
    EXPECT_GT(ink(pixels, box), 100) << "the text is drawn";
    EXPECT_EQ(inkOutside(pixels, box), 0);
    const int unclipped = ink(pixels, box);

    // Clip to the middle third of the text.
    TextMeasure measure;
    renderInterface_->measureText(measure, "EBGaramond-Regular_48", "Hello world, a line of text", true, 20000.0f);
    const float clipLeft = -0.9f + measure.width / 3.0f;
    const float clipRight = -0.9f + measure.width * 2.0f / 3.0f;
    SimpleParameterGroup* group = object->pair()->updateGroup();
    group->setBool("shouldClipToRectangle", true);
    group->setVector2("clipTopLeft", {clipLeft, 0.6f});
    group->setVector2("clipBottomRight", {clipRight, -0.6f});
    pixels = frame();
    const Box clip = pixelsOf(clipLeft, 0.6f, clipRight, -0.6f);
    EXPECT_GT(ink(pixels, clip), 20);
    EXPECT_LT(ink(pixels, clip), unclipped);
    EXPECT_EQ(inkOutside(pixels, clip), 0) << "clipped";
    if (HasFailure()) savePicture(pixels);
}

TEST_F(TextRenderable, MissingFontKeyDrawsNothing) {
    // A text with a known font in the bottom half shows that the frame draws.
    text("Drawn", -0.9f, -0.5f, 0.9f, -0.9f);
    RenderInterface::UIObject* object = text("Nothing to see", -0.9f, 0.5f, 0.9f, 0.0f);
    object->pair()->updateGroup()->setString("font", "NoSuchFont_48");
    const Box topHalf{0, 0, int(width), int(height) / 2};
    std::vector<std::uint32_t> pixels = frame();
    EXPECT_EQ(ink(pixels, topHalf), 0);
    EXPECT_GT(inkOutside(pixels, topHalf), 0);
    EXPECT_EQ(asset_->blockOf(object->pair()), nullptr);
    // A known font later draws.
    object->pair()->updateGroup()->setString("font", "EBGaramond-Regular_48");
    EXPECT_GT(ink(frame(), topHalf), 0);
}

TEST_F(TextRenderable, EditCursorTurnedOnKeepsTheLastCharacter) {
    const std::string string = "abcW";
    RenderInterface::UIObject* object = text(string, -0.9f, 0.5f, 0.9f, -0.5f);
    std::vector<std::uint32_t> before = frame();
    ASSERT_NE(asset_->blockOf(object->pair()), nullptr);
    EXPECT_EQ(asset_->blockOf(object->pair())->quadCount(), 4u);

    object->pair()->updateGroup()->setBool("hasEditCursor", true);
    object->pair()->updateGroup()->setUnsignedInt("cursorLetterPosition", 0);
    std::vector<std::uint32_t> after = frame();
    ASSERT_NE(asset_->blockOf(object->pair()), nullptr);
    EXPECT_EQ(asset_->blockOf(object->pair())->quadCount(), 5u) << "four letters and the cursor";
    // The "W" is drawn where it was.
    float pen[2];
    const float topLeft[2] = {-0.9f, 0.5f};
    renderInterface_->layoutWrappedText(pen, string, "EBGaramond-Regular_48", topLeft, 1.8f, 3);
    const Box lastLetter = pixelsOf(pen[0], 0.6f, pen[0] + 0.2f, 0.3f);
    EXPECT_GT(ink(before, lastLetter), 10);
    EXPECT_EQ(ink(after, lastLetter), ink(before, lastLetter));
    if (HasFailure()) savePicture(after);
}

TEST_F(TextRenderable, VeryLongTextDrawsItsLastCharacters) {
    // More than 16384 glyphs before the last line, which alone is on screen.
    std::string string;
    const int lines = 16500;
    for (int i = 0; i < lines; ++i) string += "x\n";
    string += "WWW";
    const float lineHeight = renderInterface_->registeredLineHeight("EBGaramond-Regular_48");
    ASSERT_GT(lineHeight, 0.0f) << "the atlas build registered its line heights";
    const float top = 0.5f + static_cast<float>(lines) * lineHeight;
    RenderInterface::UIObject* object = text(string, -0.9f, top, 0.9f, -1.0f);
    std::vector<std::uint32_t> pixels = frame();
    ASSERT_NE(asset_->blockOf(object->pair()), nullptr);
    EXPECT_EQ(asset_->blockOf(object->pair())->quadCount(), countDrawnCharacters(string));
    EXPECT_GT(ink(pixels, {0, 0, int(width), int(height)}), 30) << "the last line is drawn";
    if (HasFailure()) savePicture(pixels);
}

TEST_F(TextRenderable, AtlasViewShowsTheGlyphAtlas) {
    RenderInterface::UIObject* view = renderInterface_->createUIObject("FontTexture");
    ASSERT_NE(view, nullptr);
    view->setRenderLayer(1);
    std::vector<std::uint32_t> pixels = frame();
    EXPECT_GT(ink(pixels, {0, 0, int(width), int(height)}), 200);
    EXPECT_EQ(asset_->blockOf(view->pair()), nullptr) << "atlas views have no text block";
}

TEST_F(TextRenderable, DisplaySizeChangeRebuildsFontsForTheNewWidth) {
    RenderInterface::UIObject* object = text("Resize", -0.9f, 0.5f, 0.9f, -0.5f);
    frame();
    const float narrow = renderInterface_->registeredLineHeight("EBGaramond-Regular_48");
    const std::size_t quads = asset_->blockOf(object->pair())->quadCount();
    // The render side now sees a screen twice as wide (and as tall); the device is reset.
    manager_->onLostDevice();
    renderInterface_->renderSettings().width = width * 2;
    renderInterface_->renderSettings().height = height * 2;
    manager_->onResetDevice();
    const float wide = renderInterface_->registeredLineHeight("EBGaramond-Regular_48");
    EXPECT_NEAR(wide, narrow, narrow * 0.2f) << "twice the pixels on a screen twice as tall";
    EXPECT_NE(wide, narrow);
    EXPECT_EQ(asset_->blockOf(object->pair()), nullptr) << "blocks are laid out again after a reset";
    for (UIRenderable* renderable : manager_->renderables()) renderable->updateInstances();
    ASSERT_NE(asset_->blockOf(object->pair()), nullptr);
    EXPECT_EQ(asset_->blockOf(object->pair())->quadCount(), quads);
}

} // namespace

namespace {

// The ink's extent in a band of rows: left and right columns, and the brightest pixel.
struct InkSpan {
    int left = 1 << 30;
    int right = -1;
    std::uint32_t brightest = 0;
};

InkSpan inkSpan(const std::vector<std::uint32_t>& pixels, const Box& rows) {
    InkSpan span;
    int best = -1;
    for (int y = rows.top; y < rows.bottom; ++y) {
        for (int x = 0; x < int(width); ++x) {
            const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
            if (!pixel) continue;
            span.left = std::min(span.left, x);
            span.right = std::max(span.right, x);
            const int sum = int(pixel >> 16) + int((pixel >> 8) & 0xFF) + int(pixel & 0xFF);
            if (sum > best) {
                best = sum;
                span.brightest = pixel;
            }
        }
    }
    return span;
}

int red(std::uint32_t pixel) { return int(pixel >> 16) & 0xFF; }
int green(std::uint32_t pixel) { return int(pixel >> 8) & 0xFF; }
int blue(std::uint32_t pixel) { return int(pixel) & 0xFF; }

TEST_F(TextRenderable, SceneOfMarkedUpText) {
    text("<id='TitleBarText'[*Character Sheet]>", -0.95f, 0.95f, 0.95f, 0.8f);
    text("<rRed words>", -0.95f, 0.75f, 0.95f, 0.6f);
    RenderInterface::UIObject* right = text("Right aligned", -0.95f, 0.55f, 0.95f, 0.4f);
    right->pair()->updateGroup()->setInt("horizAlignment", 1);
    RenderInterface::UIObject* centre = text("Centred", -0.95f, 0.35f, 0.95f, 0.2f);
    centre->pair()->updateGroup()->setInt("horizAlignment", 0);
    text("A longer paragraph that wraps at the spaces between its words when the box is narrow, "
         "costing \xA3" "5 and 12 silver.\\nA new line after a break.",
         -0.95f, 0.15f, 0.0f, -0.9f);
    std::vector<std::uint32_t> pixels = frame();

    // The title in the named colour (warm: red over green over blue).
    const InkSpan title = inkSpan(pixels, pixelsOf(-1.0f, 1.0f, 1.0f, 0.8f));
    EXPECT_GT(red(title.brightest), green(title.brightest));
    EXPECT_GT(green(title.brightest), blue(title.brightest) + 20);
    // A red span.
    const InkSpan tinted = inkSpan(pixels, pixelsOf(-1.0f, 0.8f, 1.0f, 0.6f));
    EXPECT_GT(red(tinted.brightest), green(tinted.brightest) + 40);
    // Right and centre alignment, to the pixel or two a glyph's side bearing leaves.
    const InkSpan rightSpan = inkSpan(pixels, pixelsOf(-1.0f, 0.6f, 1.0f, 0.4f));
    EXPECT_NEAR(rightSpan.right, pixelsOf(0.95f, 0.0f, 0.95f, 0.0f).left, 3);
    const InkSpan centreSpan = inkSpan(pixels, pixelsOf(-1.0f, 0.4f, 1.0f, 0.2f));
    EXPECT_NEAR((centreSpan.left + centreSpan.right) / 2, int(width) / 2, 3);
    // The paragraph wraps inside its box.
    const InkSpan paragraph = inkSpan(pixels, pixelsOf(-1.0f, 0.2f, 1.0f, -1.0f));
    EXPECT_LE(paragraph.right, pixelsOf(0.0f, 0.0f, 0.0f, 0.0f).left);
    EXPECT_GE(paragraph.left, pixelsOf(-0.95f, 0.0f, 0.0f, 0.0f).left);
    if (HasFailure()) savePicture(pixels);
}

} // namespace

namespace {

TEST_F(TextRenderable, TextsOfALayerShareDrawsUntilTheClipRectangleChanges) {
    std::vector<RenderInterface::UIObject*> texts;
    for (int i = 0; i < 50; ++i) {
        const float top = 0.95f - static_cast<float>(i) * 0.035f;
        texts.push_back(text("Label " + std::to_string(i), -0.9f, top, 0.9f, top - 0.03f));
    }
    frame();
    manager_->batchWriter().resetDrawCalls();
    frame();
    EXPECT_EQ(manager_->batchWriter().drawCalls(), 1u) << "fifty texts, one draw";

    SimpleParameterGroup* clipped = texts[25]->pair()->updateGroup();
    clipped->setBool("shouldClipToRectangle", true);
    clipped->setVector2("clipTopLeft", {-0.5f, 1.0f});
    clipped->setVector2("clipBottomRight", {0.5f, -1.0f});
    frame();
    manager_->batchWriter().resetDrawCalls();
    frame();
    EXPECT_EQ(manager_->batchWriter().drawCalls(), 3u) << "before, the clipped one, after: in their order";
}

} // namespace
