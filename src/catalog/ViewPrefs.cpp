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
