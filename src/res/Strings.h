#pragma once
// The string table: command prompts (status-bar text, then the tooltip after a
// line break), status-bar indicators and other fixed texts.

#include "res/CommandIds.h"

namespace pixfold::res {

struct PromptEntry {
    int id;
    const char* prompt;
};

inline constexpr PromptEntry kPrompts[] = {
    {ID_PREFERENCES, "Preferences\nPreferences"},
    {ID_OPEN_FOLDER, "Open Folder\nOpen Folder"},
    {ID_START_SLIDE_SHOW, "Slide Show\nSlide Show"},
    {ID_MAKE_THUMBS, "Make Thumbs\nMake Thumbs"},
    {ID_DELETE_THUMB, "Delete\nDelete"},
    {ID_MOVE_RENAME_THUMB, "Rename\nRename"},
    {ID_SHOW_DETAILS, "Show Details"},
    {ID_REFRESH, "Refresh\nRefresh"},
    {ID_CLOSE_VIEW, "Close View\nClose View"},
    {ID_MORE_OPTIONS, "Trash, upright photos, sorting and captions\nMore Options"},
    // Prompts of the standard commands.
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
    {ID_HELP, "Display help for current task or command\nHelp"},
    {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},
    {ID_DEFAULT_HELP, "Display default help\nHelp"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
};

inline constexpr const char* kMruPrompt = "Open this document";
inline constexpr const char* kIdlePrompt = "For Help, press F1";

// Status bar: the stretching message pane, then four indicators.
struct IndicatorEntry {
    int id;
    const char* initialText;
};
inline constexpr IndicatorEntry kIndicators[] = {
    {0, ""},
    {ID_INDICATOR_FILENAME, "filename"},
    {ID_INDICATOR_FILESIZE, "filesize"},
    {ID_INDICATOR_FILEDATE, "filedate"},
    {ID_INDICATOR_IMAGESIZE, "imagesize"},
};

inline constexpr const char* kWindowTitle = "Pixfold";

// Prompt for an id, or null.
constexpr const char* FindPrompt(int id) {
    for (const PromptEntry& p : kPrompts) {
        if (p.id == id) {
            return p.prompt;
        }
    }
    return (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) ? kMruPrompt : nullptr;
}

}  // namespace pixfold::res
