#include "platform/PixelBuffer.h"

#include <atomic>
#include <new>

namespace pixfold {

uint32_t AlignedRowLength(uint32_t width) {
    uint64_t len = ((uint64_t{width} * 24 + 31) >> 5) << 2;
    return len > UINT32_MAX ? 0 : static_cast<uint32_t>(len);
}

uint64_t PackedImageBytes(uint32_t width, uint32_t height) {
    uint64_t bytes = uint64_t{width} * 3 * uint64_t{height};  // cannot wrap: < 2^66 / 2^2
    return bytes > kMaxPixelBytes ? 0 : bytes;
}

namespace {
std::atomic<int> g_failAfter{-1};
}

void FailPixelAllocationAfter(int succeed) {
    g_failAfter = succeed;
}

PixelBuffer AllocatePixels(uint64_t bytes) {
    if (bytes == 0 || bytes > kMaxPixelBytes) {
        return nullptr;
    }
    if (g_failAfter >= 0 && g_failAfter-- == 0) {
        return nullptr;
    }
    return PixelBuffer(new (std::nothrow) uint8_t[bytes]);
}

}  // namespace pixfold
