#include "platform/AppIcon.h"

#include <algorithm>
#include <cmath>

namespace pixfold {

namespace {

uint32_t Argb(int a, int r, int g, int b) {
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

// Coverage of a pixel by a rounded rectangle, for soft edges.
float RoundedCoverage(float x, float y, float l, float t, float r, float b, float rad) {
    const float cx = std::clamp(x, l + rad, r - rad);
    const float cy = std::clamp(y, t + rad, b - rad);
    const float d = std::hypot(x - cx, y - cy);
    return std::clamp(rad - d + 0.5f, 0.0f, 1.0f);
}

}  // namespace

std::vector<uint32_t> RenderAppIcon(int size) {
    std::vector<uint32_t> px(size_t(size) * size, 0);
    const float s = float(size);
    // Four little pictures: sky and hill, sunset, sea, meadow.
    const int pictures[4][2][3] = {{{120, 180, 235}, {70, 150, 80}},
                                   {{245, 170, 90}, {190, 80, 60}},
                                   {{90, 200, 215}, {30, 90, 160}},
                                   {{200, 225, 120}, {90, 160, 60}}};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float fx = x + 0.5f, fy = y + 0.5f;
            const float tile = RoundedCoverage(fx, fy, 0.5f, 0.5f, s - 0.5f, s - 0.5f, s * 0.18f);
            if (tile <= 0) {
                continue;
            }
            int r = 40, g = 44, b = 52;
            // The 2 x 2 grid inside a margin.
            const float m = s * 0.14f, gap = std::max(1.0f, s * 0.06f);
            const float cell = (s - 2 * m - gap) / 2;
            for (int i = 0; i < 4; ++i) {
                const int col = i % 2, row = i / 2;
                const float l = m + col * (cell + gap), t = m + row * (cell + gap);
                if (fx >= l && fx < l + cell && fy >= t && fy < t + cell) {
                    const float u = (fx - l) / cell, v = (fy - t) / cell;
                    const bool ground = v > 0.62f + 0.08f * std::sin(u * 6.0f + i);
                    const int* c = pictures[i][ground ? 1 : 0];
                    const float shade = ground ? 1.0f : 1.05f - 0.25f * v;
                    r = std::min(255, int(c[0] * shade));
                    g = std::min(255, int(c[1] * shade));
                    b = std::min(255, int(c[2] * shade));
                    // The sun in the first picture.
                    if (i == 0 && std::hypot(u - 0.68f, v - 0.3f) < 0.14f) {
                        r = 255, g = 235, b = 120;
                    }
                    // The selection frame on the second picture.
                    const float edge = std::max(1.0f, s / 32);
                    if (i == 1 && (fx - l < edge || l + cell - fx < edge || fy - t < edge ||
                                   t + cell - fy < edge)) {
                        r = 255, g = 0, b = 0;
                    }
                }
            }
            px[size_t(y) * size + x] = Argb(int(255 * tile), r, g, b);
        }
    }
    return px;
}

std::vector<uint32_t> RenderSlideShowTool(int size) {
    std::vector<uint32_t> px(size_t(size) * size, 0);
    const float s = float(size);
    const float line = std::max(1.0f, s / 16);
    // The triangle: left edge at 0.38 of the width, tip at 0.74, in the middle.
    const float l = s * 0.38f, tip = s * 0.74f, half = s * 0.22f, mid = s * 0.5f;
    constexpr int kSub = 4;  // samples per pixel side, for soft edges
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const float fx = x + (sx + 0.5f) / kSub, fy = y + (sy + 0.5f) / kSub;
                    const bool frame = fx >= 0.5f && fx < s - 0.5f && fy >= s * 0.12f &&
                                       fy < s * 0.88f &&
                                       (fx < 0.5f + line || fx >= s - 0.5f - line ||
                                        fy < s * 0.12f + line || fy >= s * 0.88f - line);
                    const float reach = half * (tip - fx) / (tip - l);
                    const bool play = fx >= l && fx < tip && std::abs(fy - mid) < reach;
                    hits += frame || play;
                }
            }
            if (hits > 0) {
                px[size_t(y) * size + x] = Argb(255 * hits / (kSub * kSub), 46, 52, 54);
            }
        }
    }
    return px;
}

}  // namespace pixfold
