// The render interface: who may create objects, what the swap carries across, and the queues.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "render/hand_off_task.h"
#include "render/render_interface.h"
#include "support/log_capture.h"

namespace {

class RenderInterfaceTest : public ::testing::Test {
protected:
    RenderInterfaceTest() : pool_("renderPool") {
        auto* description = new ParameterDescription("ui_box", &pool_, true);
        description->addParameter(new FloatParameter("alpha", 1.0f, false, &pool_, nullptr),
                                  static_cast<std::uint32_t>(ParameterKind::Float));
        registerParameterDescription(registry_, description);
        registerParameterDescription(registry_, new ParameterDescription("UITexturedRectangleRenderable", &pool_, true));
        renderInterface_ = std::make_unique<RenderInterface>(&registry_, &pool_, 1024, 768, "/somewhere");
        renderInterface_->setOwnerThreadId(platform::currentThreadId());
    }

    void setSettings(std::uint8_t displayChange, int epsilonPercent = 0) {
        renderInterface_->setRenderSettings(800, 600, displayChange, 1, 0, 0, 1, 0, 0, 1, 4, 1, "High", "Low",
                                            "main_font", "bold_font", epsilonPercent, 0);
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    std::unique_ptr<RenderInterface> renderInterface_;
};

TEST_F(RenderInterfaceTest, TheHandOffThreadActsForTheUpdateSideAndAThirdThreadIsRefusedOnceLogged) {
    // The update thread owns the interface; the test thread plays the main thread's hand-off.
    std::thread updateThread([&] { renderInterface_->setOwnerThreadId(platform::currentThreadId()); });
    updateThread.join();
    LogCapture log;

    RenderInterface::UIObject* before = renderInterface_->createUIObject("ui_box");
    EXPECT_EQ(before, nullptr) << "outside the hand-off the main thread may not create";

    renderInterface_->beginHandOff();
    EXPECT_FALSE(renderInterface_->objectsChangedInHandOff());
    RenderInterface::UIObject* made = renderInterface_->createUIObject("ui_box");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(renderInterface_->objectsChangedInHandOff());
    EXPECT_EQ(renderInterface_->uiObjectsToAdd().back(), made);
    // A third thread during the hand-off is still refused.
    RenderInterface::UIObject* third = reinterpret_cast<RenderInterface::UIObject*>(1);
    std::thread([&] {
        third = renderInterface_->createUIObject("ui_box");
        renderInterface_->destroyUIObject(made);
    }).join();
    EXPECT_EQ(third, nullptr);
    EXPECT_TRUE(renderInterface_->uiObjectsToDelete().empty());
    renderInterface_->destroyUIObject(made);
    EXPECT_EQ(renderInterface_->uiObjectsToDelete().back(), made);
    renderInterface_->endHandOff();

    EXPECT_EQ(renderInterface_->createUIObject("ui_box"), nullptr);
    int refusals = 0;
    for (const std::string& line : log.lines()) refusals += line.find("was refused") != std::string::npos;
    EXPECT_EQ(refusals, 1) << "every refusal after the first is silent";
}

TEST_F(RenderInterfaceTest, OnlyTheOwnerThreadCreatesObjects) {
    RenderInterface::UIObject* fromOtherThread = reinterpret_cast<RenderInterface::UIObject*>(1);
    RenderInterface::UIObject* texturedFromOtherThread = reinterpret_cast<RenderInterface::UIObject*>(1);
    RenderInterface::RenderableObject* sceneFromOtherThread = reinterpret_cast<RenderInterface::RenderableObject*>(1);
    std::thread other([&] {
        fromOtherThread = renderInterface_->createUIObject("ui_box");
        texturedFromOtherThread = renderInterface_->createTexturedRectObject("UITexturedRectangleRenderable", "a/", "b.png");
        sceneFromOtherThread = renderInterface_->createRenderObject("ui_box", nullptr);
    });
    other.join();
    EXPECT_EQ(fromOtherThread, nullptr);
    EXPECT_EQ(texturedFromOtherThread, nullptr);
    EXPECT_EQ(sceneFromOtherThread, nullptr);
    EXPECT_TRUE(renderInterface_->uiObjectsToAdd().empty());
    EXPECT_TRUE(renderInterface_->texturedRectsToAdd().empty());
    EXPECT_TRUE(renderInterface_->objectsToAdd().empty());
    EXPECT_TRUE(renderInterface_->liveUIObjects().empty());

    RenderInterface::UIObject* mine = renderInterface_->createUIObject("ui_box");
    ASSERT_NE(mine, nullptr);
    // A destroy from another thread is ignored as well.
    std::thread([&] { renderInterface_->destroyUIObject(mine); }).join();
    EXPECT_TRUE(renderInterface_->uiObjectsToDelete().empty());
}

TEST_F(RenderInterfaceTest, UnknownTypeIsLoggedAndGivesNull) {
    LogCapture log;
    EXPECT_EQ(renderInterface_->createUIObject("ui_nothing"), nullptr);
    EXPECT_TRUE(log.contains("Unable to create ui object of type ui_nothing"));
    EXPECT_EQ(renderInterface_->createRenderObject("scene_nothing", nullptr), nullptr);
    EXPECT_TRUE(log.contains("Unable to create render object of type scene_nothing"));
}

TEST_F(RenderInterfaceTest, SwapCarriesSettingsAndOneShotRequestsOnce) {
    setSettings(1, 50);
    EXPECT_EQ(renderInterface_->renderSettings().width, 1024u);
    renderInterface_->setShaderLevel(2);
    renderInterface_->swapFrame();
    const RenderSettings& render = renderInterface_->renderSettings();
    EXPECT_EQ(render.width, 800u);
    EXPECT_EQ(render.height, 600u);
    EXPECT_EQ(render.displayChangeRequested, 1);
    EXPECT_EQ(render.multisamplingType, 4u);
    EXPECT_EQ(render.textureDetail, "High");
    EXPECT_EQ(render.shadowDetail, "Low");
    EXPECT_EQ(render.shaderLevel, 2u);
    EXPECT_FLOAT_EQ(render.shadowEpsilon, 0.014f);
    EXPECT_EQ(renderInterface_->mainFontName(), "main_font");
    renderInterface_->swapFrame();
    EXPECT_EQ(renderInterface_->renderSettings().displayChangeRequested, 0);
    EXPECT_EQ(renderInterface_->renderSettings().width, 800u);
}

TEST_F(RenderInterfaceTest, ShadowEpsilonFollowsThePercentage) {
    const std::pair<int, float> cases[] = {{0, 0.012f}, {50, 0.014f}, {100, 0.016f}};
    for (auto [percent, expected] : cases) {
        setSettings(0, percent);
        EXPECT_FLOAT_EQ(renderInterface_->updateSettings().shadowEpsilon, expected) << percent;
    }
}

TEST_F(RenderInterfaceTest, SwapCarriesChangedParameters) {
    RenderInterface::UIObject* object = renderInterface_->createUIObject("ui_box");
    ASSERT_NE(object, nullptr);
    object->pair()->updateGroup()->setFloat("alpha", 0.25f);
    object->setRenderLayer(7);
    auto* renderAlpha = static_cast<FloatParameter*>(object->pair()->renderGroup()->getParameter("alpha"));
    auto* renderLayer = static_cast<UnsignedIntParameter*>(object->pair()->renderGroup()->getParameter("render_layer"));
    ASSERT_NE(renderAlpha, nullptr);
    ASSERT_NE(renderLayer, nullptr);
    EXPECT_EQ(renderAlpha->getValue(), 1.0f);
    EXPECT_EQ(renderLayer->getValue(), 0u);
    renderInterface_->swapFrame();
    EXPECT_EQ(renderAlpha->getValue(), 0.25f);
    EXPECT_EQ(renderLayer->getValue(), 7u);
    EXPECT_EQ(object->renderLayer(), 7u);
}

TEST_F(RenderInterfaceTest, StatusAndRequestFlagsCrossAtTheSwap) {
    // While a render state simply runs, an update-side request is dropped.
    renderInterface_->publishRenderStateStatus(7);
    renderInterface_->setHandOverAllowed(true);
    renderInterface_->swapFrame();
    EXPECT_FALSE(renderInterface_->handOverAllowedForRender());
    renderInterface_->swapFrame();
    EXPECT_FALSE(renderInterface_->handOverAllowedForRender());

    renderInterface_->publishRenderStateStatus(4);
    renderInterface_->setRenderStateName("frontEndState");
    renderInterface_->setGameStateStatus(6);
    renderInterface_->setHandOverAllowed(true);
    EXPECT_EQ(renderInterface_->renderStateStatusForUpdate(), 7u);
    renderInterface_->swapFrame();
    EXPECT_EQ(renderInterface_->renderStateStatusForUpdate(), 4u);
    EXPECT_EQ(renderInterface_->renderStateNameForUpdate(), "frontEndState");
    EXPECT_EQ(renderInterface_->gameStateStatusForRender(), 6u);
    EXPECT_TRUE(renderInterface_->handOverAllowedForRender());
}

TEST_F(RenderInterfaceTest, TexturedRectanglesAreNamedUpToTheLastDot) {
    RenderInterface::UIObject* knight =
        renderInterface_->createTexturedRectObject("UITexturedRectangleRenderable", "Data/portraits/", "sir.j.png");
    ASSERT_NE(knight, nullptr);
    EXPECT_EQ(knight->name(), "tex_rect_sir.j");
    EXPECT_EQ(knight->renderableClassName(), "UITexturedRectangleRenderable");
    EXPECT_EQ(knight->folder(), "Data/portraits/");
    EXPECT_EQ(knight->fileName(), "sir.j.png");
    EXPECT_EQ(knight->status(), 0u);
    RenderInterface::UIObject* box = renderInterface_->createUIObject("ui_box");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->renderableClassName(), "");
    EXPECT_EQ(box->folder(), "");
    EXPECT_EQ(box->fileName(), "");
    EXPECT_EQ(RenderInterface::texturedRectName("plain"), "tex_rect_plain");
    EXPECT_EQ(RenderInterface::texturedRectName("a.b.c.dds"), "tex_rect_a.b.c");
    EXPECT_EQ(renderInterface_->texturedRectsToAdd().size(), 1u);
}

// What a render state does with the queued objects in the hand-off (it draws none of these).
void takeDeletions(RenderInterface& renderInterface) {
    renderInterface.uiObjectsToAdd().clear();
    for (RenderInterface::UIObject* object : renderInterface.uiObjectsToDelete()) {
        renderInterface.parameterManager()->addPendingDeletion(object->pair());
        delete object;
    }
    renderInterface.uiObjectsToDelete().clear();
}

TEST_F(RenderInterfaceTest, DestroyingAUIObjectTwiceQueuesItOnce) {
    RenderInterface::UIObject* object = renderInterface_->createUIObject("ui_box");
    renderInterface_->destroyUIObject(object);
    renderInterface_->destroyUIObject(object);
    EXPECT_EQ(renderInterface_->uiObjectsToDelete().size(), 1u);
    EXPECT_TRUE(renderInterface_->liveUIObjects().empty());

    // Once the render side deleted it, destroying it again does nothing (and reads nothing of it:
    // the sanitizer would report that).
    takeDeletions(*renderInterface_);
    renderInterface_->destroyUIObject(object);
    EXPECT_TRUE(renderInterface_->uiObjectsToDelete().empty());
}

TEST_F(RenderInterfaceTest, LiveUIObjectsStayInCreationOrder) {
    std::vector<RenderInterface::UIObject*> made;
    for (int i = 0; i < 6; ++i) made.push_back(renderInterface_->createUIObject("ui_box"));
    renderInterface_->destroyUIObject(made[1]);
    renderInterface_->destroyUIObject(made[3]);
    made.push_back(renderInterface_->createTexturedRectObject("UITexturedRectangleRenderable", "", "a.png"));
    const std::vector<RenderInterface::UIObject*> live(renderInterface_->liveUIObjects().begin(),
                                                      renderInterface_->liveUIObjects().end());
    EXPECT_EQ(live, (std::vector<RenderInterface::UIObject*>{made[0], made[2], made[4], made[5], made[6]}));
}

// The render state frees retired pairs right after the hand-off; when none did, the next swap does.
TEST_F(RenderInterfaceTest, PairsOfDestroyedObjectsAreRetiredAtTheNextSwapAndFreedAtTheOneAfter) {
    RenderInterface::UIObject* kept = renderInterface_->createUIObject("ui_box");
    RenderInterface::UIObject* closed = renderInterface_->createUIObject("ui_box");
    ParameterManager::ParameterGroupPair* closedPair = closed->pair();
    ParameterManager* parameters = renderInterface_->parameterManager();
    renderInterface_->swapFrame();
    renderInterface_->destroyUIObject(closed);
    renderInterface_->swapFrame();
    takeDeletions(*renderInterface_);
    EXPECT_TRUE(parameters->retiredPairs().empty());

    renderInterface_->swapFrame();
    EXPECT_EQ(parameters->retiredPairs(), std::vector<ParameterManager::ParameterGroupPair*>{closedPair});
    EXPECT_EQ(parameters->livePairs(), std::vector<ParameterManager::ParameterGroupPair*>{kept->pair()});
    renderInterface_->swapFrame();
    EXPECT_TRUE(parameters->retiredPairs().empty());
    static_cast<FloatParameter*>(kept->pair()->updateGroup()->getParameter("alpha"))->setValue(0.5f);
    renderInterface_->swapFrame();
    EXPECT_EQ(static_cast<FloatParameter*>(kept->pair()->renderGroup()->getParameter("alpha"))->value, 0.5f);
}

TEST_F(RenderInterfaceTest, HandOffTasksRunWhileTheyWantTo) {
    struct CountingTask : HandOffTask {
        int runs = 0;
        bool wanted = true;
        void run() override { ++runs; }
        bool wantsToRun() override { return wanted; }
    } task;
    renderInterface_->addHandOffTask(&task);
    renderInterface_->swapFrame();
    task.wanted = false;
    renderInterface_->swapFrame();
    task.wanted = true;
    renderInterface_->removeHandOffTask(&task);
    renderInterface_->swapFrame();
    EXPECT_EQ(task.runs, 1);
}

TEST_F(RenderInterfaceTest, DelayedLightmapRebuildArrivesOneSwapLater) {
    renderInterface_->lightmapDelayedRebuildRequest = 1;
    renderInterface_->swapFrame();
    EXPECT_EQ(renderInterface_->lightmapRebuild, 0);
    renderInterface_->swapFrame();
    EXPECT_EQ(renderInterface_->lightmapRebuild, 1);
}

} // namespace
