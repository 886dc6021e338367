#include "catalog/ViewPrefs.h"

#include "platform/TextUtil.h"
#include "res/CommandIds.h"
#include "res/Settings.h"

namespace pixfold {

int SlideSecondsFromText(const std::string& text, int fallback) {
    const std::string t = text.find('.') != std::string::npos ? std::string("1") : text;
    int value = 0;
    return ScanInt(t.c_str(), value) ? value : fallback;
}

ViewPrefs LoadViewPrefs(SettingsStore& store, const SystemColors& system) {
    ViewPrefs p;
    p.sortStyle = store.Get(res::kSortStyle);
    p.sortOption = store.Get(res::kSortOption);
    p.pitch = store.Get(res::kPitch);
    if (p.pitch < res::kPitch.min || p.pitch > res::kPitch.max) {
        p.pitch = res::kPitch.intDefault;
    }
    p.thumbMax = p.pitch - 3;
    p.defaultColors = store.Get(res::kColorCheck);
    p.back = static_cast<ColorRef>(store.Get(res::kBackColor));
    p.text = static_cast<ColorRef>(store.Get(res::kTextColor));
    if (p.defaultColors == 1) {
        p.back = system.window;
        p.text = system.buttonText;
        store.Set(res::kBackColor, static_cast<int>(p.back));
        store.Set(res::kTextColor, static_cast<int>(p.text));
    }
    p.showDim = store.Get(res::kShowDim);
    p.showFileName = store.Get(res::kShowFileName);
    p.showFileSize = store.Get(res::kShowFileSize);
    p.showFileDate = store.Get(res::kShowFileDate);
    const std::string slide = store.GetText(res::kSlideTime);
    p.random = store.Get(res::kRandom);
    p.slideTime = SlideSecondsFromText(slide, 5);
    return p;
}

int ClampMruCount(int count) {
    return count < res::kMru.min ? res::kMru.min : (count > res::kMru.max ? res::kMru.max : count);
}

int LoadMruCount(SettingsStore& store) {
    return ClampMruCount(store.Get(res::kMru));
}

}  // namespace pixfold

namespace pixfold {

bool ApplySliderPitch(ViewPrefs& p, int sliderPosition) {
    if (sliderPosition == p.pitch) {
        return false;
    }
    // The applied pitch is even; a pitch of 3 or less would leave no picture.
    const int pitch = sliderPosition % 2 ? sliderPosition - 1 : sliderPosition;
    p.pitch = pitch < 4 ? 4 : pitch;
    p.thumbMax = p.pitch - 3;
    return true;
}

PrefsEffect ApplyPreferences(ViewPrefs& p, int& mruCount, const PrefsChoice& c,
                             SettingsStore& store, const SystemColors& system, bool catalogEmpty) {
    PrefsEffect effect;
    store.Set(res::kPitch, c.sliderPosition);

    p.defaultColors = c.useDefaultColor;
    store.Set(res::kColorCheck, p.defaultColors);
    const ColorRef oldBack = p.back;
    const ColorRef oldText = p.text;
    if (p.defaultColors) {
        p.back = system.window;
        p.text = system.buttonText;
    } else {
        p.back = c.back;
        p.text = c.text;
    }
    store.Set(res::kBackColor, static_cast<int>(p.back));
    store.Set(res::kTextColor, static_cast<int>(p.text));
    effect.repaint |= p.back != oldBack || p.text != oldText;

    if (ApplySliderPitch(p, c.sliderPosition)) {
        effect.rebuild = true;
        effect.repaint = true;
    }

    if (c.showDim != p.showDim || c.showFileName != p.showFileName ||
        c.showFileSize != p.showFileSize || c.showFileDate != p.showFileDate) {
        effect.repaint = true;
    }
    p.showDim = c.showDim;
    p.showFileName = c.showFileName;
    p.showFileSize = c.showFileSize;
    p.showFileDate = c.showFileDate;
    store.Set(res::kShowDim, p.showDim);
    store.Set(res::kShowFileName, p.showFileName);
    store.Set(res::kShowFileSize, p.showFileSize);
    store.Set(res::kShowFileDate, p.showFileDate);

    const bool sortChanged = c.sortStyle != p.sortStyle || c.sortOption != p.sortOption;
    p.sortStyle = c.sortStyle;
    p.sortOption = c.sortOption;
    store.Set(res::kSortStyle, p.sortStyle);
    store.Set(res::kSortOption, p.sortOption);
    if (sortChanged && !catalogEmpty) {
        effect.resort = true;
        effect.repaint = true;
    }

    int seconds = 0;
    if (ScanInt(c.slideInterval.c_str(), seconds)) {
        p.slideTime = seconds;
    }
    store.SetText(res::kSlideTime, c.slideInterval);

    int mru = 0;
    if (ScanInt(c.mruCount.c_str(), mru)) {
        mruCount = ClampMruCount(mru);
    }
    store.Set(res::kMru, mruCount);

    p.random = c.random;
    store.Set(res::kRandom, p.random);
    return effect;
}

}  // namespace pixfold
