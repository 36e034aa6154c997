#pragma once
// The material the lit shapes and the line start from: every colour component 1, specular power 8.
#include "scene/mesh_file.h"

inline MeshMaterial defaultMeshMaterial() { return {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, 8.0f}; }
