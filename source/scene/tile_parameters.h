#pragma once
// The parameters of the flat tiles and of the static 2D tiles, declared once.
#include "render/declared_parameter.h"

struct FlatTileParameters {
    // The texture rectangle (u0, v0, u1, v1) the tile shows.
    static inline const DeclaredParameter<Vector4Parameter> uv{"uv", {0.0f, 0.0f, 1.0f, 1.0f}};
    // Colour added under the texture's coverage.
    static inline const DeclaredParameter<Vector4Parameter> tint{"tint", {0.0f, 0.0f, 0.0f, 0.0f}};
};

struct StaticTileParameters {
    static inline const DeclaredParameter<Vector4Parameter> uv{"uv", {0.0f, 0.0f, 1.0f, 1.0f}};
    static inline const DeclaredParameter<Vector4Parameter> tint{"tint", {0.0f, 0.0f, 0.0f, 1.0f}};
};

inline constexpr const char* kStaticTilePrefix = "static_2d_tile_";
