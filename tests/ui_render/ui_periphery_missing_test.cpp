// The image, map, picker and menu item renderables when what they load is missing: images that
// do not load, a map folder without its images, no font, no effect files. Each draws nothing
// and nothing crashes.
#include "ui_draw_fixture.h"

#include <filesystem>

namespace {

class UIPeripheryMissing : public uitest::UIDrawTest {
protected:
    UIPeripheryMissing() : UIDrawTest(256, 192) {}

    void TearDown() override {
        uitest::UIDrawTest::TearDown();
        if (!workingFolder_.empty()) std::filesystem::current_path(workingFolder_);
    }

    static std::string group(const std::string& className, const std::string& folder) {
        return "<" + className + "><Path folder=\"" + folder + "\"/></" + className + ">";
    }
    // The eight groups, images and maps from root, the menu item's font from fontFolder.
    static std::string groups(const std::string& root, const std::string& fontFolder) {
        return group("UIFullscreenImageRenderable", root + "screens/") +
               group("UIMultiColourTintableImageRenderable", root + "tinted/") +
               group("UIPannableZoomableLargeImageRenderable", root + "large/") +
               group("UIGeographicTintableRegionsMapRenderable", root + "maps/") +
               group("UIMultiColourisableImageRenderable", root + "crests/") +
               "<UIColourSelectionRectangleRenderable/><UIHueSelectionStripRenderable/>" +
               group("UIMenuItemRenderable", fontFolder);
    }

    // Every other pixel of a frame on the clear colour is still the clear colour.
    void expectNothingDrawn() {
        frame(0xFF204060);
        for (int y = 0; y < int(height_); y += 3) {
            for (int x = 0; x < int(width_); x += 3) ASSERT_EQ(pixel(x, y), 0xFF204060u) << x << "," << y;
        }
    }
    void placeEverywhere(RenderInterface::UIObject* object) { placeRectangle(object, 0, 0, 256, 192); }

    std::string workingFolder_;
};

TEST_F(UIPeripheryMissing, ImagesThatDoNotLoadAndAMissingFontDrawNothing) {
    TempFolder data;
    // Files of the right names that are no pictures, and a map folder without its two images.
    data.write("screens/torn.tga", "not a picture");
    data.write("tinted/cracked.tga", "");
    data.write("large/faded.tga", "TRUEVISION");
    data.makeFolder("maps/empty");
    data.write("crests/blot.dds", "DDS ");
    data.makeFolder("fonts");
    start(groups(data.path(), data.path() + "fonts/"));
    for (const char* type : {"torn", "cracked", "faded", "geographic_map_empty"}) make(type, 1);
    placeEverywhere(make("colourisable_image_blot", 1));
    make("textMenuItem", 1);
    expectNothingDrawn();
}

TEST_F(UIPeripheryMissing, WithoutTheirEffectsNothingDraws) {
    workingFolder_ = std::filesystem::current_path().string();
    const std::string root = workingFolder_ + "/tests/ui_render/data/periphery/";
    TempFolder elsewhere;
    // No "Data/graphics/2D/effects/" below the working folder: every effect fails to load.
    std::filesystem::current_path(elsewhere.path());
    start(groups(root, workingFolder_ + "/Data/fonts/"));
    for (const char* type : {"curtain", "glass", "vista", "geographic_map_s"}) make(type, 1);
    placeEverywhere(make("colourisable_image_crest", 1));
    placeEverywhere(make("ui_colour_selection_rectangle", 1));
    placeEverywhere(make("ui_hue_selection_strip", 1));
    make("textMenuItem", 1);
    expectNothingDrawn();
}

} // namespace
