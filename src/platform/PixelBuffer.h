#pragma once
// Memory for pictures: 24-bit rows, their sizes, and allocation that fails
// softly instead of throwing.

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

}  // namespace pixfold
