#pragma once
// Dialog templates as data: positions and sizes in dialog units, ids, texts
// and styles. The UI builds real dialogs from them (DialogBuilder).

#include <cstddef>

#include "res/CommandIds.h"

namespace pixfold::res {

enum class Ctl {
    Static,        // left-aligned text
    StaticCenter,
    StaticRight,
    Icon,
    Group,         // group box
    Button,
    DefButton,
    Check,
    Radio,
    Edit,
    Slider,
    OwnerButton,   // owner-drawn push button
};

// Control style bits that matter here.
enum : unsigned {
    kTabStop = 1u << 0,
    kGroupStart = 1u << 1,   // first control of a group (radio groups)
    kHidden = 1u << 2,
    kDisabled = 1u << 3,
    kNotify = 1u << 4,       // static that reports clicks
    kSunken = 1u << 5,
    kAutoTicks = 1u << 6,
    kNumber = 1u << 7,       // edit accepts digits only
};

struct ControlTemplate {
    Ctl kind;
    int id;  // -1: static without an id of its own
    const char* text;
    int x, y, cx, cy;
    unsigned style;
};

struct DialogTemplate {
    int id;
    int x, y, cx, cy;
    const char* caption;
    const char* fontFace;
    int fontPoints;
    const ControlTemplate* controls;
    size_t count;
};

inline constexpr ControlTemplate kFindFilesControls[] = {
    {Ctl::Static, IDC_FIND_TEXT, "Static", 8, 10, 287, 8, 0},
};

inline constexpr DialogTemplate kFindFilesDialog = {
    IDD_FIND_FILES, 0, 0, 302, 31, "Finding Image Files", "MS Sans Serif", 8,
    kFindFilesControls, std::size(kFindFilesControls)};

}  // namespace pixfold::res
