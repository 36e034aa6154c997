// The UI object types the image, map, picker and menu item renderables make from their
// render-path folders, the parameters each type carries, and the UI renderable registry.
#include "ui_draw_fixture.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/base_parameter.h"
#include "render/renderable_factory.h"
#include "ui_render/ui_asset_files.h"
#include "ui_render/ui_colour_selection_rectangle_renderable.h"
#include "ui_render/ui_fullscreen_image_renderable.h"
#include "ui_render/ui_geographic_tintable_regions_map_renderable.h"
#include "ui_render/ui_hue_selection_strip_renderable.h"
#include "ui_render/ui_menu_item_renderable.h"
#include "ui_render/ui_multi_colour_tintable_image_renderable.h"
#include "ui_render/ui_multi_colourisable_image_renderable.h"
#include "ui_render/ui_pannable_zoomable_large_image_renderable.h"

namespace {

const std::string periphery = "tests/ui_render/data/periphery/";

class UIPeripheryTypes : public uitest::UIDrawTest {
protected:
    UIPeripheryTypes() : UIDrawTest(256, 192) {}

    void SetUp() override {
        copy("screens/curtain.tga", "screens/curtain.tga");
        copy("screens/veil.tga", "screens/veil.tga");
        copy("crests/crest.dds", "crests/crest.dds");
        copy("maps/s/s_base.tga", "maps/s/s_base.tga");
        copy("maps/s/s_tints.tga", "maps/s/s_tints.tga");
        copy("uneven/pane.tga", "uneven/pane.tga");
        // A repository's own folder and a left-over copy beside the map.
        data_.write("maps/.git/HEAD", "ref: refs/heads/main\n");
        data_.makeFolder("maps/backup");
        // A folder of the ".tga" renderables holding no image.
        data_.write("notes/readme.txt", "Images go here.\n");
        start(group("UIFullscreenImageRenderable", {"screens/", "notes/"}) +
              group("UIMultiColourTintableImageRenderable", {"notes/"}) +
              group("UIPannableZoomableLargeImageRenderable", {"uneven/", "notes/"}) +
              group("UIMultiColourisableImageRenderable", {"crests/"}) +
              group("UIGeographicTintableRegionsMapRenderable", {"maps/"}));
    }

    void copy(const std::string& from, const std::string& to) {
        std::filesystem::create_directories(std::filesystem::path(data_.path() + to).parent_path());
        std::filesystem::copy_file(periphery + from, data_.path() + to);
    }
    std::string group(const std::string& className, const std::vector<std::string>& folders) const {
        std::string paths;
        for (const std::string& folder : folders) paths += "<Path folder=\"" + data_.path() + folder + "\"/>";
        return "<" + className + ">" + paths + "</" + className + ">";
    }

