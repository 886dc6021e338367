#pragma once
// Every key of the main window, as data: modifiers, key and command, and the
// menu item whose label shows it. The accelerator table and the menu labels
// are both made from this table, so they cannot disagree.

#include <string>

#include "res/CommandIds.h"
#include "res/Menus.h"

namespace pixfold::res {

enum KeyMod : unsigned { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// Keys named independently of the toolkit; letters are their upper-case ASCII.
enum KeyCode : int {
    kKeyF1 = 0x70,
    kKeyF2,
    kKeyF3,
    kKeyF4,
    kKeyF5,
    kKeyF6,
    kKeyF7,
    kKeyF8,
    kKeyF9,
    kKeyF10,
    kKeyF11,
    kKeyDelete = 0x2E,
    kKeyInsert = 0x2D,
    kKeyBack = 0x08,
    kKeyReturn = 0x0D,
    kKeyPageUp = 0x21,
    kKeyPageDown,
    kKeyEnd,
    kKeyHome,
    kKeyLeft,
    kKeyUp,
    kKeyRight,
    kKeyDown,
    kKeyMenu = 0x5D,
    // Plus and minus as the keypad's codes: their characters would be Insert's
    // and others' codes.
    kKeyPlus = 0x6B,
    kKeyMinus = 0x6D,
};

// Letters, digits, plus and minus: keys that come as characters, shifted or not.
inline constexpr bool IsCharacterKey(int key) {
    return key == kKeyPlus || key == kKeyMinus || (key >= '0' && key <= '9') ||
           (key >= 'A' && key <= 'Z');
}

struct KeyBinding {
    unsigned mods;
    int key;
    int command;
    int menuItem;  // the main-menu item whose label shows the key; 0 for none
};

inline constexpr KeyBinding kKeys[] = {
    {kCtrl, 'C', ID_EDIT_COPY, 0},
    {kCtrl, kKeyInsert, ID_EDIT_COPY, 0},
    {kCtrl, 'X', ID_EDIT_CUT, 0},
    {kShift, kKeyDelete, ID_EDIT_CUT, 0},
    {kCtrl, 'V', ID_EDIT_PASTE, 0},
    {kShift, kKeyInsert, ID_EDIT_PASTE, 0},
    {kCtrl, 'Z', ID_EDIT_UNDO, 0},
    {kAlt, kKeyBack, ID_EDIT_UNDO, 0},
    {kCtrl, 'N', ID_FILE_NEW, 0},
    {kCtrl, 'O', ID_FILE_OPEN, 0},
    {kCtrl, 'S', ID_FILE_SAVE, 0},
    {kCtrl, 'P', ID_FILE_PRINT, 0},
    {kNone, kKeyDelete, ID_DELETE_THUMB, ID_DELETE_THUMB},
    // F1 is help; the Help Topics item, which opens the same guide, shows it.
    {kNone, kKeyF1, ID_HELP, ID_HELP_FINDER},
    {kShift, kKeyF1, ID_CONTEXT_HELP, 0},
    {kNone, kKeyF2, ID_OPEN_FOLDER, ID_OPEN_FOLDER},
    {kNone, kKeyF3, ID_MOVE_RENAME_THUMB, ID_MOVE_RENAME_THUMB},
    {kNone, kKeyF4, ID_PREFERENCES, ID_PREFERENCES},
    {kNone, kKeyF5, ID_REFRESH, ID_REFRESH},
    {kNone, kKeyF6, ID_SHOW_DETAILS, ID_SHOW_DETAILS},
    {kNone, kKeyF7, ID_START_SLIDE_SHOW, ID_START_SLIDE_SHOW},
    {kNone, kKeyF9, ID_CLOSE_VIEW, ID_CLOSE_VIEW},
    {kNone, kKeyF10, ID_MAKE_THUMBS, ID_MAKE_THUMBS},
    // The print preview has no menu item; this key is its only way in.
    {kCtrl | kShift, 'P', ID_FILE_PRINT_PREVIEW, 0},
};

// Keys that a window handles itself, not commands: the grid's and the image
// window's. The user guide names each of them.
enum class GridAction {
    None,
    Left,  // Left to PageDown in the order of GridKey
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Open,
    ContextMenu,
    Larger,
    Smaller,
};

enum class ImageAction {
    None,
    Fit,
    ZoomIn,
    ZoomOut,
    ActualSize,
    Left,  // pans a picture wider than the window, else the previous picture
    Right,
    Up,
    Down,
    Previous,
    Next,
    FullScreen,
};

template <typename Action>
struct WindowKey {
    unsigned mods;
    int key;  // kKeyPlus and kKeyMinus also answer to '=', '_' and the keypad's keys
    Action action;
};

inline constexpr WindowKey<GridAction> kGridKeys[] = {
    {kNone, kKeyLeft, GridAction::Left},
    {kNone, kKeyRight, GridAction::Right},
    {kNone, kKeyUp, GridAction::Up},
    {kNone, kKeyDown, GridAction::Down},
    {kNone, kKeyHome, GridAction::Home},
    {kNone, kKeyEnd, GridAction::End},
    {kNone, kKeyPageUp, GridAction::PageUp},
    {kNone, kKeyPageDown, GridAction::PageDown},
    {kNone, kKeyReturn, GridAction::Open},
    {kNone, kKeyMenu, GridAction::ContextMenu},
    {kShift, kKeyF10, GridAction::ContextMenu},
    {kCtrl, kKeyPlus, GridAction::Larger},
    {kCtrl, kKeyMinus, GridAction::Smaller},
};

inline constexpr WindowKey<ImageAction> kImageKeys[] = {
    {kNone, 'F', ImageAction::Fit},
    {kNone, kKeyPlus, ImageAction::ZoomIn},
    {kNone, kKeyMinus, ImageAction::ZoomOut},
    {kNone, '1', ImageAction::ActualSize},
    {kNone, kKeyLeft, ImageAction::Left},
    {kNone, kKeyRight, ImageAction::Right},
    {kNone, kKeyUp, ImageAction::Up},
    {kNone, kKeyDown, ImageAction::Down},
    {kNone, kKeyPageUp, ImageAction::Previous},
    {kNone, kKeyPageDown, ImageAction::Next},
    {kNone, kKeyF11, ImageAction::FullScreen},
};

// The action a key of the table gives. Shift does not count for characters:
// plus needs it on many keyboards, and a letter comes shifted or not.
template <typename Action, size_t N>
Action WindowKeyAction(const WindowKey<Action> (&table)[N], unsigned mods, int key) {
    for (const WindowKey<Action>& k : table) {
        const unsigned m = IsCharacterKey(key) ? mods & ~unsigned{kShift} : mods;
        if (k.key == key && k.mods == m) {
            return k.action;
        }
    }
    return Action::None;
}

// The key as a menu label writes it: "F2", "Del", "Ctrl+Shift+P".
inline std::string KeyLabel(const KeyBinding& k) {
    std::string label;
    if (k.mods & kCtrl) {
        label += "Ctrl+";
    }
    if (k.mods & kAlt) {
        label += "Alt+";
    }
    if (k.mods & kShift) {
        label += "Shift+";
    }
    if (k.key >= kKeyF1 && k.key <= kKeyF11) {
        label += "F" + std::to_string(k.key - kKeyF1 + 1);
    } else if (k.key == kKeyDelete) {
        label += "Del";
    } else if (k.key == kKeyInsert) {
        label += "Ins";
    } else if (k.key == kKeyBack) {
        label += "Back";
    } else if (k.key == kKeyPlus || k.key == kKeyMinus) {
        label += k.key == kKeyPlus ? "+" : "-";
    } else {
        label += static_cast<char>(k.key);
    }
    return label;
}

// A main-menu item's label: its text, and the key the table shows on it.
inline std::string MenuLabel(const MenuEntry& item) {
    std::string label = item.text;
    for (const KeyBinding& k : kKeys) {
        if (k.menuItem != 0 && k.menuItem == item.id) {
            label += "\t" + KeyLabel(k);
            break;
        }
    }
    return label;
}

}  // namespace pixfold::res
