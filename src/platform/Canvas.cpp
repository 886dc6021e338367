#include "platform/Canvas.h"

namespace pixfold {

void Canvas::FrameRect(const Rect& r, ColorRef color) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    FillRect({r.left, r.top, r.right, r.top + 1}, color);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, color);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, color);
}

void Canvas::OutlinedText(int x, int y, TextAlign align, const std::string& text, ColorRef color,
                          ColorRef outline) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0) {
                Text(x + dx, y + dy, align, text, outline);
            }
        }
    }
    Text(x, y, align, text, color);
}

}  // namespace pixfold
