// Menu items drawn on the offscreen device and read back.
#include "ui_periphery_fixture.h"

#include <cstring>
#include <string>

#include "platform/gfx/texture.h"
#include "ui_render/ui_menu_item_renderable.h"

namespace {

using uitest::channel;
using uitest::clearColour;
using uitest::InkBox;
using UIMenuItems = uitest::UIPeripheryDraw;

bool inkOnBlack(std::uint32_t colour) { return colour != 0xFF000000u; }

TEST_F(UIMenuItems, AMenuItemDrawsItsDefaultTextInWhiteFromTheTopLeftPixel) {
    make("textMenuItem", 1);
    frame(0xFF000000);
    const InkBox box = ink(inkOnBlack);
    ASSERT_FALSE(box.empty());
    // "Menu Item" in DejaVu Sans at 32 pixels: its "M" starts 4 pixels in and 1 down. Text moved
    // up or left would lose its first rows or columns at the screen's edge.
    EXPECT_GE(box.left, 3);
    EXPECT_LE(box.left, 4);
    EXPECT_GE(box.top, 1);
    EXPECT_LE(box.top, 12);
    EXPECT_LE(box.bottom - box.top, 32);
    EXPECT_GT(box.right - box.left, 100);
    EXPECT_LT(box.right - box.left, 180);
    // White: grey at the glyphs' edges, full white inside them.
    int fullWhite = 0;
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            const std::uint32_t colour = pixel(x, y);
            ASSERT_TRUE(channel(colour, 16) == channel(colour, 8) && channel(colour, 8) == channel(colour, 0))
                << x << "," << y << ": " << std::hex << colour;
            fullWhite += colour == 0xFFFFFFFFu ? 1 : 0;
        }
    }
    EXPECT_GT(fullWhite, 50);
}

TEST_F(UIMenuItems, AMenuItemMovesByWholePixels) {
    RenderInterface::UIObject* item = make("textMenuItem", 1);
    frame(clearColour);
    const InkBox atOrigin = ink();
    params(item)->setUnsignedInt("horizPos", 40);
    params(item)->setUnsignedInt("vertPos", 50);
    frame(clearColour);
    const InkBox moved = ink();
    EXPECT_EQ(moved.left, atOrigin.left + 40);
    EXPECT_EQ(moved.top, atOrigin.top + 50);
    EXPECT_EQ(moved.pixels, atOrigin.pixels);
}

TEST_F(UIMenuItems, ASelectedMenuItemIsRedAndAnInvisibleOneIsHidden) {
    RenderInterface::UIObject* item = make("textMenuItem", 1);
    frame(0xFF000000);
    const InkBox white = ink(inkOnBlack);
    params(item)->setBool("isSelected", true);
    frame(0xFF000000);
    const InkBox red = ink(inkOnBlack);
    EXPECT_EQ(red.pixels, white.pixels);
    int fullRed = 0;
    for (int y = red.top; y <= red.bottom; ++y) {
        for (int x = red.left; x <= red.right; ++x) {
            const std::uint32_t colour = pixel(x, y);
            ASSERT_EQ(colour & 0xFFFFu, 0u) << x << "," << y << ": " << std::hex << colour;
            fullRed += colour == 0xFFFF0000u ? 1 : 0;
        }
    }
    EXPECT_GT(fullRed, 50);
    params(item)->setBool("isVisible", false);
    frame(0xFF000000);
    EXPECT_TRUE(ink(inkOnBlack).empty());
}

TEST_F(UIMenuItems, AMenuItemDrawsPercentSignsAsWritten) {
    params(make("textMenuItem", 1))->setString("text", "%s%n");
    frame(clearColour);
    auto* asset = dynamic_cast<UIMenuItemRenderableAsset*>(manager_->findAsset("textMenuItem"));
    ASSERT_NE(asset, nullptr);
    EXPECT_STREQ(asset->text(), "%s%n");
    const FontRecord* font = asset->font();
    ASSERT_NE(font, nullptr);
    int advance = 0;
    for (unsigned char c : std::string("%s%n")) advance += font->find(c)->advanceX;
    const InkBox box = ink();
    ASSERT_FALSE(box.empty());
    // The four glyphs side by side: their ink spans their advances but the side bearings.
    EXPECT_LE(box.right - box.left + 1, advance);
    EXPECT_GE(box.right - box.left + 1, advance - 8);
}

