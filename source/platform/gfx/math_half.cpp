#include "platform/gfx/math_half.h"

#include <bit>
#include <cmath>

namespace gfx {

uint16_t floatToHalf(float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const uint16_t sign = uint16_t((bits >> 16) & 0x8000u);
    const uint32_t exponent = (bits >> 23) & 0xFFu;
    uint32_t mantissa = bits & 0x7FFFFFu;

    if (exponent == 0xFF) return uint16_t(sign | 0x7C00u | (mantissa ? 0x200u : 0u));
    const int halfExponent = int(exponent) - 127 + 15;
    if (halfExponent >= 31) return uint16_t(sign | 0x7C00u);
    if (halfExponent <= 0) {
        if (halfExponent < -10) return sign;
        // Subnormal: bring in the hidden bit and shift it down to the 2^-24 grid.
        mantissa |= 0x800000u;
        const int shift = 14 - halfExponent;
        uint32_t half = mantissa >> shift;
        const uint32_t rest = mantissa & ((1u << shift) - 1u), halfway = 1u << (shift - 1);
        if (rest > halfway || (rest == halfway && (half & 1u))) ++half;
        return uint16_t(sign | half);
    }
    uint32_t half = uint32_t(halfExponent) << 10 | mantissa >> 13;
    const uint32_t rest = mantissa & 0x1FFFu;
    // A carry out of the mantissa correctly steps the exponent, up to infinity.
    if (rest > 0x1000u || (rest == 0x1000u && (half & 1u))) ++half;
    return uint16_t(sign | half);
}

void floatsToHalves(const float* values, uint16_t* halves, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) halves[i] = floatToHalf(values[i]);
}

float halfToFloat(uint16_t half) {
    const float sign = (half & 0x8000u) ? -1.0f : 1.0f;
    const int exponent = (half >> 10) & 0x1F;
    const int mantissa = half & 0x3FF;
    if (exponent == 0) return sign * std::ldexp(float(mantissa), -24);
    if (exponent == 31) return mantissa ? std::nanf("") : sign * INFINITY;
    return sign * std::ldexp(float(mantissa | 0x400), exponent - 25);
}

} // namespace gfx
