#pragma once
// The render settings record; the render interface keeps one per side and copies it at the swap.
#include <cstdint>
#include <string>

struct RenderSettings {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // One-shot requests: seen on the render side for exactly one swap.
    std::uint8_t displayChangeRequested = 0;
    std::uint8_t effectReloadRequested = 0;
    std::uint8_t qualityReloadRequested = 0;
    std::uint8_t shadows = 0;
    std::string shadowDetail;
    float shadowEpsilon = 0.0f;
    std::uint8_t ssao = 0;
    std::uint8_t postProcessing = 0;
    std::uint8_t instancing = 0;
    std::uint8_t fullScreen = 0;
    std::uint8_t multisampling = 0;
    std::uint32_t multisamplingType = 0;
    std::uint32_t shaderLevel = 3;
    std::uint8_t verticalSync = 0;
    std::string textureDetail;
};