    std::vector<std::string> typeNames() const {
        std::vector<std::string> names;
        for (const auto& entry : manager_->typeNameMap()) names.push_back(entry.first);
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder data_;
};

TEST_F(UIPeripheryTypes, EachImageMapAndCrestIsATypeWithADescription) {
    // The folder holding only a text file adds nothing, to any of the three renderables reading it.
    EXPECT_EQ(typeNames(), (std::vector<std::string>{"colourisable_image_crest", "curtain", "geographic_map_backup",
                                                     "geographic_map_s", "pane", "veil"}));
    for (const std::string& name : typeNames()) EXPECT_NE(registry_.find(name), nullptr) << name;

    for (const char* name : {"curtain", "veil"}) {
        auto* image = dynamic_cast<UIFullscreenImageRenderableAsset*>(manager_->findAsset(name));
        ASSERT_NE(image, nullptr) << name;
        EXPECT_NE(image->image(), nullptr) << name;
    }
    auto* crest = dynamic_cast<UIMultiColourisableImageRenderableAsset*>(manager_->findAsset("colourisable_image_crest"));
    ASSERT_NE(crest, nullptr);
    EXPECT_NE(crest->texture(), nullptr);
}

TEST_F(UIPeripheryTypes, AMapLoadsItsBaseAndTintsFromItsSubFolder) {
    auto* map = dynamic_cast<UIGeographicTintableRegionsMapRenderableAsset*>(manager_->findAsset("geographic_map_s"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->baseImageFile(), data_.path() + "maps/s/s_base.tga");
    EXPECT_EQ(map->tintsImageFile(), data_.path() + "maps/s/s_tints.tga");
    EXPECT_NE(map->baseImage(), nullptr);
    EXPECT_NE(map->tintsImage(), nullptr);
    EXPECT_NE(map->regionColours(), nullptr);
    // 32 x 32 on 256 x 192.
    EXPECT_FLOAT_EQ(map->rx(), 0.125f);
    EXPECT_FLOAT_EQ(map->ry(), 32.0f / 192.0f);
}

TEST_F(UIPeripheryTypes, AnImageOfNoPowerOfTwoSizeIsMeasuredAndDrawnAtItsTexturesSize) {
    auto* pane = dynamic_cast<UIPannableZoomableLargeImageRenderableAsset*>(manager_->findAsset("pane"));
    ASSERT_NE(pane, nullptr);
    ASSERT_NE(pane->image(), nullptr);
    // The 40 x 24 file becomes a 64 x 32 texture, and that size is set against the 256 x 192 screen.
    EXPECT_FLOAT_EQ(pane->rx(), 64.0f / 256.0f);
    EXPECT_FLOAT_EQ(pane->ry(), 32.0f / 192.0f);
    make("pane", 1);
    frame(0xFF204060);
    for (int y = 0; y < 192; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool inside = x < 64 && y < 32;
            ASSERT_EQ(pixel(x, y), inside ? 0xFF00FF00u : 0xFF204060u) << x << "," << y;
        }
    }
}

TEST_F(UIPeripheryTypes, AFolderWithoutItsImagesIsAMapThatDrawsNothing) {
    auto* backup =
        dynamic_cast<UIGeographicTintableRegionsMapRenderableAsset*>(manager_->findAsset("geographic_map_backup"));
    ASSERT_NE(backup, nullptr);
    EXPECT_EQ(backup->baseImage(), nullptr);
    EXPECT_EQ(backup->rx(), 1.0f);
    EXPECT_EQ(backup->ry(), 1.0f);
    make("geographic_map_backup", 1);
    frame(0xFF204060);
    for (int y = 0; y < 192; y += 37) {
        for (int x = 0; x < 256; x += 41) ASSERT_EQ(pixel(x, y), 0xFF204060u) << x << "," << y;
    }
}

TEST(UIAssetFolders, AreListedInTheDataFolderWithoutHiddenOnes) {
    TempFolder data;
    data.write("maps/.git/HEAD", "ref: refs/heads/main\n");
    data.makeFolder("maps/backup");
    data.makeFolder("maps/s");
    data.write("maps/s.tga", "");
    ParameterDescriptionRegistry registry;
    ThreadResourcePool pool("renderPool");
    // A data folder that is not the working folder, as when the program is started elsewhere.
    RenderInterface renderInterface(&registry, &pool, 256, 192, data.path().c_str());
    EXPECT_EQ(listUIAssetFolders(&renderInterface, "maps/"), (std::list<std::string>{"backup", "s"}));
    EXPECT_TRUE(listUIAssetFolders(&renderInterface, "nowhere/").empty());
}

// Every type's parameters by name and kind code, in order.
struct ExpectedParameter {
    const char* name;
    ParameterKind kind;
};

TEST(UIPeripheryDescriptions, EveryTypeCarriesItsParametersInOrder) {
    ThreadResourcePool pool("renderPool");
    struct Case {
        ParameterDescription* description;
        std::vector<ExpectedParameter> parameters;
    };
    const Case cases[] = {
        {TintableImageParameters::describe("glass", &pool), {{"colourArray", ParameterKind::PointPath}}},
        {FullscreenImageParameters::describe("curtain", &pool),
         {{"fadeToBlackLerp", ParameterKind::Float}, {"isVisible", ParameterKind::Bool}}},
        {PanZoomImageParameters::describe("geographic_map_s", &pool),
         {{"xPan", ParameterKind::Float}, {"yPan", ParameterKind::Float}, {"zoom", ParameterKind::Float}}},
        {ColourisableImageParameters::describe("colourisable_image_crest", &pool),
         {{"topLeft", ParameterKind::Vector2},
          {"bottomRight", ParameterKind::Vector2},
          {"usePointSampler", ParameterKind::Bool},
          {"redChannelColour", ParameterKind::Vector4},
          {"greenChannelColour", ParameterKind::Vector4},
          {"blueChannelColour", ParameterKind::Vector4}}},
        {ColourSelectionRectangleParameters::describe("ui_colour_selection_rectangle", &pool),
         {{"topLeft", ParameterKind::Vector2}, {"bottomRight", ParameterKind::Vector2}, {"colour", ParameterKind::Vector4}}},
        {HueSelectionStripParameters::describe("ui_hue_selection_strip", &pool),
         {{"topLeft", ParameterKind::Vector2}, {"bottomRight", ParameterKind::Vector2}}},
        {MenuItemParameters::describe("textMenuItem", &pool),
         {{"text", ParameterKind::String},
          {"vertPos", ParameterKind::UnsignedInt},
          {"horizPos", ParameterKind::UnsignedInt},
          {"isSelected", ParameterKind::Bool},
          {"isVisible", ParameterKind::Bool}}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<ParameterDescription> description(c.description);
        ASSERT_EQ(description->entries().size(), c.parameters.size()) << description->getTypeName();
        auto entry = description->entries().begin();
        for (const ExpectedParameter& expected : c.parameters) {
            EXPECT_EQ(entry->first->getName(), expected.name) << description->getTypeName();
            EXPECT_EQ(entry->second, std::uint32_t(expected.kind)) << expected.name;
            ++entry;
        }
    }
}

TEST(UIRenderableRegistry, HoldsTheFourteenUIRenderableClasses) {
    const char* names[] = {"UIPointerRenderable",
                           "UIMenuItemRenderable",
                           "UISimpleRectangleRenderable",
                           "UITexturedRectangleRenderable",
                           "UIMultiColourisableImageRenderable",
                           "UIFullscreenImageRenderable",
                           "UIGeographicTintableRegionsMapRenderable",
                           "UIPannableZoomableLargeImageRenderable",
                           "UIMultiColourTintableImageRenderable",
                           "UIColourSelectionRectangleRenderable",
                           "UIHueSelectionStripRenderable",
                           "UITextRenderable",
                           "UIOutlinedRectangleRenderable",
                           "UIShadowedOutlinedRectangleRenderable"};
    for (const char* name : names) EXPECT_NE(findUIRenderableFactory(name), nullptr) << name;
    // The test program's own stand-ins aside, nothing else is registered.
    std::size_t others = 0;
    for (const auto& entry : getUIRenderableFactoryRegistry()) {
        if (entry.first.rfind("Test", 0) != 0) ++others;
    }
    EXPECT_EQ(others, std::size(names));
}

} // namespace
