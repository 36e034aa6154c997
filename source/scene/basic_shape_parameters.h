#pragma once
// The render-object types of the built-in shapes and their parameters, declared once.

#include "render/declared_parameter.h"

inline constexpr const char* kBasicCubeType = "BasicCube";
inline constexpr const char* kBasicSphereType = "basic_sphere";

struct BasicCubeParameters {
    // Kept for the entities that set them; the cube draws the same either way.
    static inline const DeclaredParameter<BoolParameter> castShadow{"castShadow", true};
    static inline const DeclaredParameter<BoolParameter> flipColour{"flipColour", false};
    // Added to the lit colour.
    static inline const DeclaredParameter<Vector4Parameter> highlightColour{"highlightColour", {0.0f, 0.0f, 0.0f, 0.0f}};
};

struct BasicSphereParameters {
    // 1 opaque, 0 invisible.
    static inline const DeclaredParameter<FloatParameter> alpha{"alpha", 1.0f};
};
