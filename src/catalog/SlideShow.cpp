#include "catalog/SlideShow.h"

#include <climits>

namespace pixfold {

Rect PlaceImageWindow(uint32_t w, uint32_t h, int frameW, int frameH, int captionH, int screenW,
                      int screenH) {
    const int64_t width = int64_t{w} + 2 * frameW;
    const int64_t height = int64_t{h} + captionH + 2 * frameH;
    const int64_t dx = width <= screenW ? (screenW - width) / 2 : 0;
    const int64_t dy = height <= screenH ? (screenH - height) / 2 : 0;
    auto clamp = [](int64_t v) { return static_cast<int32_t>(v > INT_MAX ? INT_MAX : v); };
    return {clamp(dx), clamp(dy), clamp(dx + width), clamp(dy + height)};
}

int GetRandomSlide(bool reset, size_t count, std::string& marks, int& lastSlide, CrtRand& rng) {
    if (count == 0) {
        return -1;
    }
    const int n = static_cast<int>(count);
    // A catalogue that changed size since the round began starts a new round.
    if (reset || marks.size() != count || marks.find('0') == std::string::npos) {
        marks.assign(count, '0');
    }
    int i = 0;
    for (;;) {
        const int r = rng.Next();
        const float f = static_cast<float>(r) / 32767.0f;
        i = static_cast<int>(static_cast<double>(n) * static_cast<double>(f));
        if (i >= n) {
            i = n - 1;
        }
        if ((marks[static_cast<size_t>(i)] == '0' && i != lastSlide) || n == 1) {
            break;
        }
    }
    marks[static_cast<size_t>(i)] = '1';
    lastSlide = i;
    return i;
}

int SlideIntervalMs(int seconds) {
    const int64_t ms = int64_t{seconds} * 1000;
    if (ms < kMinTimerMs) {
        return kMinTimerMs;
    }
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

}  // namespace pixfold
