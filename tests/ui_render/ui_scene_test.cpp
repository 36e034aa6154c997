// A small scene through the program's own UI render paths: a shadowed panel, a framed button
// with its label, an image-free plain bar and the mouse pointer. Its read-back is always written
// to the tests' picture folder, for a person to look at.
#include "ui_draw_fixture.h"

#include "platform/file_io.h"

namespace {

using uitest::near;

class UIScene : public uitest::UIDrawTest {
protected:
    UIScene() : UIDrawTest(640, 360) {}

    void SetUp() override {
        std::string groups;
        ASSERT_TRUE(platform::readWholeFile("Data/graphics/ui/render_paths.xml", groups));
        groups = groups.substr(groups.find("<RenderPaths>") + 13);
        groups = groups.substr(0, groups.find("</RenderPaths>"));
        start(groups);
    }
};

TEST_F(UIScene, PanelButtonLabelAndPointerDrawInLayerOrder) {
    RenderInterface::UIObject* panel = make("ui_shadowed_outlined_rectangle", 1);
    placeRectangle(panel, 100, 60, 540, 300);
    params(panel)->setVector4("colour", {0.15f, 0.12f, 0.1f, 1.0f});
    params(panel)->setVector4("borderColour", {0.6f, 0.55f, 0.4f, 1.0f});
    params(panel)->setVector4("borderColour2", {0.3f, 0.25f, 0.2f, 1.0f});
    params(panel)->setUnsignedInt("border1Width", 2);
    params(panel)->setUnsignedInt("border1Height", 2);
    params(panel)->setUnsignedInt("border2Width", 2);
    params(panel)->setUnsignedInt("border2Height", 2);

    RenderInterface::UIObject* bar = make("ui_simple_rectangle", 2);
    placeRectangle(bar, 102, 62, 538, 90);
    params(bar)->setVector4("colour", {0.2f, 0.3f, 0.5f, 1.0f});

    RenderInterface::UIObject* button = make("ui_outlined_rectangle", 2);
    placeRectangle(button, 240, 200, 400, 250);
    params(button)->setVector4("colour", {0.35f, 0.3f, 0.25f, 1.0f});
    params(button)->setBool("roundedCorners", true);

    RenderInterface::UIObject* label = make("TextBox", 3);
    ASSERT_NE(label, nullptr);
    params(label)->setString("string", "Load character");
    params(label)->setVector2("topLeft", {edgeX(250), edgeY(205)});
    params(label)->setVector2("bottomRight", {edgeX(390), edgeY(245)});
    params(label)->setVector4("colour", {1.0f, 1.0f, 1.0f, 1.0f});
    params(label)->setString("font", "EBGaramond-Regular_48");

    RenderInterface::UIObject* pointer = make("mousePointer", 31);
    params(pointer)->setUnsignedInt("xPos", 320);
    params(pointer)->setUnsignedInt("yPos", 225);
    params(pointer)->setInt("horizAlign", -1);
    params(pointer)->setInt("vertAlign", -1);

    frame(0xFF404040);
    frame(0xFF404040);
    savePicture(lastFrame_);

    EXPECT_TRUE(near(pixel(300, 150), 0xFF261F1A)) << "panel fill " << std::hex << pixel(300, 150);
    EXPECT_TRUE(near(pixel(110, 75), 0xFF334C80)) << "bar over the panel " << std::hex << pixel(110, 75);
    EXPECT_LT(pixel(98, 150) & 255, 0x40u) << "shadow left of the panel";
    EXPECT_TRUE(near(pixel(240, 200), 0xFF261F1A)) << "the panel through the button's rounded corner";
    // Some of the label's ink lies inside the button, none of it left of the label box.
    int ink = 0;
    for (int y = 205; y < 245; ++y) {
        for (int x = 250; x < 318; ++x) ink += (pixel(x, y) & 255) > 0xC0 ? 1 : 0;
    }
    EXPECT_GT(ink, 20) << "label text";
    // The pointer's outline and body sit right of and below its position, over the button.
    EXPECT_TRUE(near(pixel(320, 225), 0xFF000000)) << "pointer tip " << std::hex << pixel(320, 225);
    EXPECT_TRUE(near(pixel(322, 234), 0xFFFFFFFF, 24)) << "pointer body " << std::hex << pixel(322, 234);
}

} // namespace
