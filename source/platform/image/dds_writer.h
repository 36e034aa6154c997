#pragma once
// Writing pictures as uncompressed 32-bit DDS files: a plain texture, or a cube map of six
// equal square faces. The project makes its own mesh atlases and environment map with it.
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace image {

// One level per face, A8R8G8B8. One picture gives a plain texture; six give a cube map, in the
// face order +X, -X, +Y, -Y, +Z, -Z, and must be squares of one size. False, with error (when
// given) saying why, for other counts, empty or unequal faces, or a failed write.
bool saveDdsFile(const std::string& path, const std::vector<Image>& faces, std::string* error = nullptr);

} // namespace image
