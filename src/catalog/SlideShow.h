#pragma once
// The arithmetic of the image window and the slide show: where a picture's
// window goes, the random order, and the timer interval.

#include <cstdint>
#include <string>

#include "catalog/ThumbRecord.h"
#include "platform/CrtRand.h"

namespace pixfold {

inline constexpr int kSlideTimerId = 101;
inline constexpr int kSlideFirstTickMs = 100;
inline constexpr int kMinTimerMs = 10;  // the platform's shortest interval

// The window for an image: client area the picture's size, framed, centred on
// the screen, or at 0 on a side where it is larger than the screen.
Rect PlaceImageWindow(uint32_t imageWidth, uint32_t imageHeight, int frameWidth, int frameHeight,
                      int captionHeight, int screenWidth, int screenHeight);

// The next random picture: every picture once per round, never the same one
// twice in a row (unless there is only one). marks holds '0' (not yet shown)
// and '1' per catalogue position. Returns -1 for an empty catalogue.
int GetRandomSlide(bool reset, size_t count, std::string& marks, int& lastSlide, CrtRand& rng);

// The timer interval for an interval in seconds, never below the platform's minimum.
int SlideIntervalMs(int seconds);

}  // namespace pixfold
