#pragma once
// The two light types of the scene and the parameters a point light carries. Their descriptions
// are registered by the renderable manager when it starts; until then no light can be made.
#include "render/declared_parameter.h"

class ParameterDescriptionRegistry;
class ThreadResourcePool;

inline constexpr const char* kDirectionalLightType = "directional_light";
inline constexpr const char* kPointLightType = "point_light";

// Added to every point light by the render interface when it makes one; a light made by other
// code may lack some, and those read as the defaults.
struct PointLightParameters {
    static inline const DeclaredParameter<FloatParameter> radius{"radius", 0.0f};
    static inline const DeclaredParameter<Vector3Parameter> position{"position", {0.0f, 0.0f, 0.0f}};
    static inline const DeclaredParameter<Vector3Parameter> colour{"colour", {0.0f, 0.0f, 0.0f}};
};

bool isLightType(const std::string& typeName);

// Registers "directional_light" and "point_light" (no parameters of their own; they mark changes,
// so that values set after a light is made reach the render side).
void registerLightParameterDescriptions(ParameterDescriptionRegistry& registry, ThreadResourcePool* pool);
