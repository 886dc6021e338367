#pragma once
// Accelerator table 128, as data: modifier flags, a key and the command.

#include "res/CommandIds.h"

namespace pixfold::res {

enum AccelMod : unsigned { kNone = 0, kCtrl = 1, kShift = 2, kAlt = 4 };

// Keys named independently of the toolkit; letters are their upper-case ASCII.
enum AccelKey : int {
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
    kKeyDelete = 0x2E,
    kKeyInsert = 0x2D,
    kKeyBack = 0x08,
};

struct AccelEntry {
    unsigned mods;
    int key;
    int command;
};

inline constexpr AccelEntry kMainAccelerators[] = {
    {kCtrl, 'C', ID_EDIT_COPY},
    {kCtrl, kKeyInsert, ID_EDIT_COPY},
    {kCtrl, 'X', ID_EDIT_CUT},
    {kShift, kKeyDelete, ID_EDIT_CUT},
    {kCtrl, 'V', ID_EDIT_PASTE},
    {kShift, kKeyInsert, ID_EDIT_PASTE},
    {kCtrl, 'Z', ID_EDIT_UNDO},
    {kAlt, kKeyBack, ID_EDIT_UNDO},
    {kCtrl, 'N', ID_FILE_NEW},
    {kCtrl, 'O', ID_FILE_OPEN},
    {kCtrl, 'S', ID_FILE_SAVE},
    {kCtrl, 'P', ID_FILE_PRINT},
    {kNone, kKeyDelete, ID_DELETE_THUMB},
    {kNone, kKeyF1, ID_HELP},
    {kShift, kKeyF1, ID_CONTEXT_HELP},
    {kNone, kKeyF2, ID_OPEN_FOLDER},
    {kNone, kKeyF3, ID_MOVE_RENAME_THUMB},
    {kNone, kKeyF4, ID_PREFERENCES},
    {kNone, kKeyF5, ID_REFRESH},
    {kNone, kKeyF6, ID_SHOW_DETAILS},
    {kNone, kKeyF7, ID_START_SLIDE_SHOW},
    {kNone, kKeyF9, ID_CLOSE_VIEW},
    {kNone, kKeyF10, ID_MAKE_THUMBS},
    // The print preview has a key too, beside printing's Ctrl+P.
    {kCtrl | kShift, 'P', ID_FILE_PRINT_PREVIEW},
};

}  // namespace pixfold::res
