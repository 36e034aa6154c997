// The factories of the 3D renderables, by the names the scene's render paths file uses. Each
// class enters here with one factory object and its entry in the list below.
#include "scene/scene_renderable_factories.h"

#include "render/renderable_factory.h"
#include "scene/dynamic_mesh_renderable.h"
#include "scene/static_mesh_renderable.h"

namespace {

RenderableFactory<DynamicMeshRenderable> dynamicMeshFactory(DynamicMeshRenderable::kClassName);
RenderableFactory<StaticMeshRenderable> staticMeshFactory(StaticMeshRenderable::kClassName);

} // namespace

const std::vector<SceneRenderableName>& sceneRenderableNames() {
    static const std::vector<SceneRenderableName> names{
        {DynamicMeshRenderable::kClassName, DynamicMeshRenderable::kClassName},
        {StaticMeshRenderable::kClassName, StaticMeshRenderable::kClassName},
    };
    return names;
}

// Named on the engine's link line, so this file and its factories are part of every program.
extern "C" void zoderud_link_scene_renderables() {}
