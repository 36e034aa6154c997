#pragma once
// A 3D renderable for scene tests: "FlatBoxRenderable" draws every "flat_box" object as its box,
// one flat colour (its "colour" parameter) in the colour pass, and records what each pass got.
#include <cstdint>
#include <string>
#include <vector>

#include "render/declared_parameter.h"
#include "render/draw_pass.h"

class RenderTarget;

namespace scenetest {

inline constexpr const char* kFlatBoxClass = "FlatBoxRenderable";
inline constexpr const char* kFlatBoxType = "flat_box";

struct FlatBoxParameters {
    static inline const DeclaredParameter<Vector4Parameter> colour{"colour", {1.0f, 1.0f, 1.0f, 1.0f}};
};

// One drawPass call as the renderable saw it.
struct PassRecord {
    DrawPass pass;
    PassContext context;
    // What was bound while it drew.
    void* target0 = nullptr;
    void* target1 = nullptr;
    std::size_t visibleBoxes = 0;
};

// Every pass since the last clear, in order; the scene harness clears it when a test starts.
std::vector<PassRecord>& flatBoxPasses();

} // namespace scenetest
