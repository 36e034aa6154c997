#pragma once
// Decoding DXT1 to DXT5 block-compressed pixels into ARGB pictures, for drivers without S3TC
// and for reading compressed textures back.
#include <cstddef>
#include <cstdint>

#include "platform/image/image.h"

namespace image {

enum class DxtFormat { Dxt1, Dxt2, Dxt3, Dxt4, Dxt5 };

// Bytes of one 4 x 4 block: 8 for DXT1, 16 for the others.
std::size_t dxtBlockSize(DxtFormat format);
// Bytes of a width x height level with its blocks packed row after row; partial blocks at the
// right and bottom edges count whole.
std::size_t dxtLevelSize(DxtFormat format, int width, int height);

// DXT2 and DXT4 hold colours already multiplied by alpha; they are returned as stored, as the
// hardware samples them. False (and out empty) when size is below dxtLevelSize or a side is
// not positive.
bool decodeDxt(DxtFormat format, int width, int height, const uint8_t* data, std::size_t size, Image& out);

} // namespace image
