#include "catalog/ViewPrefs.h"

#include "platform/TextUtil.h"
#include "res/CommandIds.h"

namespace pixfold {

int SlideSecondsFromText(const std::string& text, int fallback) {
    const std::string t = text.find('.') != std::string::npos ? std::string("1") : text;
    int value = 0;
    return ScanInt(t.c_str(), value) ? value : fallback;
}

ViewPrefs LoadViewPrefs(SettingsStore& store, const SystemColors& system) {
    ViewPrefs p;
    p.sortStyle = store.GetInt(kSettings, "SortStyle", 0);
    p.sortOption = store.GetInt(kSettings, "SortOption", 0);
    p.pitch = store.GetInt(kSettings, "Pitch", kDefaultPitch);
    if (p.pitch < 4 || p.pitch > 32767) {
        p.pitch = kDefaultPitch;
    }
    p.thumbMax = p.pitch - 3;
    p.defaultColors = store.GetInt(kSettings, "ColorCheck", 1);
    p.back = static_cast<ColorRef>(store.GetInt(kSettings, "BackColor", 0));
    p.text = static_cast<ColorRef>(store.GetInt(kSettings, "TextColor", 0));
    if (p.defaultColors == 1) {
        p.back = system.window;
        p.text = system.buttonText;
        store.SetInt(kSettings, "BackColor", static_cast<int>(p.back));
        store.SetInt(kSettings, "TextColor", static_cast<int>(p.text));
    }
    p.showDim = store.GetInt(kSettings, "ShowDim", 0);
    p.showFileName = store.GetInt(kSettings, "ShowFileName", 1);
    p.showFileSize = store.GetInt(kSettings, "ShowFileSize", 0);
    p.showFileDate = store.GetInt(kSettings, "ShowFileDate", 0);
    const std::string slide = store.GetString(kSettings, "SlideTime", "5");
    p.random = store.GetInt(kSettings, "Random", 0);
    p.slideTime = SlideSecondsFromText(slide, 5);
    return p;
}

int ClampMruCount(int count) {
    return count < 0 ? 0 : (count > res::kMaxRecentFiles ? res::kMaxRecentFiles : count);
}

int LoadMruCount(SettingsStore& store) {
    return ClampMruCount(store.GetInt(kSettings, "MRU", kDefaultMruCount));
}

}  // namespace pixfold

namespace pixfold {

PrefsEffect ApplyPreferences(ViewPrefs& p, int& mruCount, const PrefsChoice& c,
                             SettingsStore& store, const SystemColors& system, bool catalogEmpty) {
    PrefsEffect effect;
    store.SetInt(kSettings, "Pitch", c.sliderPosition);

    p.defaultColors = c.useDefaultColor;
    store.SetInt(kSettings, "ColorCheck", p.defaultColors);
    const ColorRef oldBack = p.back;
    const ColorRef oldText = p.text;
    if (p.defaultColors) {
        p.back = system.window;
        p.text = system.buttonText;
    } else {
        p.back = c.back;
        p.text = c.text;
    }
    store.SetInt(kSettings, "BackColor", static_cast<int>(p.back));
    store.SetInt(kSettings, "TextColor", static_cast<int>(p.text));
    effect.repaint |= p.back != oldBack || p.text != oldText;

    if (c.sliderPosition != p.pitch) {
        // The applied pitch is even; a pitch of 3 or less would leave no picture.
        int pitch = c.sliderPosition % 2 ? c.sliderPosition - 1 : c.sliderPosition;
        p.pitch = pitch < 4 ? 4 : pitch;
        p.thumbMax = p.pitch - 3;
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
    store.SetInt(kSettings, "ShowDim", p.showDim);
    store.SetInt(kSettings, "ShowFileName", p.showFileName);
    store.SetInt(kSettings, "ShowFileSize", p.showFileSize);
    store.SetInt(kSettings, "ShowFileDate", p.showFileDate);

    const bool sortChanged = c.sortStyle != p.sortStyle || c.sortOption != p.sortOption;
    p.sortStyle = c.sortStyle;
    p.sortOption = c.sortOption;
    store.SetInt(kSettings, "SortStyle", p.sortStyle);
    store.SetInt(kSettings, "SortOption", p.sortOption);
    if (sortChanged && !catalogEmpty) {
        effect.resort = true;
        effect.repaint = true;
    }

    int seconds = 0;
    if (ScanInt(c.slideInterval.c_str(), seconds)) {
        p.slideTime = seconds;
    }
    store.SetString(kSettings, "SlideTime", c.slideInterval);

    int mru = 0;
    if (ScanInt(c.mruCount.c_str(), mru)) {
        mruCount = ClampMruCount(mru);
    }
    store.SetInt(kSettings, "MRU", mruCount);

    p.random = c.random;
    store.SetInt(kSettings, "Random", p.random);
    return effect;
}

}  // namespace pixfold
