#pragma once
// Resampling a picture to another size, for texture sizes and mip levels.
#include "platform/image/image.h"

namespace image {

// A separable triangle filter: it averages the source pixels each result covers when
// shrinking and interpolates between neighbours when growing, with edges clamped. A side of
// 0 or less gives an empty picture.
Image resizeImage(const Image& source, int width, int height);

} // namespace image
