#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "jpeg/PixelOps.h"

using namespace pixfold;

namespace {

std::vector<uint8_t> Numbered(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) {
        v[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return v;
}

}  // namespace

TEST(SwapRedBlue, ExchangesOuterBytesAndTwiceRestores) {
    std::vector<uint8_t> px = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(SwapRedBlue(px.data(), 2, 1));
    EXPECT_EQ(px, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));
    ASSERT_TRUE(SwapRedBlue(px.data(), 2, 1));
    EXPECT_EQ(px, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(SwapRedBlue(nullptr, 2, 1));
}

TEST(FlipRows, OneRowUnchangedThreeRowsSwapOuter) {
    std::vector<uint8_t> one = {9, 8, 7};
    ASSERT_TRUE(FlipRows(one.data(), 3, 1));
    EXPECT_EQ(one, (std::vector<uint8_t>{9, 8, 7}));

    std::vector<uint8_t> three = {1, 1, 2, 2, 3, 3};
    ASSERT_TRUE(FlipRows(three.data(), 2, 3));
    EXPECT_EQ(three, (std::vector<uint8_t>{3, 3, 2, 2, 1, 1}));

    std::vector<uint8_t> four = {1, 2, 3, 4};
    ASSERT_TRUE(FlipRows(four.data(), 1, 4));
    EXPECT_EQ(four, (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_FALSE(FlipRows(nullptr, 3, 1));
}

TEST(MakeAlignedRows, RowLengthsForSmallWidths) {
    const std::pair<uint32_t, uint32_t> cases[] = {{1, 4},  {2, 8},     {3, 12},   {4, 12},
                                                   {5, 16}, {100, 300}, {101, 304}};
    for (auto [w, len] : cases) {
        EXPECT_EQ(AlignedRowLength(w), len) << "width " << w;
    }
}

TEST(MakeAlignedRows, FiveByTwoHasRowsAtZeroAndSixteen) {
    std::vector<uint8_t> px = Numbered(5 * 2 * 3);
    uint32_t len = 0;
    PixelBuffer out = MakeAlignedRows(px.data(), 5, 2, len);
    ASSERT_TRUE(out);
    EXPECT_EQ(len, 16u);
    EXPECT_EQ(std::memcmp(out.get(), px.data(), 15), 0);
    EXPECT_EQ(std::memcmp(out.get() + 16, px.data() + 15, 15), 0);

    uint32_t untouched = 77;
    EXPECT_FALSE(MakeAlignedRows(nullptr, 5, 2, untouched));
    EXPECT_EQ(untouched, 77u);
}

TEST(ReduceBlockAverage, RefusesEnlargingZeroAndNull) {
    std::vector<uint8_t> src(10 * 10 * 3, 50);
    std::vector<uint8_t> dst(20 * 20 * 3, 1);
    const std::vector<uint8_t> before = dst;
    EXPECT_FALSE(ReduceBlockAverage(src.data(), dst.data(), 10, 10, 11, 10, true));
    EXPECT_FALSE(ReduceBlockAverage(src.data(), dst.data(), 10, 10, 10, 11, true));
    EXPECT_FALSE(ReduceBlockAverage(src.data(), dst.data(), 10, 10, 0, 5, true));
    EXPECT_FALSE(ReduceBlockAverage(src.data(), dst.data(), 10, 10, 5, 0, true));
    EXPECT_FALSE(ReduceBlockAverage(nullptr, dst.data(), 10, 10, 5, 5, true));
    EXPECT_FALSE(ReduceBlockAverage(src.data(), nullptr, 10, 10, 5, 5, true));
    EXPECT_EQ(dst, before);
}

TEST(ReduceBlockAverage, EqualSizesCopy) {
    std::vector<uint8_t> src = Numbered(7 * 5 * 3);
    std::vector<uint8_t> dst(src.size());
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), 7, 5, 7, 5, true));
    EXPECT_EQ(dst, src);
}

TEST(ReduceBlockAverage, TruncatesTheMean) {
    // One 2x2 block of 10, 11, 11, 11 in every channel averages to 10.
    std::vector<uint8_t> src = {10, 10, 10, 11, 11, 11, 11, 11, 11, 11, 11, 11};
    std::vector<uint8_t> dst(3);
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), 2, 2, 1, 1, true));
    EXPECT_EQ(dst, (std::vector<uint8_t>{10, 10, 10}));
}

