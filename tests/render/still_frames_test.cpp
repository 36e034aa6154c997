// Frames that show nothing new are neither drawn nor presented: the program's front end with the
// shipped UI renderables on an offscreen device, under widgets driven through the UI harness. A
// still screen leaves the picture as it was, and each kind of change (pointer movement and the
// hover it starts, a tool tip due after its delay, a held key's repeats, objects made and
// deleted, values changed, a device reset, a new screen size, a redraw request) is drawn again in
// time, the picture then being the one a full redraw gives.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/graphics_system.h"
#include "render/device_global.h"
#include "render/render_state_front_end.h"
#include "support/ui_harness.h"
#include "ui/game_ui_editable_text_line_box.h"
#include "ui/game_ui_floating_tool_tip.h"
#include "ui/game_ui_push_button.h"
#include "ui/mouse_pointer.h"
#include "ui/ui_object_params.h"
#include "ui_render/ui_manager.h"

namespace {

constexpr std::uint32_t marker = 0xFF2468ACu;

// A rectangle of the back buffer in pixels, y down.
struct PixelRect {
    int left, top, right, bottom;
};

class StillFrames : public ::testing::Test {
protected:
    static UIHarness::Options options() {
        UIHarness::Options o;
        o.width = 640;
        o.height = 480;
        o.mousePointer = true;
        return o;
    }

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("still frames", 0, 0, int(ui.width()), int(ui.height()),
                                   SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        system_ = gfx::GraphicsSystem::create();
        ASSERT_NE(system_, nullptr);
        gfx::PresentParameters parameters{};
        parameters.backBufferWidth = ui.width();
        parameters.backBufferHeight = ui.height();
        parameters.deviceWindow = window_;
        parameters.presentationInterval = gfx::PresentInterval::Immediate;
        ASSERT_EQ(system_->createDevice(0, gfx::DeviceType::Hal, window_, gfx::CreateFlags::HardwareVertexProcessing,
                                        parameters, &deviceGlobal),
                  gfx::Result::Ok);
        createVertexDeclarations();
        RenderInterface& ri = ui.renderInterface();
        ri.renderSettings().width = ui.width();
        ri.renderSettings().height = ui.height();
        manager_ = std::make_unique<UIManager>(&pool_, &ri);
        manager_->loadRenderPaths(&ui.registry(), "Data/graphics/ui/render_paths.xml");
        frontEnd = std::make_unique<RenderStateFrontEnd>(&pool_, "frontEndState", nullptr, &ui.registry(), &ri,
                                                         manager_.get(), ui.width(), ui.height());
        // The hand-off's half of the render side, then the render state's frame.
        ui.renderSide = [this] {
            frontEnd->processPendingObjects();
            frontEnd->update(UIHarness::frameTime);
        };
        const float tl[2] = {-0.6f, 0.5f}, br[2] = {0.6f, -0.1f};
        button = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "okButton", "OK", "Confirm the choice",
                                                   tl, br, nullptr));
        // The arrow, as the main menu picks it.
        ui.mousePointer()->setPointerType();
        pointTo(-0.9f, -0.9f);
    }

    void TearDown() override {
        RenderStateFrontEnd::setDrawEveryFrame(false);
        ui.renderSide = nullptr;
        frontEnd.reset();
        if (manager_) manager_->destroyRenderables();
        manager_.reset();
        releaseVertexDeclarations();
        gfx::safeRelease(deviceGlobal);
        gfx::safeRelease(system_);
        if (window_) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Where the pointer is at the next poll, in UI units.
    void pointTo(float x, float y) {
        ui.devices().pointerX = (x + 1.0f) * 0.5f * float(ui.width());
        ui.devices().pointerY = (1.0f - y) * 0.5f * float(ui.height());
    }
    // One frame as the program runs it: the input polled, the update cycle, the hand-off and the
    // render state's frame.
    void frame() {
        ui.poll();
        ui.step();
    }
    // Frames until three in a row present nothing: what the set-up changed is drawn.
    void settle() {
        int quiet = 0;
        for (int i = 0; i < 120 && quiet < 3; ++i) {
            const std::uint64_t before = presents();
            frame();
            quiet = presents() == before ? quiet + 1 : 0;
        }
        ASSERT_EQ(quiet, 3) << "the screen never became still";
    }
    // Five seconds in which nothing happens.
    void stillFor(float seconds) {
        const std::uint64_t before = presents();
        for (int i = 0; i < int(seconds * 60.0f + 0.5f); ++i) frame();
        ASSERT_EQ(presents(), before) << "a still screen was presented";
    }

    static std::uint64_t presents() { return deviceGlobal->presentCount(); }

    std::vector<std::uint32_t> backBuffer() const {
        std::vector<std::uint32_t> pixels;
        gfx::Surface* back = nullptr;
        deviceGlobal->getBackBuffer(&back);
        deviceGlobal->readSurface(back, pixels);
        back->release();
        return pixels;
    }
    std::uint32_t pixel(int x, int y) const { return backBuffer().at(std::size_t(y) * ui.width() + std::size_t(x)); }
    std::vector<std::uint32_t> region(const PixelRect& r) const {
        const std::vector<std::uint32_t> all = backBuffer();
        std::vector<std::uint32_t> out;
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, int(ui.height())); ++y) {
            for (int x = std::max(r.left, 0); x < std::min(r.right, int(ui.width())); ++x) {
                out.push_back(all[std::size_t(y) * ui.width() + std::size_t(x)]);
            }
        }
        return out;
    }
    // An element's rectangle on screen, in pixels.
    PixelRect rectOf(const GameUIBaseElement& element) const {
        return {int((element.absTopLeft[0] + 1.0f) * 0.5f * float(ui.width())),
                int((1.0f - element.absTopLeft[1]) * 0.5f * float(ui.height())),
                int((element.absBottomRight[0] + 1.0f) * 0.5f * float(ui.width())),
                int((1.0f - element.absBottomRight[1]) * 0.5f * float(ui.height()))};
    }
    // Inside the button, away from its caption and the pointer over its middle.
    std::uint32_t buttonFace() const {
        const PixelRect r = rectOf(*button);
        return pixel(r.left + 12, (r.top + r.bottom) / 2);
    }
    // The region shows what a full redraw of the same state shows.
    void expectCurrent(const PixelRect& r, const char* what) {
        const std::vector<std::uint32_t> shown = region(r);
        RenderStateFrontEnd::setDrawEveryFrame(true);
        ui.renderSide();
        ui.renderSide();
        RenderStateFrontEnd::setDrawEveryFrame(false);
        EXPECT_TRUE(region(r) == shown) << what << ": the picture left on screen was out of date";
    }

    UIHarness ui{options()};
    GameUIPushButton* button = nullptr;
    std::unique_ptr<RenderStateFrontEnd> frontEnd;

