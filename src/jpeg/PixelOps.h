#pragma once
// Conversions between the three forms of a decoded image buffer, and the
// block-average reduction. Buffers are plain byte arrays owned by the caller.

#include <cstdint>
#include <memory>

namespace pixfold {

using PixelBuffer = std::unique_ptr<uint8_t[]>;

// Largest pixel buffer the program will allocate; a header asking for more is
// treated as out of memory rather than handed to the allocator.
inline constexpr uint64_t kMaxPixelBytes = uint64_t{1} << 30;

// Aligned (4-byte) row length of a 24-bit bottom-up bitmap row; 0 when the
// width is too large to describe in 32 bits.
uint32_t AlignedRowLength(uint32_t width);

// width x height x 3 in 64 bits; 0 when it would exceed kMaxPixelBytes.
uint64_t PackedImageBytes(uint32_t width, uint32_t height);

// Allocates without throwing; null when the size is 0, above the limit or
// the allocation fails.
PixelBuffer AllocatePixels(uint64_t bytes);

// For tests of the out-of-memory paths: after `succeed` more allocations, the
// next one fails (once). A negative count turns this off.
void FailPixelAllocationAfter(int succeed);

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
