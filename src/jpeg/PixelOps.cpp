#include "jpeg/PixelOps.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <utility>

namespace pixfold {

bool SwapRedBlue(uint8_t* buffer, uint32_t width, uint32_t height) {
    if (!buffer) {
        return false;
    }
    uint64_t pixels = uint64_t{width} * height;
    for (uint64_t i = 0; i < pixels; ++i) {
        std::swap(buffer[i * 3], buffer[i * 3 + 2]);
    }
    return true;
}

bool FlipRows(uint8_t* buffer, uint32_t rowLength, uint32_t rows) {
    if (!buffer) {
        return false;
    }
    std::unique_ptr<uint8_t[]> rowA(new (std::nothrow) uint8_t[rowLength ? rowLength : 1]);
    std::unique_ptr<uint8_t[]> rowB(new (std::nothrow) uint8_t[rowLength ? rowLength : 1]);
    if (!rowA || !rowB) {
        return false;
    }
    for (uint32_t i = 0; i < (rows + 1) / 2; ++i) {
        uint32_t j = rows - 1 - i;
        uint8_t* ri = buffer + uint64_t{i} * rowLength;
        uint8_t* rj = buffer + uint64_t{j} * rowLength;
        std::memcpy(rowA.get(), ri, rowLength);
        std::memcpy(rowB.get(), rj, rowLength);
        std::memcpy(ri, rowB.get(), rowLength);
        std::memcpy(rj, rowA.get(), rowLength);
    }
    return true;
}

PixelBuffer MakeAlignedRows(const uint8_t* buffer, uint32_t width, uint32_t height,
                            uint32_t& alignedRowLength) {
    if (!buffer) {
        return nullptr;
    }
    uint32_t len = AlignedRowLength(width);
    uint64_t total = uint64_t{len} * height;
    if (len == 0 && width != 0) {
        return nullptr;
    }
    // A zero-sized bitmap still gets a (one-byte) array, so that "no picture"
    // and "empty picture" stay distinct.
    PixelBuffer out;
    if (total == 0) {
        out.reset(new (std::nothrow) uint8_t[1]);
    } else {
        out = AllocatePixels(total);
    }
    if (!out) {
        return nullptr;
    }
    const uint64_t packed = uint64_t{width} * 3;
    for (uint32_t r = 0; r < height; ++r) {
        uint8_t* row = out.get() + uint64_t{r} * len;
        std::memcpy(row, buffer + r * packed, packed);
        std::memset(row + packed, 0, len - packed);  // the padding is written too
    }
    alignedRowLength = len;
    return out;
}

namespace {

// Division of a block's byte sum by its pixel count. Where the count is small
// enough (below 4096: sum x count stays under 2^32) a multiply and a shift give
// exactly the truncated quotient, at a fraction of a division's cost.
class BlockDivider {
  public:
    explicit BlockDivider(uint32_t count)
        : m_count(count), m_magic(count < 4096 ? (uint64_t{1} << 32) / count + 1 : 0) {}
    uint8_t operator()(uint32_t sum) const {
        return static_cast<uint8_t>(m_magic ? (sum * m_magic) >> 32 : sum / m_count);
    }

