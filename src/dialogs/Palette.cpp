#include "dialogs/Palette.h"

namespace pixfold {

Palette Palette::Initial() {
    return Palette{{Rgb(0, 0, 0),       Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(128, 128, 0),
                    Rgb(0, 0, 128),     Rgb(128, 0, 128),   Rgb(0, 128, 128),   Rgb(192, 192, 192),
                    Rgb(192, 220, 192), Rgb(166, 202, 240), Rgb(255, 251, 240), Rgb(160, 160, 164),
                    Rgb(128, 128, 128), Rgb(255, 0, 0),     Rgb(0, 255, 0),     Rgb(255, 255, 0),
                    Rgb(0, 0, 255),     Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255)},
                   {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 18, 16, 14, 12, 10, 8, 6, 4, 2}};
}

void Palette::UpdateRanks(int k) {
    if (k < 0 || k >= kPaletteSize) {
        return;
    }
    const uint8_t old = ranks[static_cast<size_t>(k)];
    for (uint8_t& r : ranks) {
        if (r < old) {
            ++r;
        }
    }
    ranks[static_cast<size_t>(k)] = 1;
}

int Palette::ChooseCustom(ColorRef color) {
    int index = -1;
    for (int i = 0; i < kPaletteSize; ++i) {
        if (colors[static_cast<size_t>(i)] == color) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        for (int i = 0; i < kPaletteSize; ++i) {
            if (ranks[static_cast<size_t>(i)] == kPaletteSize) {
                index = i;
                break;
            }
        }
        colors[static_cast<size_t>(index)] = color;
    }
    UpdateRanks(index);
    return index;
}

Palette& ProcessPalette() {
    static Palette palette = Palette::Initial();
    return palette;
}

ScreenRect PlacePopup(const ScreenRect& button, int w, int h, int screenWidth, int screenHeight) {
    ScreenRect r{button.x, button.y + button.height, w, h};
    if (r.y + h > screenHeight) {
        r.y = button.y - h;
    }
    if (r.x + w > screenWidth) {
        r.x = screenWidth - w;
    }
    return r;
}

}  // namespace pixfold
