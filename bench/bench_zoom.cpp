// The image window's scaling, once per zoom change: a 12 MP photo fitted into
// a 1022 x 743 window, judged against one plain pass over the same picture
// (a sum of every byte, the least any shrinking that looks at each pixel
// does), both in this run. The scaler reads each source pixel once too, so
// its ratio stays a small constant (below 4); a scaler that resampled
// per target pixel from scratch, or per paint, would show far more.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <vector>

#include "BenchUtil.h"
#include "viewer/Viewport.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

template <class F>
double Best(int rounds, F f) {
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const double t0 = NowSeconds();
        f();
        best = std::min(best, NowSeconds() - t0);
    }
    return best;
}

}  // namespace

int main() {
    const uint32_t w = 4000, h = 3000;
    const size_t stride = size_t{w} * 3;
    std::vector<uint8_t> px(stride * h);
    for (size_t i = 0; i < px.size(); ++i) {
        px[i] = static_cast<uint8_t>(i * 2654435761u >> 24);
    }
    const double scale = FitScale(int(w), int(h), 1022, 743);
    const int sw = static_cast<int>(w * scale), sh = static_cast<int>(h * scale);
    std::vector<uint8_t> out(size_t(sw) * size_t(sh) * 3);
    volatile uint64_t sink = 0;
    const double floor =
        Best(7, [&] { sink = sink + std::accumulate(px.begin(), px.end(), uint64_t{0}); });
    const double fit = Best(7, [&] {
        ScaleArea(px.data(), w, h, stride, scale, Rect{0, 0, sw, sh}, out.data());
    });
    std::printf("fit a %u x %u photo to %d x %d (scale %.3f)\n", w, h, sw, sh, scale);
    std::printf("one pass over the photo: %.1f ms\n", floor * 1e3);
    std::printf("scaled to fit:           %.1f ms\n", fit * 1e3);
    std::printf("ratio fit / one pass: %.2f (target <= 4)\n", fit / floor);
    return 0;
}