TEST(ReduceBlockAverage, DisjointTenByTenBlocks) {
    const uint32_t sw = 1000, sh = 750;
    std::vector<uint8_t> src(size_t{sw} * sh * 3);
    for (uint32_t y = 0; y < sh; ++y) {
        for (uint32_t x = 0; x < sw; ++x) {
            uint8_t* p = &src[(size_t{y} * sw + x) * 3];
            p[0] = static_cast<uint8_t>((x / 10 + y / 10) % 256);  // constant per block
            p[1] = static_cast<uint8_t>(x % 10 == 0 ? 100 : 0);    // one column of ten
            p[2] = 7;
        }
    }
    std::vector<uint8_t> dst(100 * 75 * 3);
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), sw, sh, 100, 75, true));
    for (uint32_t y = 0; y < 75; ++y) {
        for (uint32_t x = 0; x < 100; ++x) {
            const uint8_t* d = &dst[(size_t{y} * 100 + x) * 3];
            ASSERT_EQ(d[0], (x + y) % 256);
            ASSERT_EQ(d[1], 10);
            ASSERT_EQ(d[2], 7);
        }
    }
}

TEST(ReduceBlockAverage, StartColumnsSkipSourceColumns) {
    // 250 -> 100: ratio 2.5, blocks of 2 starting at 0, 2, 5, 7, 10 ...
    const uint32_t n = 250;
    std::vector<uint8_t> src(size_t{n} * n * 3, 0);
    for (uint32_t y = 0; y < n; ++y) {
        for (uint32_t x = 0; x < n; ++x) {
            src[(size_t{y} * n + x) * 3] = static_cast<uint8_t>(x % 5 == 4 ? 200 : 0);
            src[(size_t{y} * n + x) * 3 + 1] = static_cast<uint8_t>(x);
        }
    }
    std::vector<uint8_t> dst(100 * 100 * 3);
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), n, n, 100, 100, true));
    const uint32_t starts[] = {0, 2, 5, 7, 10};
    for (uint32_t x = 0; x < 5; ++x) {
        // Mean of columns s and s+1 (truncated).
        EXPECT_EQ(dst[x * 3 + 1], (2 * starts[x] + 1) / 2) << "column " << x;
    }
    for (uint32_t x = 0; x < 100; ++x) {
        ASSERT_EQ(dst[x * 3], 0) << "columns 4, 9, 14 ... are never sampled";
    }
}

TEST(ReduceBlockAverage, SquareBlockTakesTheSmallerRatio) {
    // 400x250 -> 100x62: ratios 4 and ~4.03 -> 4x4; -> 100x75: 4 and ~3.33 -> 3x3.
    const uint32_t sw = 400, sh = 250;
    std::vector<uint8_t> src(size_t{sw} * sh * 3, 0);
    for (uint32_t y = 0; y < sh; ++y) {
        for (uint32_t x = 0; x < sw; ++x) {
            src[(size_t{y} * sw + x) * 3] = static_cast<uint8_t>(x % 4 == 3 ? 160 : 0);
            src[(size_t{y} * sw + x) * 3 + 1] = static_cast<uint8_t>(y % 4 == 3 ? 160 : 0);
        }
    }
    std::vector<uint8_t> dst(100 * 75 * 3);
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), sw, sh, 100, 62, true));
    EXPECT_EQ(dst[0], 40);  // a 4-wide block holds one 160 column
    EXPECT_EQ(dst[1], 40);
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), sw, sh, 100, 75, true));
    EXPECT_EQ(dst[0], 0);  // a 3-wide block never reaches column 3
    EXPECT_EQ(dst[1], 0);
    // Without the square flag the block is 4 x 3.
    ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), sw, sh, 100, 75, false));
    EXPECT_EQ(dst[0], 40);
}

TEST(ReduceBlockAverage, MatchesTheFloatingPointDefinitionOnAnySize) {
    // The arithmetic as defined: single-precision ratios, starts formed in
    // double precision, sums divided one by one.
    auto reference = [](const std::vector<uint8_t>& src, uint32_t sw, uint32_t sh, uint32_t dw,
                        uint32_t dh, bool square) {
        const float rx = static_cast<float>(sw) / static_cast<float>(dw);
        const float ry = static_cast<float>(sh) / static_cast<float>(dh);
        uint32_t bw = static_cast<uint32_t>(rx), bh = static_cast<uint32_t>(ry);
        if (square) {
            bw = bh = std::min(bw, bh);
        }
        std::vector<uint8_t> out(size_t{dw} * dh * 3);
        for (uint32_t y = 0; y < dh; ++y) {
            for (uint32_t x = 0; x < dw; ++x) {
                const auto sx = static_cast<uint32_t>(double(x) * double(rx));
                const auto sy = static_cast<uint32_t>(double(y) * double(ry));
                for (uint32_t p = 0; p < 3; ++p) {
                    uint32_t sum = 0;
                    for (uint32_t k = 0; k < bh; ++k) {
                        for (uint32_t l = 0; l < bw; ++l) {
                            sum += src[((size_t{sy} + k) * sw + sx + l) * 3 + p];
                        }
                    }
                    out[(size_t{y} * dw + x) * 3 + p] = static_cast<uint8_t>(sum / (bw * bh));
                }
            }
        }
        return out;
    };
    // Block sides 1 to 71 (counts past 4096 take the plain division), ratios
    // whole and fractional, bytes up to 255 so that sums reach their largest.
    const struct {
        uint32_t sw, sh, dw, dh;
    } sizes[] = {{103, 50, 100, 48},  {206, 100, 100, 48}, {500, 375, 100, 75},
                 {401, 299, 100, 74}, {7, 5, 7, 5},        {640, 480, 9, 7},
                 {1000, 10, 100, 1},  {13, 997, 1, 76},    {1420, 1420, 20, 20}};
    uint32_t seed = 99;
    for (const auto& s : sizes) {
        std::vector<uint8_t> src(size_t{s.sw} * s.sh * 3);
        for (uint8_t& b : src) {
            seed = seed * 1103515245u + 12345u;
            b = (seed >> 20) % 3 == 0 ? 255 : static_cast<uint8_t>(seed >> 24);
        }
        for (bool square : {true, false}) {
            std::vector<uint8_t> dst(size_t{s.dw} * s.dh * 3);
            ASSERT_TRUE(ReduceBlockAverage(src.data(), dst.data(), s.sw, s.sh, s.dw, s.dh, square));
            ASSERT_EQ(dst, reference(src, s.sw, s.sh, s.dw, s.dh, square))
                << s.sw << "x" << s.sh << " -> " << s.dw << "x" << s.dh << " square " << square;
        }
    }
}

