#pragma once
// Where the main window opens and how its placement is kept ("Screen").

#include "platform/SettingsStore.h"

namespace pixfold {

struct Placement {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool operator==(const Placement&) const = default;
};

// Only the origin is tested against the screen, not origin plus size.
bool IsUsablePlacement(const Placement& p, int screenWidth, int screenHeight);

// 95 percent of the screen (the single-precision 0.95), centred.
Placement DefaultPlacement(int screenWidth, int screenHeight);

// Reads "Screen"; when the stored placement is not usable, computes the
// default and writes it back at once. The screen is the primary display,
// whose top-left corner need not be the desktop's origin.
Placement RestorePlacement(SettingsStore& store, int screenWidth, int screenHeight,
                           int screenLeft = 0, int screenTop = 0);

// Writes a moved or sized window's placement; negative x and y become 0.
void SavePlacement(SettingsStore& store, const Placement& p);

}  // namespace pixfold
