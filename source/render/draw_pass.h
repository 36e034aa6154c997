#pragma once
// What every 3D renderable is handed when it draws a pass: which pass, the camera's view block and
// the pass context with the frame's render targets. The effects of the scene are written to these
// conventions.
#include <array>
#include <cstdint>

#include "platform/gfx/math_types.h"

class RenderTarget;

// A frame draws the shadow pass, then the depth pass, then the colour pass (kFramePassOrder).
enum class DrawPass : std::uint32_t {
    // From the directional light: the assets' shadow effects ("BuildShadowMapTech") with the
    // light's view-projection.
    Shadow = 0,
    // The scene as it is seen.
    Colour = 1,
    // With the camera's matrices ("BuildDepthMapTech"): view-space positions go to target 0 (the
    // fragment output "outColour"), normals to target 1 ("outColour1").
    Depth = 2,
};

inline constexpr std::array<DrawPass, 3> kFramePassOrder{DrawPass::Shadow, DrawPass::Depth, DrawPass::Colour};

// The camera as the passes see it.
struct ViewBlock {
    gfx::Matrix view;
    gfx::Matrix viewProjection;
    gfx::Vector3 eye;
};

// The frame's render targets by entry; an entry is null when its target was not made (shader
// level 2, shadows or SSAO off). The position target of the depth pass is in no entry.
struct PassContext {
    enum Entry : std::uint32_t {
        Scene = 0,
        UI = 1,
        // Bound to the effects' "gShadowMap".
        BlurredShadowMap = 2,
        // Bound to "gDepthMap": the depth pass's normals.
        Normals = 3,
        // Bound to "gLowDepthMap".
        Ssao = 4,
        EntryCount = 5,
    };
    std::array<RenderTarget*, EntryCount> targets{};
};