// The width of the glyphs of a line of text set side by side.
int advanceOf(const FontRecord& font, const std::string& text) {
    int advance = 0;
    for (unsigned char c : text) {
        const GlyphRecord* glyph = font.find(c);
        EXPECT_NE(glyph, nullptr) << c;
        advance += glyph ? glyph->advanceX : 0;
    }
    return advance;
}

TEST_F(UIMenuItems, AMenuItemDrawsTheUIsMarkupAsWritten) {
    RenderInterface::UIObject* item = make("textMenuItem", 1);
    auto* asset = dynamic_cast<UIMenuItemRenderableAsset*>(manager_->findAsset("textMenuItem"));
    ASSERT_NE(asset, nullptr);
    ASSERT_NE(asset->font(), nullptr);
    // Colour spans, a bold span, a named colour and line breaks of the UI's text boxes.
    const std::string texts[] = {"<r>{b}[*x]\\n", "<id='red'>x", "a\\nb", "{g}]"};
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        params(item)->setString("text", text);
        frame(0xFF000000);
        EXPECT_EQ(std::string(asset->text()), text);
        // A glyph for every character.
        EXPECT_EQ(asset->layout().quadCount(), text.size());
        const InkBox box = ink(inkOnBlack);
        ASSERT_FALSE(box.empty());
        // On one line, side by side, untinted.
        EXPECT_LE(box.bottom - box.top, 32);
        const int advance = advanceOf(*asset->font(), text);
        EXPECT_LE(box.right - box.left + 1, advance);
        EXPECT_GE(box.right - box.left + 1, advance - 8);
        for (int y = box.top; y <= box.bottom; ++y) {
            for (int x = box.left; x <= box.right; ++x) {
                const std::uint32_t colour = pixel(x, y);
                ASSERT_TRUE(channel(colour, 16) == channel(colour, 8) && channel(colour, 8) == channel(colour, 0))
                    << x << "," << y << ": " << std::hex << colour;
            }
        }
    }
}

TEST_F(UIMenuItems, AMenuItemDrawsTheFirst255CharactersOfALongerText) {
    RenderInterface::UIObject* item = make("textMenuItem", 1);
    auto* asset = dynamic_cast<UIMenuItemRenderableAsset*>(manager_->findAsset("textMenuItem"));
    ASSERT_NE(asset, nullptr);
    // 300 characters; a markup character counts as the one character it is.
    for (const std::string unit : {"x", "<r", "[*", "\\n"}) {
        SCOPED_TRACE(unit);
        std::string text;
        while (text.size() < 300) text += unit;
        params(item)->setString("text", text);
        frame(clearColour);
        EXPECT_EQ(std::string(asset->text()), text.substr(0, 255));
        EXPECT_EQ(asset->layout().quadCount(), 255u);
    }
}

TEST_F(UIMenuItems, ReleasingItsDeviceResourcesReleasesTheFont) {
    auto* asset = dynamic_cast<UIMenuItemRenderableAsset*>(manager_->findAsset("textMenuItem"));
    ASSERT_NE(asset, nullptr);
    gfx::Texture* atlas = asset->atlasTexture();
    ASSERT_NE(atlas, nullptr);
    atlas->addRef();
    UIRenderable* menuItems = nullptr;
    for (UIRenderable* renderable : manager_->renderables()) {
        if (renderable->className() == "UIMenuItemRenderable") menuItems = renderable;
    }
    ASSERT_NE(menuItems, nullptr);
    menuItems->releaseDeviceResources();
    EXPECT_TRUE(menuItems->assets().empty());
    // Only this test's reference was left.
    EXPECT_EQ(atlas->release(), 0u);
}

TEST(UIMenuItemText, IsCutAt255CharactersAndPrintedAsItIs) {
    char buffer[256];
    const std::string longText(300, 'x');
    formatMenuText(buffer, "%s", longText.c_str());
    EXPECT_EQ(std::strlen(buffer), 255u);
    formatMenuText(buffer, "%s", "100% %s %n");
    EXPECT_STREQ(buffer, "100% %s %n");
}

} // namespace
