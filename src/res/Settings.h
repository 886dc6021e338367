#pragma once
// Every stored setting, as data: section, value name, kind, default and the
// range the program accepts. Readers and writers name a setting only through
// this table, so no name or default is spelled twice.

#include <climits>

#include "res/CommandIds.h"

namespace pixfold::res {

enum class SettingKind { Int, Text };

struct Setting {
    const char* section;
    const char* name;
    SettingKind kind;
    int intDefault;           // Int settings
    const char* textDefault;  // Text settings
    int min;                  // Int settings: the range the program accepts
    int max;
};

inline constexpr const char* kSectionSettings = "Settings";
inline constexpr const char* kSectionScreen = "Screen";

namespace detail {
constexpr Setting Int(const char* section, const char* name, int def, int min = INT_MIN,
                      int max = INT_MAX) {
    return {section, name, SettingKind::Int, def, nullptr, min, max};
}
constexpr Setting Flag(const char* name, int def) {
    return Int(kSectionSettings, name, def, 0, 1);
}
constexpr Setting Text(const char* name, const char* def) {
    return {kSectionSettings, name, SettingKind::Text, 0, def, 0, 0};
}
}  // namespace detail

// View preferences.
inline constexpr Setting kSortStyle = detail::Int(kSectionSettings, "SortStyle", 0);
inline constexpr Setting kSortOption = detail::Int(kSectionSettings, "SortOption", 0, 0, 3);
// A cell needs room for a picture and a frame; beyond 32767 no screen shows it.
inline constexpr Setting kPitch = detail::Int(kSectionSettings, "Pitch", 103, 4, 32767);
inline constexpr Setting kColorCheck = detail::Flag("ColorCheck", 1);
inline constexpr Setting kBackColor = detail::Int(kSectionSettings, "BackColor", 0, 0, 0xFFFFFF);
inline constexpr Setting kTextColor = detail::Int(kSectionSettings, "TextColor", 0, 0, 0xFFFFFF);
inline constexpr Setting kShowDim = detail::Flag("ShowDim", 0);
inline constexpr Setting kShowFileName = detail::Flag("ShowFileName", 1);
inline constexpr Setting kShowFileSize = detail::Flag("ShowFileSize", 0);
inline constexpr Setting kShowFileDate = detail::Flag("ShowFileDate", 0);
inline constexpr Setting kSlideTime = detail::Text("SlideTime", "5");
inline constexpr Setting kRandom = detail::Flag("Random", 0);
// The recent-folder list holds at most 16 entries; 0 means no list.
inline constexpr Setting kMru = detail::Int(kSectionSettings, "MRU", 8, 0, 16);

// Warnings the user may silence.
inline constexpr Setting kNoDelDlg = detail::Flag("NoDelDlg", 0);
inline constexpr Setting kNoOverDlg = detail::Flag("NoOverDlg", 0);

// Make Thumbs options. "Folder" defaults to the images' own folder, which only
// the caller knows; the empty text stands for it here.
inline constexpr Setting kHtml = detail::Flag("Html", 0);
inline constexpr Setting kPrepend = detail::Int(kSectionSettings, "Prepend", 0, 0, 2);
inline constexpr Setting kHref = detail::Flag("Href", 0);
inline constexpr Setting kHtmlFile = detail::Text("File", "");
inline constexpr Setting kDoAll = detail::Flag("DoAll", 1);
inline constexpr Setting kRowCount = detail::Int(kSectionSettings, "RowCount", 5, 2, 2000);
inline constexpr Setting kTable = detail::Flag("Table", 0);
inline constexpr Setting kThumbFolder = detail::Text("Folder", "");

// More Options: each default is the plain behaviour.
inline constexpr Setting kDeleteToTrash = detail::Flag("DeleteToTrash", 0);
inline constexpr Setting kNoTrashDlg = detail::Flag("NoTrashDlg", 0);
inline constexpr Setting kUpright = detail::Flag("Upright", 0);
inline constexpr Setting kDateTaken = detail::Flag("DateTaken", 0);
inline constexpr Setting kNaturalSort = detail::Flag("NaturalSort", 0);
// 0 a box for each file, 1 one list at the end of the scan, 2 the count only.
inline constexpr Setting kUnreadable = detail::Int(kSectionSettings, "Unreadable", 0, 0, 2);
inline constexpr Setting kOutlineCaptions = detail::Flag("OutlineCaptions", 0);

// The thumbnail cache's size limit in MiB; 0 turns the cache off.
inline constexpr Setting kCacheSize = detail::Int(kSectionSettings, "CacheSize", 256, 0, 1 << 20);

// The main window's placement.
inline constexpr Setting kScreenX = detail::Int(kSectionScreen, "x", 0);
inline constexpr Setting kScreenY = detail::Int(kSectionScreen, "y", 0);
inline constexpr Setting kScreenCx = detail::Int(kSectionScreen, "cx", 0);
inline constexpr Setting kScreenCy = detail::Int(kSectionScreen, "cy", 0);

static_assert(kMru.max == kMaxRecentFiles, "the list cannot be longer than its menu ids");

inline constexpr const Setting* kAllSettings[] = {
    &kSortStyle, &kSortOption,   &kPitch,        &kColorCheck,   &kBackColor,       &kTextColor,
    &kShowDim,   &kShowFileName, &kShowFileSize, &kShowFileDate, &kSlideTime,       &kRandom,
    &kMru,       &kNoDelDlg,     &kNoOverDlg,    &kHtml,         &kPrepend,         &kHref,
    &kHtmlFile,  &kDoAll,        &kRowCount,     &kTable,        &kThumbFolder,     &kScreenX,
    &kScreenY,   &kScreenCx,     &kScreenCy,     &kCacheSize,    &kDeleteToTrash,   &kNoTrashDlg,
    &kUpright,   &kDateTaken,    &kNaturalSort,  &kUnreadable,   &kOutlineCaptions,
};

}  // namespace pixfold::res
