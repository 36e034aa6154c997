#pragma once
// Placing UI corners on pixel edges: a coordinate goes to the nearest multiple of a pixel (halves
// away from zero), then half a pixel left (x) or up (y), where the device puts pixel edges.
#include <cmath>

inline float snapToPixel(float value, float pixel) {
    const float remainder = std::fmod(value, pixel);
    if (std::fabs(remainder) < pixel * 0.5f) return value - remainder;
    return value - remainder + (remainder > 0.0f ? pixel : -pixel);
}

inline float snapCornerX(float x, float pixelWidth) { return snapToPixel(x, pixelWidth) - pixelWidth * 0.5f; }
inline float snapCornerY(float y, float pixelHeight) { return snapToPixel(y, pixelHeight) + pixelHeight * 0.5f; }
