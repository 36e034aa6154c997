#pragma once
// The parameters every dynamic mesh render object carries, declared once: the renderable
// registers them under its class name and under every mesh's asset name, and the assets read
// them on the render side.
#include <string>

#include "render/declared_parameter.h"

class ParameterDescriptionRegistry;
class ThreadResourcePool;

struct DynamicMeshParameters {
    // Added to the lit colour; (0, 0, 0, 1) leaves the mesh as lit. Its alpha scales the mesh's.
    static inline const DeclaredParameter<Vector4Parameter> highlightColour{"highlightColour", {0.0f, 0.0f, 0.0f, 1.0f}};
    // False skips the instance in every pass.
    static inline const DeclaredParameter<BoolParameter> shouldRender{"shouldRender", true};
};

// Registers a description of the two parameters under the type name; false when the name was
// taken (the registry keeps the earlier one).
bool registerDynamicMeshDescription(ParameterDescriptionRegistry& registry, ThreadResourcePool* pool,
                                    const std::string& typeName);
