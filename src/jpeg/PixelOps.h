#pragma once
// Conversions between the three forms of a decoded image buffer, and the
// block-average reduction. Buffers are plain byte arrays owned by the caller.

#include <cstdint>
#include <memory>

#include "platform/PixelBuffer.h"

namespace pixfold {

bool SwapRedBlue(uint8_t* buffer, uint32_t width, uint32_t height);
bool FlipRows(uint8_t* buffer, uint32_t rowLength, uint32_t rows);
PixelBuffer MakeAlignedRows(const uint8_t* buffer, uint32_t width, uint32_t height,
                            uint32_t& alignedRowLength);
bool ReduceBlockAverage(const uint8_t* src, uint8_t* dst, uint32_t srcWidth, uint32_t srcHeight,
                        uint32_t dstWidth, uint32_t dstHeight, bool squareBlock);

// Size of a stored width x height picture once turned upright by its EXIF
// orientation: 5 to 8 exchange the sides; anything but 1..8 counts as 1.
void UprightSize(uint32_t width, uint32_t height, int orientation, uint32_t& uprightWidth,
                 uint32_t& uprightHeight);

// A new buffer holding a packed, top-row-first picture (either byte order)
// turned upright, pixel for pixel; UprightSize gives its size. Turn before
// flipping to display form: bottom-up rows would mirror the turn. Null when
// the input is null or empty, or memory runs out.
PixelBuffer TurnUpright(const uint8_t* buffer, uint32_t width, uint32_t height, int orientation);

}  // namespace pixfold
