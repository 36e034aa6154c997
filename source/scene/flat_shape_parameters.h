#pragma once
// The render-object types of the arrows, lines and decals and their parameters, declared once.
#include "render/declared_parameter.h"

inline constexpr const char* kTexturedArrowType = "TexturedArrow";
inline constexpr const char* kFacingArrowType = "FacingDirectionArrow";
inline constexpr const char* kSimpleLineType = "SimpleLine";
inline constexpr const char* kDecalType = "Decal";

struct PathParameters {
    // The points (only x and z count for the shapes on the ground) and their colours.
    static inline const DeclaredParameter<PointPathAndColourParameter> path{"path", {}};
};

struct FacingArrowParameters {
    static inline const DeclaredParameter<Vector3Parameter> basePosition{"basePosition", {0.0f, 0.0f, 0.0f}};
    // Gives only the direction: the arrow is always 4 long.
    static inline const DeclaredParameter<Vector3Parameter> tipPosition{"tipPosition", {0.0f, 0.0f, 0.0f}};
};