TEST(PixelLimits, SizesAreCheckedIn64Bits) {
    EXPECT_EQ(PackedImageBytes(37838, 37838), 0u) << "4.3 GB must not wrap to a small size";
    EXPECT_EQ(PackedImageBytes(65500, 65500), 0u);
    EXPECT_EQ(PackedImageBytes(1000, 600), 1800000u);
    EXPECT_FALSE(AllocatePixels(kMaxPixelBytes + 1));
    EXPECT_FALSE(AllocatePixels(0));
}

// The EXIF value names the edges on which the stored first row and first
// column are seen; from that, where each stored corner appears upright.
TEST(TurnUpright, EachOrientationPutsEveryPixelWhereItsValueSays) {
    const uint32_t w = 4, h = 3;
    std::vector<uint8_t> src(w * h * 3);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* p = &src[(y * w + x) * 3];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = 7;
        }
    }
    struct Corner {
        int x, y;  // 0 left / top, 1 right / bottom
    };
    struct Case {
        int orientation;
        Corner topLeft, topRight, bottomLeft;  // of the stored picture
    };
    const Case cases[] = {
        {1, {0, 0}, {1, 0}, {0, 1}}, {2, {1, 0}, {0, 0}, {1, 1}}, {3, {1, 1}, {0, 1}, {1, 0}},
        {4, {0, 1}, {1, 1}, {0, 0}}, {5, {0, 0}, {0, 1}, {1, 0}}, {6, {1, 0}, {1, 1}, {0, 0}},
        {7, {1, 1}, {1, 0}, {0, 1}}, {8, {0, 1}, {0, 0}, {1, 1}}, {0, {0, 0}, {1, 0}, {0, 1}},
        {9, {0, 0}, {1, 0}, {0, 1}},
    };
    for (const Case& c : cases) {
        uint32_t uw = 0, uh = 0;
        UprightSize(w, h, c.orientation, uw, uh);
        const bool swapped = c.orientation >= 5 && c.orientation <= 8;
        EXPECT_EQ(uw, swapped ? h : w);
        EXPECT_EQ(uh, swapped ? w : h);
        PixelBuffer out = TurnUpright(src.data(), w, h, c.orientation);
        ASSERT_TRUE(out);
        for (uint32_t sy = 0; sy < h; ++sy) {
            for (uint32_t sx = 0; sx < w; ++sx) {
                const int ux = c.topLeft.x * int(uw - 1) + int(sx) * (c.topRight.x - c.topLeft.x) +
                               int(sy) * (c.bottomLeft.x - c.topLeft.x);
                const int uy = c.topLeft.y * int(uh - 1) + int(sx) * (c.topRight.y - c.topLeft.y) +
                               int(sy) * (c.bottomLeft.y - c.topLeft.y);
                const uint8_t* p = out.get() + (size_t(uy) * uw + ux) * 3;
                EXPECT_EQ(p[0], sx) << c.orientation << " at " << ux << "," << uy;
                EXPECT_EQ(p[1], sy) << c.orientation << " at " << ux << "," << uy;
                EXPECT_EQ(p[2], 7);
            }
        }
    }
    EXPECT_FALSE(TurnUpright(nullptr, w, h, 6));
    EXPECT_FALSE(TurnUpright(src.data(), 0, h, 6));
    FailPixelAllocationAfter(0);
    EXPECT_FALSE(TurnUpright(src.data(), w, h, 6)) << "no memory: no picture";
    FailPixelAllocationAfter(-1);
}
