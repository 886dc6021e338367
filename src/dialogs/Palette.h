#pragma once
// The colour pickers' shared palette: 20 colours and the order in which they
// were last used, for the whole process (never saved).

#include <array>
#include <cstdint>

#include "platform/Canvas.h"

namespace pixfold {

inline constexpr int kPaletteSize = 20;
inline constexpr int kFirstCellId = 5101;
inline constexpr int kOtherButtonId = 5121;

struct Palette {
    std::array<ColorRef, kPaletteSize> colors;
    std::array<uint8_t, kPaletteSize> ranks;  // 1 = used most recently .. 20

    // The initial state: the 20 reserved colours of the default palette.
    static Palette Initial();

    // Entry k becomes rank 1; those used more recently than it move down one.
    void UpdateRanks(int k);
    // Index of a colour chosen in the colour dialog: an equal entry, else the
    // least recently used entry replaced by it. Ranks are updated.
    int ChooseCustom(ColorRef color);
    // A palette cell chosen.
    void ChooseCell(int index) { UpdateRanks(index); }
};

// The process-wide palette (PaletteColors and PaletteRanks).
Palette& ProcessPalette();

struct ScreenRect {
    int x, y, width, height;
};

// Where the popup opens: below the button, or above it when it would leave the
// bottom of the screen; flush with the screen's right edge when it would leave
// the right.
ScreenRect PlacePopup(const ScreenRect& button, int popupWidth, int popupHeight, int screenWidth,
                      int screenHeight);

}  // namespace pixfold
