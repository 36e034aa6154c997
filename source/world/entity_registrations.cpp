// The entity types the world makes by name, registered at static start-up.
#include "world/base_projectile_entity.h"
#include "world/basic_cube_entity.h"
#include "world/entity_factory.h"
#include "world/model_viewer_camera_entity.h"

namespace {

EntityFactory<BasicCubeEntity> basicCubeFactory("basic_cube");
EntityFactory<BaseProjectileEntity> baseProjectileFactory("base_projectile");
EntityFactory<ModelViewerCameraEntity> modelViewerCameraFactory("model_viewer_camera");

} // namespace

// Named on the engine's link line, so these registrations are part of every program.
extern "C" void zoderud_link_entity_factories() {}
