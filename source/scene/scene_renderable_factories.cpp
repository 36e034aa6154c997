// The factories of the 3D renderables, by the names the scene's render paths file uses. Each
// class enters here with one factory object and its entry in the list below.
#include "scene/scene_renderable_factories.h"

#include "render/renderable_factory.h"
#include "scene/basic_cube.h"
#include "scene/basic_sphere.h"
#include "scene/basic_square.h"
#include "scene/convex_hull.h"
#include "scene/decals.h"
#include "scene/dynamic_mesh_renderable.h"
#include "scene/flat_tile_group.h"
#include "scene/fog_of_war.h"
#include "scene/grid_extras.h"
#include "scene/hex_grid.h"
#include "scene/simple_line.h"
#include "scene/static_flat_tiles.h"
#include "scene/static_mesh_renderable.h"

namespace {

RenderableFactory<BasicCubeRenderable> basicCube("BasicCubeRenderable");
RenderableFactory<BasicSphereRenderable> basicSphere("BasicSphereRenderable");
RenderableFactory<GridExtrasRenderable> gridExtras("GridExtrasRenderable");
RenderableFactory<SimpleLineRenderable> simpleLine("SimpleLineRenderable");
RenderableFactory<DecalsRenderable> decals("DecalsRenderable");
RenderableFactory<HexGridRenderable> hexGrid("HexGridRenderable");
RenderableFactory<FogOfWarHexRenderable> fogOfWar("FogOfWarHexRenderable");
RenderableFactory<BasicSquareRenderable> basicSquare("BasicSquareRenderable");
RenderableFactory<FlexibleConvexHullRenderable> convexHull("FlexibleConvexHullRenderable");
RenderableFactory<DynamicMeshRenderable> dynamicMeshFactory(DynamicMeshRenderable::kClassName);
RenderableFactory<StaticMeshRenderable> staticMeshFactory(StaticMeshRenderable::kClassName);
RenderableFactory<FlatTileGroupRenderable> flatTiles("FlatTileGroupRenderable");
RenderableFactory<Static2DFlatTileRenderable> staticTiles("Static2DFlatTileRenderable");

} // namespace

const std::vector<SceneRenderableName>& sceneRenderableNames() {
    static const std::vector<SceneRenderableName> names{
        {"BasicCubeRenderable", "BasicCubeRenderable"},
        {"BasicSphereRenderable", "BasicSphereRenderable"},
        {"GridExtrasRenderable", "TexturedArrowRenderable"},
        {"SimpleLineRenderable", "SimpleLineRenderable"},
        {"DecalsRenderable", "DecalsRenderable"},
        {"HexGridRenderable", "HexGridRenderable"},
        {"FogOfWarHexRenderable", "FogOfWarHexRenderable"},
        {"BasicSquareRenderable", "BasicSquareRenderable"},
        {"FlexibleConvexHullRenderable", "FlexibleConvexHullRenderable"},
        {DynamicMeshRenderable::kClassName, DynamicMeshRenderable::kClassName},
        {StaticMeshRenderable::kClassName, StaticMeshRenderable::kClassName},
        {"FlatTileGroupRenderable", "FlatTileGroupRenderable"},
        {"Static2DFlatTileRenderable", "Static2DFlatTileRenderable"},
    };
    return names;
}

// Named on the engine's link line, so this file and its factories are part of every program.
extern "C" void zoderud_link_scene_renderables() {}
