#pragma once
// Toolkit menu ids stay below 32767, so the program's own command ids
// (32772..32783) move down into a block of their own, and the standard
// commands' (57600 and up) map to stock ids. Control ids of dialogs pass unchanged.

#include <wx/defs.h>

#include <cctype>

#include "res/CommandIds.h"
#include "res/Keys.h"

namespace pixfold::res {

// Toolbar and status bar toggles have no stock id.
inline constexpr int kWxIdViewToolbar = wxID_HIGHEST + 1;
inline constexpr int kWxIdViewStatusBar = wxID_HIGHEST + 2;
inline constexpr int kWxIdPrintDirect = wxID_HIGHEST + 3;
inline constexpr int kWxIdDefaultHelp = wxID_HIGHEST + 4;
// The program's commands 32768.. map to this block.
inline constexpr int kWxCommandBase = wxID_HIGHEST + 100;
inline constexpr int kProgramCommandFirst = 32768;
inline constexpr int kProgramCommandLast = 32799;

struct IdMapping {
    int framework;
    int wx;
};

inline constexpr IdMapping kIdMap[] = {
    {ID_FILE_NEW, wxID_NEW},
    {ID_FILE_OPEN, wxID_OPEN},
    {ID_FILE_SAVE, wxID_SAVE},
    {ID_FILE_PRINT_SETUP, wxID_PRINT_SETUP},
    {ID_FILE_PRINT, wxID_PRINT},
    {ID_FILE_PRINT_DIRECT, kWxIdPrintDirect},
    {ID_FILE_PRINT_PREVIEW, wxID_PREVIEW},
    {ID_EDIT_COPY, wxID_COPY},
    {ID_EDIT_CUT, wxID_CUT},
    {ID_EDIT_PASTE, wxID_PASTE},
    {ID_EDIT_UNDO, wxID_UNDO},
    {ID_APP_ABOUT, wxID_ABOUT},
    {ID_APP_EXIT, wxID_EXIT},
    {ID_HELP_FINDER, wxID_HELP_CONTENTS},
    {ID_CONTEXT_HELP, wxID_CONTEXT_HELP},
    {ID_HELP, wxID_HELP},
    {ID_DEFAULT_HELP, kWxIdDefaultHelp},
    {ID_VIEW_TOOLBAR, kWxIdViewToolbar},
    {ID_VIEW_STATUS_BAR, kWxIdViewStatusBar},
};

constexpr int ToWxId(int id) {
    if (id >= kProgramCommandFirst && id <= kProgramCommandLast) {
        return kWxCommandBase + (id - kProgramCommandFirst);
    }
    if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
        return wxID_FILE1 + (id - ID_FILE_MRU_FILE1);
    }
    for (const IdMapping& m : kIdMap) {
        if (m.framework == id) {
            return m.wx;
        }
    }
    return id;
}

constexpr int FromWxId(int id) {
    if (id >= kWxCommandBase &&
        id <= kWxCommandBase + (kProgramCommandLast - kProgramCommandFirst)) {
        return kProgramCommandFirst + (id - kWxCommandBase);
    }
    if (id >= wxID_FILE1 && id < wxID_FILE1 + kMaxRecentFiles) {
        return ID_FILE_MRU_FILE1 + (id - wxID_FILE1);
    }
    for (const IdMapping& m : kIdMap) {
        if (m.wx == id) {
            return m.framework;
        }
    }
    return id;
}

// The toolkit's code for a key of the key table.
inline int ToWxKey(int key) {
    if (key >= kKeyF1 && key <= kKeyF11) {
        return WXK_F1 + (key - kKeyF1);
    }
    switch (key) {
        case kKeyReturn:
            return WXK_RETURN;
        case kKeyPageUp:
            return WXK_PAGEUP;
        case kKeyPageDown:
            return WXK_PAGEDOWN;
        case kKeyEnd:
            return WXK_END;
        case kKeyHome:
            return WXK_HOME;
        case kKeyLeft:
            return WXK_LEFT;
        case kKeyUp:
            return WXK_UP;
        case kKeyRight:
            return WXK_RIGHT;
        case kKeyDown:
            return WXK_DOWN;
        case kKeyMenu:
            return WXK_MENU;
        case kKeyPlus:
            return '+';
        case kKeyMinus:
            return '-';
        case kKeyDelete:
            return WXK_DELETE;
        case kKeyInsert:
            return WXK_INSERT;
        case kKeyBack:
            return WXK_BACK;
        default:
            return key;
    }
}

// A toolkit key event's key and modifiers as the window key tables name them;
// 0 for a key no table names.
inline int FromWxKey(int code) {
    if (code >= WXK_F1 && code <= WXK_F11) {
        return kKeyF1 + (code - WXK_F1);
    }
    switch (code) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            return kKeyReturn;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return kKeyPageUp;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return kKeyPageDown;
        case WXK_END:
        case WXK_NUMPAD_END:
            return kKeyEnd;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return kKeyHome;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return kKeyLeft;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return kKeyUp;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return kKeyRight;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return kKeyDown;
        case WXK_MENU:
        case WXK_WINDOWS_MENU:
            return kKeyMenu;
        case '+':
        case '=':
        case WXK_NUMPAD_ADD:
            return kKeyPlus;
        case '-':
        case '_':
        case WXK_NUMPAD_SUBTRACT:
            return kKeyMinus;
        default:
            // Other characters would read as the navigation keys' codes.
            return std::isalnum(code) ? std::toupper(code) : 0;
    }
}

inline unsigned FromWxMods(int mods) {
    return (mods & wxMOD_CONTROL ? kCtrl : 0u) | (mods & wxMOD_SHIFT ? kShift : 0u) |
           (mods & wxMOD_ALT ? kAlt : 0u);
}

}  // namespace pixfold::res
