#include "platform/image/image.h"

namespace image {

Image::Image(int w, int h, uint32_t fill)
    : width(w > 0 ? w : 0), height(h > 0 ? h : 0),
      argb(static_cast<std::size_t>(width) * height, fill) {}

} // namespace image
