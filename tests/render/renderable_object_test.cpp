// 3D render objects: the "matrix" parameter and the initial transform taken from the creation matrix.
#include <gtest/gtest.h>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "app/thread_resource_pool.h"
#include "app/typed_parameters.h"
#include "render/render_interface.h"

namespace {

class RenderableObjectTest : public ::testing::Test {
protected:
    RenderableObjectTest() : pool_("renderPool"), renderInterface_(&registry_, &pool_, 640, 480, "") {
        registerParameterDescription(registry_, new ParameterDescription("basic_cube", &pool_, true));
        renderInterface_.setOwnerThreadId(platform::currentThreadId());
    }

    const MatrixValue& matrixOf(RenderInterface::RenderableObject* object) {
        return static_cast<MatrixParameter*>(object->pair()->updateGroup()->getParameter("matrix"))->getValue();
    }

    ParameterDescriptionRegistry registry_;
    ThreadResourcePool pool_;
    RenderInterface renderInterface_;
};

const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const float moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};

TEST_F(RenderableObjectTest, IdentityCreationMatrixHasNoInitialTransform) {
    RenderInterface::RenderableObject* cube = renderInterface_.createRenderObject("basic_cube", identity);
    ASSERT_NE(cube, nullptr);
    EXPECT_FALSE(cube->hasInitialTransform());
    SimpleParameterGroup* group = cube->pair()->updateGroup();
    EXPECT_FALSE(group->hasParameter("initialScale"));
    EXPECT_TRUE(group->hasParameter("skeleton"));
    EXPECT_TRUE(cube->pair()->live);
    cube->setMatrix(moved);
    EXPECT_EQ(matrixOf(cube)[12], 5.0f);
    EXPECT_EQ(matrixOf(cube)[14], 7.0f);
}

TEST_F(RenderableObjectTest, ScaledCreationMatrixAppliesItsScaleFirst) {
    const float quarter[16] = {0.25f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 0.25f, 0, 0, 0, 0, 1};
    RenderInterface::RenderableObject* cube = renderInterface_.createRenderObject("basic_cube", quarter);
    ASSERT_TRUE(cube->hasInitialTransform());
    SimpleParameterGroup* group = cube->pair()->updateGroup();
    auto scale = static_cast<Vector3Parameter*>(group->getParameter("initialScale"))->getValue();
    auto rotation = static_cast<Vector4Parameter*>(group->getParameter("initialRotation"))->getValue();
    auto translation = static_cast<Vector3Parameter*>(group->getParameter("initialTranslation"))->getValue();
    EXPECT_EQ(scale, (Vector3Value{0.25f, 0.25f, 0.25f}));
    EXPECT_EQ(translation, (Vector3Value{0, 0, 0}));
    EXPECT_FLOAT_EQ(rotation[3], 1.0f);
    cube->setMatrix(moved);
    const MatrixValue& placed = matrixOf(cube);
    EXPECT_FLOAT_EQ(placed[0], 0.25f);
    EXPECT_FLOAT_EQ(placed[10], 0.25f);
    // The translation of the placement is not scaled: the scale applies before it.
    EXPECT_FLOAT_EQ(placed[12], 5.0f);
    EXPECT_FLOAT_EQ(placed[13], 6.0f);
}

TEST_F(RenderableObjectTest, DestroyBeforeTheSwapLeavesTheAddQueueAndQueuesDeletionOnce) {
    RenderInterface::RenderableObject* cube = renderInterface_.createRenderObject("basic_cube", moved);
    EXPECT_TRUE(cube->hasInitialTransform()) << "a translation alone is not the identity";
    EXPECT_EQ(renderInterface_.objectsToAdd().size(), 1u);
    renderInterface_.destroyRenderObject(cube);
    renderInterface_.destroyRenderObject(cube);
    EXPECT_TRUE(renderInterface_.objectsToAdd().empty());
    EXPECT_EQ(renderInterface_.objectsToDelete().size(), 1u);
    EXPECT_TRUE(renderInterface_.liveObjects().empty());
}

} // namespace
