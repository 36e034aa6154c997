#pragma once
// A box in the physics world, drawn as a cube.
#include "world/base_world_entity.h"

class BasicCubeEntity : public BaseWorldEntity {
public:
    // Drawn by a "BasicCube" render object, held by a body on the shape "Box".
    BasicCubeEntity(EntityContext* owner, std::string name);

    void activate() override {}
    void releaseWorldObjects() override { releaseBodyAndRenderObject(); }
};