private:
    SDL_Window* window_ = nullptr;
    gfx::GraphicsSystem* system_ = nullptr;
    ThreadResourcePool pool_{"renderPool"};
    std::unique_ptr<UIManager> manager_;
};

TEST_F(StillFrames, AStillScreenIsNeitherDrawnNorPresentedWhileTheUpdateCyclesGoOn) {
    settle();
    // Paint over the picture: a frame drawn would clear it.
    ASSERT_TRUE(gfx::succeeded(deviceGlobal->clear(gfx::Clear::Target, marker, 1.0f, 0)));
    const float clockBefore = ui.clock();
    stillFor(5.0f);
    EXPECT_NEAR(ui.clock() - clockBefore, 5.0f, 0.01f) << "the update cycles stopped";
    for (auto [x, y] : {std::pair{0, 0}, std::pair{320, 150}, std::pair{639, 479}}) EXPECT_EQ(pixel(x, y), marker);

    // The test switch draws and presents every frame, changed or not.
    RenderStateFrontEnd::setDrawEveryFrame(true);
    const std::uint64_t before = presents();
    for (int i = 0; i < 3; ++i) frame();
    EXPECT_EQ(presents(), before + 3);
    EXPECT_NE(pixel(0, 0), marker);
}

TEST_F(StillFrames, HoveringAButtonAfterFiveStillSecondsShowsItsHighlightWithinTwoFrames) {
    settle();
    stillFor(5.0f);
    const std::uint32_t normal = buttonFace();
    // The pointer's own picture where it will be, before it gets there.
    const PixelRect at = rectOf(*button);
    const int cx = (at.left + at.right) / 2, cy = (at.top + at.bottom) / 2;
    const PixelRect underPointer{cx - 40, cy - 40, cx + 40, cy + 40};
    const std::vector<std::uint32_t> beforePointer = region(underPointer);

    float centre[2];
    UIHarness::centreOf(*button, centre);
    pointTo(centre[0], centre[1]);
    frame();
    EXPECT_TRUE(region(underPointer) != beforePointer) << "the pointer was not drawn where it moved";
    frame();
    EXPECT_NE(buttonFace(), normal) << "no highlight two frames after the pointer came";
    expectCurrent(rectOf(*button), "hover");
}