  private:
    uint32_t m_count;
    uint64_t m_magic;
};

// Start of block x: the integer times the single-precision ratio, formed in
// double precision and truncated; never past the last whole block.
inline uint32_t BlockStart(uint32_t i, float ratio, uint32_t last) {
    const auto s = static_cast<uint32_t>(static_cast<double>(i) * static_cast<double>(ratio));
    return s < last ? s : last;
}

}  // namespace

bool ReduceBlockAverage(const uint8_t* src, uint8_t* dst, uint32_t srcWidth, uint32_t srcHeight,
                        uint32_t dstWidth, uint32_t dstHeight, bool squareBlock) {
    if (dstWidth == 0 || dstHeight == 0 || dstWidth > srcWidth || dstHeight > srcHeight || !src ||
        !dst) {
        return false;
    }
    const float ratioX = static_cast<float>(srcWidth) / static_cast<float>(dstWidth);
    const float ratioY = static_cast<float>(srcHeight) / static_cast<float>(dstHeight);
    uint32_t blockW = static_cast<uint32_t>(ratioX);
    uint32_t blockH = static_cast<uint32_t>(ratioY);
    if (squareBlock) {
        blockW = blockH = std::min(blockW, blockH);
    }
    const BlockDivider divide(blockW * blockH);
    const uint64_t srcRow = uint64_t{srcWidth} * 3;
    // Single-precision ratios can put the last block a pixel past the edge in
    // principle; never read outside the source.
    const uint32_t lastX = srcWidth - blockW;
    const uint32_t lastY = srcHeight - blockH;
    for (uint32_t y = 0; y < dstHeight; ++y) {
        const uint8_t* row = src + BlockStart(y, ratioY, lastY) * srcRow;
        uint8_t* d = dst + uint64_t{y} * dstWidth * 3;
        if (blockW == 1 && blockH == 1) {
            // A block of one pixel is that pixel.
            for (uint32_t x = 0; x < dstWidth; ++x, d += 3) {
                const uint8_t* p = row + uint64_t{BlockStart(x, ratioX, lastX)} * 3;
                d[0] = p[0];
                d[1] = p[1];
                d[2] = p[2];
            }
            continue;
        }
        for (uint32_t x = 0; x < dstWidth; ++x, d += 3) {
            const uint8_t* block = row + uint64_t{BlockStart(x, ratioX, lastX)} * 3;
            uint32_t s0 = 0, s1 = 0, s2 = 0;
            for (uint32_t k = 0; k < blockH; ++k, block += srcRow) {
                const uint8_t* p = block;
                for (uint32_t l = 0; l < blockW; ++l, p += 3) {
                    s0 += p[0];
                    s1 += p[1];
                    s2 += p[2];
                }
            }
            d[0] = divide(s0);
            d[1] = divide(s1);
            d[2] = divide(s2);
        }
    }
    return true;
}

namespace {

bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

}  // namespace

void UprightSize(uint32_t width, uint32_t height, int orientation, uint32_t& uprightWidth,
                 uint32_t& uprightHeight) {
    uprightWidth = SwapsSides(orientation) ? height : width;
    uprightHeight = SwapsSides(orientation) ? width : height;
}

PixelBuffer TurnUpright(const uint8_t* buffer, uint32_t width, uint32_t height, int orientation) {
    if (!buffer || width == 0 || height == 0) {
        return nullptr;
    }
    PixelBuffer out = AllocatePixels(PackedImageBytes(width, height));
    if (!out) {
        return nullptr;
    }
    // Where upright pixel (dx, dy) is stored: sx = x0 + xdx * dx + xdy * dy,
    // sy = y0 + ydx * dx + ydy * dy. The EXIF value names the edges on which
    // the stored first row and first column are seen.
    const int64_t w = width - int64_t{1};
    const int64_t h = height - int64_t{1};
    struct Map {
        int64_t x0, xdx, xdy, y0, ydx, ydy;
    };
    Map m{0, 1, 0, 0, 0, 1};
    switch (orientation) {
        case 2:  // mirrored left to right
            m = {w, -1, 0, 0, 0, 1};
            break;
        case 3:  // upside down
            m = {w, -1, 0, h, 0, -1};
            break;
        case 4:  // mirrored top to bottom
            m = {0, 1, 0, h, 0, -1};
            break;
        case 5:  // mirrored along the main diagonal
            m = {0, 0, 1, 0, 1, 0};
            break;
        case 6:  // stored a quarter turn anticlockwise
            m = {0, 0, 1, h, -1, 0};
            break;
        case 7:  // mirrored along the other diagonal
            m = {w, 0, -1, h, -1, 0};
            break;
        case 8:  // stored a quarter turn clockwise
            m = {w, 0, -1, 0, 1, 0};
            break;
        default:
            break;
    }
    uint32_t outWidth = 0;
    uint32_t outHeight = 0;
    UprightSize(width, height, orientation, outWidth, outHeight);
    const int64_t stride = int64_t{width} * 3;
    const int64_t step = m.ydx * stride + m.xdx * 3;
    uint8_t* d = out.get();
    for (uint32_t dy = 0; dy < outHeight; ++dy) {
        int64_t at = (m.y0 + m.ydy * dy) * stride + (m.x0 + m.xdy * dy) * 3;
        for (uint32_t dx = 0; dx < outWidth; ++dx, at += step, d += 3) {
            d[0] = buffer[at];
            d[1] = buffer[at + 1];
            d[2] = buffer[at + 2];
        }
    }
    return out;
}

}  // namespace pixfold
