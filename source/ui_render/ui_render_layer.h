#pragma once
// Render layers run from 0 to 31. Element depth reaches 32 and widgets draw a layer or two above
// their depth, so any higher value draws on the top layer.
#include <algorithm>
#include <cstdint>

constexpr std::uint32_t uiLayerCount = 32;

inline std::uint32_t clampRenderLayer(std::uint32_t layer) { return std::min(layer, uiLayerCount - 1); }
