#pragma once
// The colour picker button's look, as a list of pixel operations on its item
// rectangle: face, bevel, separator, arrow, swatch and focus dots.

#include <vector>

#include "platform/Canvas.h"

namespace pixfold {

enum class ArtPen { Black, Shadow, Highlight };

struct ArtOp {
    enum Kind { Fill, Line, Pixel, Swatch } kind;
    int x1, y1, x2, y2;  // Line: end point excluded; Fill/Swatch: rectangle
    ArtPen pen;          // Line
    ColorRef color;      // Fill, Pixel, Swatch fill
};

struct ButtonState {
    bool pressed = false;
    bool enabled = true;
    bool focused = false;
};

inline constexpr ColorRef kShadowColor = Rgb(128, 128, 128);
inline constexpr ColorRef kHighlightColor = Rgb(255, 255, 255);

ColorRef PenColor(ArtPen pen);

// Operations in drawing order for the item rectangle L, T, R, B.
std::vector<ArtOp> ColorButtonArt(int left, int top, int right, int bottom, ButtonState state,
                                  ColorRef face, ColorRef swatch);

// Renders operations into a raster of the item's size (for drawing and tests).
// Pixels are 0x00BBGGRR, row-major, width x height.
void RenderArt(const std::vector<ArtOp>& ops, int width, int height, std::vector<ColorRef>& px);

}  // namespace pixfold
