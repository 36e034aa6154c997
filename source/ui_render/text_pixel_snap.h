#pragma once
// Moving a clip-space coordinate to the nearest multiple of a pixel, halves away from zero.
#include <cmath>

inline float snapTextCoordinate(float value, float pixel) {
    float remainder = std::fmod(value, pixel);
    if (std::fabs(remainder) < pixel * 0.5f) return value - remainder;
    return value - remainder + (remainder > 0.0f ? pixel : -pixel);
}
