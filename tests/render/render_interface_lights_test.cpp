// Lights and ground regions through the render interface: their own queues, filled on the update
// side and taken by the render side after the hand-off.
#include <gtest/gtest.h>

#include <thread>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "render/light_parameters.h"
#include "render/render_interface.h"
#include "render/renderable_light.h"
#include "support/log_capture.h"

namespace {

class RenderInterfaceLightsTest : public ::testing::Test {
protected:
    RenderInterfaceLightsTest() : pool_("renderPool") {
        renderInterface_ = std::make_unique<RenderInterface>(&registry_, &pool_, 1024, 768, ".");
        renderInterface_->setOwnerThreadId(platform::currentThreadId());
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    std::unique_ptr<RenderInterface> renderInterface_;
};

TEST_F(RenderInterfaceLightsTest, ALightBeforeItsDescriptionIsRegisteredIsRefusedAndLogged) {
    LogCapture log;
    EXPECT_EQ(renderInterface_->createLight(kPointLightType), nullptr);
    EXPECT_TRUE(log.contains("Unable to create light of type point_light"));
    EXPECT_TRUE(renderInterface_->lightsToAdd().empty());
    EXPECT_TRUE(renderInterface_->liveLights().empty());
}

TEST_F(RenderInterfaceLightsTest, LightsGoToTheLightListAndTheirValuesReachTheRenderSide) {
    registerLightParameterDescriptions(registry_, &pool_);
    RenderInterface::RenderableObject* point = renderInterface_->createLight(kPointLightType);
    RenderInterface::RenderableObject* directional = renderInterface_->createLight(kDirectionalLightType);
    ASSERT_NE(point, nullptr);
    ASSERT_NE(directional, nullptr);
    EXPECT_EQ(renderInterface_->lightsToAdd(), (std::list<RenderInterface::RenderableObject*>{point, directional}));
    EXPECT_TRUE(renderInterface_->objectsToAdd().empty()) << "lights are no scene objects";
    EXPECT_TRUE(renderInterface_->liveObjects().empty());

    SimpleParameterGroup* values = point->pair()->updateGroup();
    EXPECT_TRUE(declared::set(values, PointLightParameters::radius, 3.0f));
    EXPECT_TRUE(declared::set(values, PointLightParameters::position, {4, 5, 6}));
    EXPECT_TRUE(declared::set(values, PointLightParameters::colour, {1, 0.5f, 0.25f}));
    EXPECT_FALSE(declared::find(directional->pair()->updateGroup(), PointLightParameters::radius));

    renderInterface_->swapFrame();
    // The render side takes the light as the game render state does.
    RenderablePointLight light(point->pair());
    EXPECT_EQ(light.record().squaredRadius, 9.0f);
    EXPECT_EQ(light.record().position[2], 6.0f);
    EXPECT_EQ(light.record().colour[1], 0.5f);

    LogCapture log;
    EXPECT_EQ(renderInterface_->createLight("spot_light"), nullptr);
    EXPECT_TRUE(log.contains("Unable to create light of type spot_light"));
}

TEST_F(RenderInterfaceLightsTest, ALightDestroyedBeforeItWasTakenLeavesTheAddQueueButIsStillFreedByTheRenderSide) {
    registerLightParameterDescriptions(registry_, &pool_);
    RenderInterface::RenderableObject* light = renderInterface_->createLight(kPointLightType);
    renderInterface_->destroyLight(light);
    renderInterface_->destroyLight(light);
    EXPECT_TRUE(renderInterface_->lightsToAdd().empty());
    EXPECT_TRUE(renderInterface_->liveLights().empty());
    EXPECT_EQ(renderInterface_->lightsToDelete(), std::list<RenderInterface::RenderableObject*>{light});

    RenderInterface::RenderableObject* other = nullptr;
    std::thread([&] { other = renderInterface_->createLight(kPointLightType); }).join();
    EXPECT_EQ(other, nullptr) << "only the update side makes lights";
}

TEST_F(RenderInterfaceLightsTest, RegionsAreQueuedOnTheUpdateSideAndTakenAfterTheHandOff) {
    RenderInterface::Region* kept = renderInterface_->createRegion(-10, -20, 30, 40);
    RenderInterface::Region* dropped = renderInterface_->createRegion(0, 0, 1, 1);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->a[1], -20.0f);
    EXPECT_EQ(kept->b[0], 30.0f);
    renderInterface_->destroyRegion(dropped);
    EXPECT_EQ(renderInterface_->regionsToAdd(), std::list<RenderInterface::Region*>{kept});

    renderInterface_->beginHandOff();
    renderInterface_->swapFrame();
    // What the render side does in the hand-off: take the new regions, free the deleted ones.
    std::list<RenderInterface::Region*> taken;
    taken.swap(renderInterface_->regionsToAdd());
    for (RenderInterface::Region* region : taken) region->waiting = 0;
    for (RenderInterface::Region* region : renderInterface_->regionsToDelete()) delete region;
    renderInterface_->regionsToDelete().clear();
    renderInterface_->endHandOff();
    EXPECT_EQ(taken, std::list<RenderInterface::Region*>{kept});

    renderInterface_->destroyRegion(kept);
    EXPECT_TRUE(renderInterface_->regionsToAdd().empty());
    EXPECT_EQ(renderInterface_->regionsToDelete(), std::list<RenderInterface::Region*>{kept});
    EXPECT_TRUE(renderInterface_->liveRegions().empty());
}

} // namespace
