#pragma once
// The view's preferences in section "Settings": names, defaults and loading.

#include <string>

#include "app/SettingsStore.h"
#include "catalog/Canvas.h"

namespace pixfold {

struct SystemColors {
    ColorRef window = 0xFFFFFF;  // grid background with default colours
    ColorRef buttonText = 0;     // caption colour with default colours
};

struct ViewPrefs {
    int sortStyle = 0;
    int sortOption = 0;
    int pitch = 103;
    int thumbMax = 100;
    int defaultColors = 1;
    ColorRef back = 0;
    ColorRef text = 0;
    int showDim = 0;
    int showFileName = 1;
    int showFileSize = 0;
    int showFileDate = 0;
    int slideTime = 5;
    int random = 0;
};

inline constexpr const char* kSettings = "Settings";
inline constexpr int kDefaultPitch = 103;
inline constexpr int kDefaultMruCount = 8;

// Loads in the fixed order, writing the system colours back when default
// colours are on. A stored pitch below 4 or above 32767 (a cell with no room
// for a picture, or beyond any screen) is taken as the default.
ViewPrefs LoadViewPrefs(SettingsStore& store, const SystemColors& system);

// SlideTime text to seconds: a text with a dot reads as 1; otherwise the
// leading integer; `fallback` when there is none.
int SlideSecondsFromText(const std::string& text, int fallback);

// Recent-list size from "MRU": default 8, clamped to 0..16.
int LoadMruCount(SettingsStore& store);
int ClampMruCount(int count);

}  // namespace pixfold

namespace pixfold {

// What the Preferences dialog hands back after OK.
struct PrefsChoice {
    int sliderPosition = kDefaultPitch;
    int useDefaultColor = 1;
    ColorRef back = 0;
    ColorRef text = 0;
    int showDim = 0, showFileName = 1, showFileSize = 0, showFileDate = 0;
    int sortOption = 0, sortStyle = 0;
    int random = 0;
    std::string slideInterval;  // as typed
    std::string mruCount;       // as typed
};

// What the view must do after the preferences were applied.
struct PrefsEffect {
    bool repaint = false;
    bool rebuild = false;  // every thumbnail, at the new pitch
    bool resort = false;
};

// Applies and stores a confirmed choice in the fixed order: the stored Pitch is
// the slider's, the applied pitch is made even; SlideTime is stored as typed;
// MRU is parsed and clamped to 0..16.
PrefsEffect ApplyPreferences(ViewPrefs& prefs, int& mruCount, const PrefsChoice& choice,
                             SettingsStore& store, const SystemColors& system, bool catalogEmpty);

}  // namespace pixfold
