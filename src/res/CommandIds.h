#pragma once
// Command and resource identifiers. The program's own ids (32772..32783) are
// used as they are; the standard commands' (57600 and up) are mapped to
// toolkit ids by the UI (WxIds.h).

namespace pixfold::res {

// The program's commands.
inline constexpr int ID_PREFERENCES = 32772;
inline constexpr int ID_OPEN_FOLDER = 32773;
inline constexpr int ID_START_SLIDE_SHOW = 32774;
inline constexpr int ID_MAKE_THUMBS = 32777;
inline constexpr int ID_DELETE_THUMB = 32778;
inline constexpr int ID_MOVE_RENAME_THUMB = 32779;
inline constexpr int ID_SHOW_DETAILS = 32781;
inline constexpr int ID_REFRESH = 32782;
inline constexpr int ID_CLOSE_VIEW = 32783;
inline constexpr int ID_MORE_OPTIONS = 32795;

// Standard commands: file, print, recent list, edit, help, bars, exit.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;  // .. 57631
inline constexpr int ID_FILE_MRU_LAST = 57631;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_HELP_FINDER = 57667;
inline constexpr int ID_CONTEXT_HELP = 57669;
inline constexpr int ID_HELP = 57670;
inline constexpr int ID_DEFAULT_HELP = 57671;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;

// Status bar indicators.
inline constexpr int ID_INDICATOR_FILENAME = 57638;
inline constexpr int ID_INDICATOR_FILESIZE = 57639;
inline constexpr int ID_INDICATOR_FILEDATE = 57645;
inline constexpr int ID_INDICATOR_IMAGESIZE = 57646;

// Resources.
inline constexpr int IDD_FIND_FILES = 110;
inline constexpr int IDC_FIND_TEXT = 1029;
inline constexpr int IDC_FIND_COUNT = 1030;
inline constexpr int IDC_FIND_CANCEL = 1031;

inline constexpr int kMaxRecentFiles = 16;

}  // namespace pixfold::res
