#pragma once
// The view's preferences in section "Settings": names, defaults and loading.

#include <string>

#include "platform/Canvas.h"
#include "platform/SettingsStore.h"
#include "res/Settings.h"

namespace pixfold {

struct SystemColors {
    ColorRef window = 0xFFFFFF;  // grid background with default colours
    ColorRef buttonText = 0;     // caption colour with default colours
};

inline constexpr int kDefaultPitch = res::kPitch.intDefault;

struct ViewPrefs {
    int sortStyle = res::kSortStyle.intDefault;
    int sortOption = res::kSortOption.intDefault;
    int pitch = kDefaultPitch;
    int thumbMax = kDefaultPitch - 3;
    int defaultColors = res::kColorCheck.intDefault;
    ColorRef back = res::kBackColor.intDefault;
    ColorRef text = res::kTextColor.intDefault;
    int showDim = res::kShowDim.intDefault;
    int showFileName = res::kShowFileName.intDefault;
    int showFileSize = res::kShowFileSize.intDefault;
    int showFileDate = res::kShowFileDate.intDefault;
    int slideTime = 5;  // the seconds of kSlideTime's default text
    int random = res::kRandom.intDefault;
};

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
    int useDefaultColor = res::kColorCheck.intDefault;
    ColorRef back = res::kBackColor.intDefault;
    ColorRef text = res::kTextColor.intDefault;
    int showDim = res::kShowDim.intDefault;
    int showFileName = res::kShowFileName.intDefault;
    int showFileSize = res::kShowFileSize.intDefault;
    int showFileDate = res::kShowFileDate.intDefault;
    int sortOption = res::kSortOption.intDefault;
    int sortStyle = res::kSortStyle.intDefault;
    int random = res::kRandom.intDefault;
    std::string slideInterval;  // as typed
    std::string mruCount;       // as typed
};

// What the view must do after the preferences were applied.
struct PrefsEffect {
    bool repaint = false;
    bool rebuild = false;  // every thumbnail, at the new pitch
    bool resort = false;
};

// Takes a pitch slider position: the applied pitch is even and at least 4.
// False when the pitch stays as it is (nothing to rebuild).
bool ApplySliderPitch(ViewPrefs& prefs, int sliderPosition);

// Applies and stores a confirmed choice in the fixed order: the stored Pitch is
// the slider's, the applied pitch is made even; SlideTime is stored as typed;
// MRU is parsed and clamped to 0..16.
PrefsEffect ApplyPreferences(ViewPrefs& prefs, int& mruCount, const PrefsChoice& choice,
                             SettingsStore& store, const SystemColors& system, bool catalogEmpty);

}  // namespace pixfold
