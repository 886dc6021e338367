#include "viewer/Viewport.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pixfold {

namespace {

// The steps a viewer user expects: halves and doubles, with the thirds between.
constexpr double kZoomSteps[] = {1.0 / 16, 1.0 / 12, 1.0 / 8, 1.0 / 6, 1.0 / 4, 1.0 / 3,
                                 1.0 / 2,  2.0 / 3,  1,       1.5,     2,       3,
                                 4,        6,        8,       12,      16};

int Scaled(int side, double scale) {
    return std::max(1, static_cast<int>(std::lround(side * scale)));
}

}  // namespace

int Viewport::ScaledWidth() const {
    return Scaled(imageWidth, scale);
}

int Viewport::ScaledHeight() const {
    return Scaled(imageHeight, scale);
}

int Viewport::OriginX() const {
    if (CanPanX()) {
        return -x;
    }
    return centre ? (clientWidth - ScaledWidth()) / 2 : 0;
}

int Viewport::OriginY() const {
    if (CanPanY()) {
        return -y;
    }
    return centre ? (clientHeight - ScaledHeight()) / 2 : 0;
}

double FitScale(int imageWidth, int imageHeight, int clientWidth, int clientHeight) {
    if (imageWidth <= 0 || imageHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) {
        return 1;
    }
    const double s =
        std::min({1.0, double(clientWidth) / imageWidth, double(clientHeight) / imageHeight});
    return std::max(s, kMinZoom);
}

double ZoomStep(double scale, int direction) {
    if (direction > 0) {
        for (double s : kZoomSteps) {
            if (s > scale * (1 + 1e-9)) {
                return s;
            }
        }
        return kMaxZoom;
    }
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
        if (*it < scale * (1 - 1e-9)) {
            return *it;
        }
    }
    return kMinZoom;
}

void ClampViewport(Viewport& v) {
    v.x = std::clamp(v.x, 0, std::max(0, v.ScaledWidth() - v.clientWidth));
    v.y = std::clamp(v.y, 0, std::max(0, v.ScaledHeight() - v.clientHeight));
}

void ResizeViewport(Viewport& v, int clientWidth, int clientHeight) {
    v.clientWidth = clientWidth;
    v.clientHeight = clientHeight;
    if (v.fit) {
        v.scale = FitScale(v.imageWidth, v.imageHeight, clientWidth, clientHeight);
    }
    ClampViewport(v);
}

void ZoomAbout(Viewport& v, double scale, int clientX, int clientY) {
    scale = std::clamp(scale, kMinZoom, kMaxZoom);
    const double px = (clientX - v.OriginX()) / v.scale;
    const double py = (clientY - v.OriginY()) / v.scale;
    v.scale = scale;
    v.fit = false;
    v.centre = true;
    v.x = static_cast<int>(std::lround(px * scale)) - clientX;
    v.y = static_cast<int>(std::lround(py * scale)) - clientY;
    ClampViewport(v);
}

void SetFit(Viewport& v, bool fit) {
    v.fit = fit;
    v.centre = fit;
    v.scale = fit ? FitScale(v.imageWidth, v.imageHeight, v.clientWidth, v.clientHeight) : 1;
    v.x = v.y = 0;
}

bool PanBy(Viewport& v, int dx, int dy) {
    const int oldX = v.x, oldY = v.y;
    if (v.CanPanX()) {
        v.x += dx;
    }
    if (v.CanPanY()) {
        v.y += dy;
    }
    ClampViewport(v);
    return v.x != oldX || v.y != oldY;
}

void ScaleArea(const uint8_t* bits, uint32_t width, uint32_t height, size_t stride, double scale,
               const Rect& area, uint8_t* out) {
    const int aw = area.right - area.left, ah = area.bottom - area.top;
    if (!bits || !out || aw <= 0 || ah <= 0 || width == 0 || height == 0) {
        return;
    }
    // The source span [first, end) a scaled pixel covers; at least one pixel.
    auto span = [scale](int scaled, uint32_t limit, int& first, int& end) {
        first = static_cast<int>(std::floor(scaled / scale + 1e-9));
        end = static_cast<int>(std::floor((scaled + 1) / scale + 1e-9));
        first = std::clamp(first, 0, static_cast<int>(limit) - 1);
        end = std::clamp(end, first + 1, static_cast<int>(limit));
    };
    std::vector<int> colFirst(aw), colEnd(aw);
    for (int i = 0; i < aw; ++i) {
        span(area.left + i, width, colFirst[i], colEnd[i]);
    }
    // The rows a target row covers are first added column by column (a
    // straight pass the compiler vectorises), then each target pixel sums
    // its columns of that once.
    const size_t x0 = size_t(colFirst[0]) * 3, x1 = size_t(colEnd[aw - 1]) * 3;
    std::vector<uint32_t> columns(x1 - x0);
    const size_t outStride = size_t(aw) * 3;
    for (int j = 0; j < ah; ++j) {
        int rowFirst = 0, rowEnd = 0;
        span(area.top + j, height, rowFirst, rowEnd);
        std::fill(columns.begin(), columns.end(), 0u);
        for (int sy = rowFirst; sy < rowEnd; ++sy) {
            // Display form keeps the top row last.
            const uint8_t* row = bits + (size_t{height} - 1 - size_t(sy)) * stride + x0;
            uint32_t* column = columns.data();
            for (size_t k = 0, n = columns.size(); k < n; ++k) {
                column[k] += row[k];
            }
        }
        uint8_t* dst = out + size_t(ah - 1 - j) * outStride;
        const uint32_t rows = static_cast<uint32_t>(rowEnd - rowFirst);
        for (int i = 0; i < aw; ++i) {
            uint32_t sum[3] = {0, 0, 0};
            for (const uint32_t *p = columns.data() + (size_t(colFirst[i]) * 3 - x0),
                                *e = columns.data() + (size_t(colEnd[i]) * 3 - x0);
                 p < e; p += 3) {
                sum[0] += p[0];
                sum[1] += p[1];
                sum[2] += p[2];
            }
            const uint32_t n = rows * static_cast<uint32_t>(colEnd[i] - colFirst[i]);
            for (int c = 0; c < 3; ++c) {
                dst[size_t(i) * 3 + c] = static_cast<uint8_t>((sum[c] + n / 2) / n);
            }
        }
    }
}

}  // namespace pixfold
