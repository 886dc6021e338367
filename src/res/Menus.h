#pragma once
// Menu 128 (the main menu) and menu 133 (the grid's context menu), as data.
// Keys are not written here: the main menu's labels take them from Keys.h.

#include "res/CommandIds.h"

namespace pixfold::res {

enum class MenuKind { Popup, Item, Separator, End };

struct MenuEntry {
    MenuKind kind;
    int id;
    const char* text;
    bool grayed;  // as the resource marks it; run-time enabling decides
};

inline constexpr MenuEntry kMainMenu[] = {
    {MenuKind::Popup, 0, "&Pixfold", false},
    {MenuKind::Item, ID_OPEN_FOLDER, "&Open Folder...", false},
    {MenuKind::Item, ID_CLOSE_VIEW, "&Close View", false},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_FILE_MRU_FILE1, "Recent File", true},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_APP_EXIT, "E&xit", false},
    {MenuKind::End, 0, nullptr, false},
    {MenuKind::Popup, 0, "&Edit", false},
    {MenuKind::Item, ID_DELETE_THUMB, "&Delete Thumb", true},
    {MenuKind::Item, ID_MOVE_RENAME_THUMB, "&Move or Rename Thumb...", true},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_MAKE_THUMBS, "M&ake Thumbs...", true},
    {MenuKind::End, 0, nullptr, false},
    {MenuKind::Popup, 0, "&View", false},
    {MenuKind::Item, ID_PREFERENCES, "&Preferences...", false},
    {MenuKind::Item, ID_MORE_OPTIONS, "&More Options...", false},
    {MenuKind::Item, ID_REFRESH, "&Refresh", false},
    {MenuKind::Item, ID_SHOW_DETAILS, "Sh&ow Details", false},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_START_SLIDE_SHOW, "Start Sl&ide Show", true},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_VIEW_TOOLBAR, "&Toolbar", false},
    {MenuKind::Item, ID_VIEW_STATUS_BAR, "&Status Bar", false},
    {MenuKind::End, 0, nullptr, false},
    {MenuKind::Popup, 0, "&Help", false},
    {MenuKind::Item, ID_HELP_FINDER, "&Help Topics", false},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_APP_ABOUT, "&About Pixfold...", false},
    {MenuKind::End, 0, nullptr, false},
};

inline constexpr MenuEntry kContextMenu[] = {
    {MenuKind::Popup, 0, "_POPUP_", false},
    {MenuKind::Item, ID_PREFERENCES, "&Preferences...", false},
    {MenuKind::Item, ID_START_SLIDE_SHOW, "&Start Slide Show", false},
    {MenuKind::Separator, 0, nullptr, false},
    {MenuKind::Item, ID_DELETE_THUMB, "&Delete Thumb", false},
    {MenuKind::Item, ID_MOVE_RENAME_THUMB, "&Move or Rename Thumb...", false},
    {MenuKind::Item, ID_MAKE_THUMBS, "&Make Thumbs...", false},
    {MenuKind::End, 0, nullptr, false},
};

}  // namespace pixfold::res
