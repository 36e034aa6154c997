#pragma once
// The 3D renderables this layer registers, in registration order: the name the render paths file
// uses, and the class name the renderable gives itself (the same but for the grid's arrows).
#include <string>
#include <vector>

struct SceneRenderableName {
    std::string registered;
    std::string className;
};

const std::vector<SceneRenderableName>& sceneRenderableNames();
