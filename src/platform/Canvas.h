#pragma once
// What painting needs from a drawing surface: the grid, the image window
// and the dialogs draw through it; the window, the printout and the tests
// each supply one, so the arithmetic stays testable.

#include <cstdint>
#include <string>

namespace pixfold {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const Rect&) const = default;
};

// 0x00BBGGRR, red in the lowest byte.
using ColorRef = uint32_t;

constexpr ColorRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return ColorRef{r} | (ColorRef{g} << 8) | (ColorRef{b} << 16);
}
constexpr uint8_t RedOf(ColorRef c) {
    return static_cast<uint8_t>(c);
}
constexpr uint8_t GreenOf(ColorRef c) {
    return static_cast<uint8_t>(c >> 8);
}
constexpr uint8_t BlueOf(ColorRef c) {
    return static_cast<uint8_t>(c >> 16);
}

// Where the reference point of a text lies on the text's box.
enum class TextAlign { LeftTop, RightTop, LeftBottom, RightBottom };

class Canvas {
  public:
    virtual ~Canvas() = default;
    // Fills left..right-1, top..bottom-1.
    virtual void FillRect(const Rect& rect, ColorRef color) = 0;
    // Draws an aligned bottom-up BGR bitmap one pixel per pixel at (x, y).
    virtual void DrawDib(int x, int y, uint32_t width, uint32_t height, const uint8_t* bits) = 0;
    // Caption text with a transparent background, in the caption font.
    virtual void Text(int x, int y, TextAlign align, const std::string& text, ColorRef color) = 0;
    // Whether anything of the rectangle needs painting (cells outside the
    // update region may be skipped; their layout is still recorded).
    virtual bool NeedsPaint(const Rect&) const { return true; }

    // A 1-pixel frame just inside the rectangle.
    void FrameRect(const Rect& r, ColorRef color);

    // Text with a one-pixel outline, so that it stays legible on any picture:
    // drawn in the outline colour at the eight neighbouring offsets, then in
    // its own colour on top.
    void OutlinedText(int x, int y, TextAlign align, const std::string& text, ColorRef color,
                      ColorRef outline);
};

}  // namespace pixfold
