#include "dialogs/ColorButtonArt.h"

#include <algorithm>

namespace pixfold {

ColorRef PenColor(ArtPen pen) {
    switch (pen) {
        case ArtPen::Shadow:
            return kShadowColor;
        case ArtPen::Highlight:
            return kHighlightColor;
        default:
            return 0;
    }
}

namespace {

struct Path {
    std::vector<ArtOp>& ops;
    int x, y;
    ArtPen pen;
    Path& To(int nx, int ny) {
        ops.push_back({ArtOp::Line, x, y, nx, ny, pen, PenColor(pen)});
        x = nx;
        y = ny;
        return *this;
    }
};

Path From(std::vector<ArtOp>& ops, ArtPen pen, int x, int y) {
    return Path{ops, x, y, pen};
}

}  // namespace

std::vector<ArtOp> ColorButtonArt(int L, int T, int R, int B, ButtonState s, ColorRef face,
                                  ColorRef swatch) {
    std::vector<ArtOp> ops;
    ops.push_back({ArtOp::Fill, L, T, R, B, ArtPen::Black, face});
    if (!s.pressed) {
        From(ops, ArtPen::Black, L, B - 1).To(R - 1, B - 1).To(R - 1, T);
        From(ops, ArtPen::Shadow, L + 1, B - 2).To(R - 2, B - 2).To(R - 2, T + 1);
        From(ops, ArtPen::Highlight, R - 2, T + 1).To(L + 1, T + 1).To(L + 1, B - 2);
    } else {
        From(ops, ArtPen::Shadow, L, B - 1).To(L, T).To(R - 1, T);
        From(ops, ArtPen::Highlight, R - 1, T).To(R - 1, B - 1).To(L + 1, B - 1);
        From(ops, ArtPen::Black, L + 1, B - 2).To(L + 1, T + 1).To(R - 2, T + 1);
        ++L;
        ++T;
        ++R;
        ++B;
    }
    From(ops, ArtPen::Highlight, R - 10, T + 4).To(R - 10, B - 4);
    From(ops, ArtPen::Shadow, R - 11, T + 4).To(R - 11, B - 4);
    const int m = B / 2;
    const ArtPen arrow = s.enabled ? ArtPen::Black : ArtPen::Shadow;
    From(ops, arrow, R - 4, m - 1).To(R - 9, m - 1);
    From(ops, arrow, R - 5, m).To(R - 8, m);
    if (s.enabled) {
        ops.push_back({ArtOp::Pixel, R - 6, m + 1, 0, 0, ArtPen::Black, 0});
        ops.push_back({ArtOp::Swatch, L + 5, T + 4, R - 15, B - 4, ArtPen::Black, swatch});
    } else {
        for (auto [x, y] :
             {std::pair{R - 4, m - 1}, std::pair{R - 5, m}, std::pair{R - 6, m + 1}}) {
            ops.push_back({ArtOp::Pixel, x, y, 0, 0, ArtPen::Highlight, kHighlightColor});
        }
    }
    if (s.focused) {
        for (int x = L + 3; x < R - 4; x += 2) {
            ops.push_back({ArtOp::Pixel, x, T + 3, 0, 0, ArtPen::Black, 0});
            ops.push_back({ArtOp::Pixel, x, B - 4, 0, 0, ArtPen::Black, 0});
        }
        for (int y = T + 3; y < B - 4; y += 2) {
            ops.push_back({ArtOp::Pixel, L + 3, y, 0, 0, ArtPen::Black, 0});
            ops.push_back({ArtOp::Pixel, R - 4, y, 0, 0, ArtPen::Black, 0});
        }
    }
    return ops;
}

void RenderArt(const std::vector<ArtOp>& ops, int w, int h, std::vector<ColorRef>& px) {
    px.assign(static_cast<size_t>(w) * h, 0xFF000000u);
    auto set = [&](int x, int y, ColorRef c) {
        if (x >= 0 && y >= 0 && x < w && y < h) {
            px[static_cast<size_t>(y) * w + x] = c;
        }
    };
    for (const ArtOp& op : ops) {
        switch (op.kind) {
            case ArtOp::Fill:
                for (int y = op.y1; y < op.y2; ++y) {
                    for (int x = op.x1; x < op.x2; ++x) {
                        set(x, y, op.color);
                    }
                }
                break;
            case ArtOp::Line: {
                // Horizontal or vertical, end point excluded.
                const int dx = (op.x2 > op.x1) - (op.x2 < op.x1);
                const int dy = (op.y2 > op.y1) - (op.y2 < op.y1);
                for (int x = op.x1, y = op.y1; x != op.x2 || y != op.y2; x += dx, y += dy) {
                    set(x, y, PenColor(op.pen));
                }
                break;
            }
            case ArtOp::Pixel:
                set(op.x1, op.y1, op.color);
                break;
            case ArtOp::Swatch:
                // A rectangle outlined in black (right and bottom exclusive), filled inside.
                for (int y = op.y1; y < op.y2; ++y) {
                    for (int x = op.x1; x < op.x2; ++x) {
                        const bool edge =
                            y == op.y1 || y == op.y2 - 1 || x == op.x1 || x == op.x2 - 1;
                        set(x, y, edge ? 0 : op.color);
                    }
                }
                break;
        }
    }
}

}  // namespace pixfold
