// The cube entity's render object and body.
#include "world/basic_cube_entity.h"

BasicCubeEntity::BasicCubeEntity(EntityContext* owner, std::string name) : BaseWorldEntity(owner, std::move(name)) {
    setRenderObject("BasicCube");
    attachPhysicsBody("Box");
}