TEST_F(StillFrames, AToolTipStillAppearsAfterItsDelay) {
    settle();
    float centre[2];
    UIHarness::centreOf(*button, centre);
    pointTo(centre[0], centre[1]);
    frame();
    frame();
    GameUIFloatingToolTip* tip = ui.toolTip();
    ASSERT_NE(tip, nullptr);
    ASSERT_EQ(tip->stringShown, 0);
    // Nothing changes on screen while the delay runs: those frames are not drawn.
    const std::uint64_t afterHover = presents();
    std::uint64_t beforeLastFrame = afterHover;
    int frames = 2;
    while (!tip->stringShown && frames < 120) {
        beforeLastFrame = presents();
        frame();
        ++frames;
    }
    ASSERT_EQ(tip->stringShown, 1);
    EXPECT_GE(float(frames) * UIHarness::frameTime, tip->delay);
    EXPECT_EQ(beforeLastFrame, afterHover) << "frames were drawn while nothing changed";
    // The tip's frame, by its own corners.
    const auto topLeft = UIHarness::vector2Of(tip->frame, "topLeft");
    const auto bottomRight = UIHarness::vector2Of(tip->frame, "bottomRight");
    const PixelRect tipRect{int((topLeft[0] + 1.0f) * 0.5f * float(ui.width())) + 4,
                            int((1.0f - topLeft[1]) * 0.5f * float(ui.height())) + 4,
                            int((bottomRight[0] + 1.0f) * 0.5f * float(ui.width())) - 4,
                            int((1.0f - bottomRight[1]) * 0.5f * float(ui.height())) - 4};
    ASSERT_LT(tipRect.left, tipRect.right);
    const std::vector<std::uint32_t> before = region(tipRect);
    frame();
    frame();
    EXPECT_TRUE(region(tipRect) != before) << "the tool tip was never drawn";
    expectCurrent(tipRect, "tool tip");
}

TEST_F(StillFrames, AHeldKeyRepeatsIntoAnEditBoxAndEachRepeatIsDrawn) {
    const float tl[2] = {-0.6f, -0.4f}, br[2] = {0.6f, -0.6f};
    auto* box = ui.addWindow(new GameUIEditableTextLineBox(&ui.context(), ui.theme(), "nameBox", "", "EBGaramond-Regular_48",
                                                           "", tl, br, nullptr, false));
    float centre[2];
    UIHarness::centreOf(*box, centre);
    pointTo(centre[0], centre[1]);
    frame();
    ui.pressButton();
    frame();
    ui.releaseButton();
    settle();
    ASSERT_TRUE(box->active) << "the box did not take the edit focus";
    stillFor(2.0f);

    constexpr std::uint8_t keyA = 0x1E;
    ui.devices().keys[keyA] = 0x80;
    ui.devices().characters[keyA] = 'a';
    std::string drawnText;
    int repeatsSeen = 0;
    for (int i = 0; i < 60; ++i) {
        const std::string before = UIHarness::stringOf(box->textObject);
        frame();
        if (UIHarness::stringOf(box->textObject) != before) ++repeatsSeen;
    }
    ui.devices().keys[keyA] = 0;
    frame();
    frame();
    EXPECT_GE(repeatsSeen, 3) << "the key did not repeat";
    EXPECT_GE(box->text.size(), 3u);
    expectCurrent(rectOf(*box), "held key");
}

TEST_F(StillFrames, ObjectsMadeOrDeletedAndValuesChangedAreDrawnAValueSetAgainIsNot) {
    struct Case {
        const char* what;
        std::function<void()> change;
        bool drawn;
    };
    GameUIPushButton* second = nullptr;
    const float red[4] = {0.9f, 0.2f, 0.1f, 1.0f};
    const float tl[2] = {-0.6f, -0.3f}, br[2] = {0.0f, -0.5f};
    const Case cases[] = {
        {"a window opened", [&] { second = ui.addWindow(new GameUIPushButton(&ui.context(), ui.theme(), "other", "Other",
                                                                             "", tl, br, nullptr)); },
         true},
        {"a colour changed", [&] { uiobject::setColour(second->frame, OutlinedRectangleParameters::colour, red); }, true},
        {"the same colour set again", [&] { uiobject::setColour(second->frame, OutlinedRectangleParameters::colour, red); }, false},
        {"a window closed", [&] { ui.windowManager().removeWindow(second); }, true},
    };
    for (const Case& c : cases) {
        settle();
        const std::uint64_t before = presents();
        c.change();
        frame();
        frame();
        if (c.drawn) {
            EXPECT_GT(presents(), before) << c.what;
            expectCurrent({0, 0, int(ui.width()), int(ui.height())}, c.what);
        } else {
            EXPECT_EQ(presents(), before) << c.what;
        }
    }
}

TEST_F(StillFrames, ADeviceResetANewScreenSizeAndARedrawRequestEachDrawAgain) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"device reset", [&] { frontEnd->onResetDevice(); }},
        {"screen size", [&] { frontEnd->setScreenSize(ui.width(), ui.height()); }},
        {"redraw request", [&] { frontEnd->requestRedraw(); }},
    };
    for (const auto& [what, ask] : cases) {
        settle();
        ASSERT_TRUE(gfx::succeeded(deviceGlobal->clear(gfx::Clear::Target, marker, 1.0f, 0)));
        const std::uint64_t before = presents();
        ask();
        frame();
        EXPECT_EQ(presents(), before + 1) << what;
        EXPECT_NE(pixel(0, 0), marker) << what;
    }
}

} // namespace
