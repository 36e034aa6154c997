#pragma once
// 16-bit floats for compact vertex data (the GL "half float" attribute type).
#include <cstddef>
#include <cstdint>

namespace gfx {

// IEEE 754 binary16, rounded to nearest even: too large becomes infinity, too small a
// subnormal or zero (with the sign kept), NaN stays NaN.
uint16_t floatToHalf(float value);
void floatsToHalves(const float* values, uint16_t* halves, std::size_t count);
float halfToFloat(uint16_t half);

} // namespace gfx
