#pragma once
// Dialog templates as data: positions and sizes in dialog units, ids, texts
// and styles. The UI builds real dialogs from them (DialogBuilder).

#include <cstddef>

#include "res/CommandIds.h"

namespace pixfold::res {

enum class Ctl {
    Static,  // left-aligned text
    StaticCenter,
    StaticRight,
    Icon,
    Group,  // group box
    Button,
    DefButton,
    Check,
    Radio,
    Edit,
    Slider,
    OwnerButton,  // owner-drawn push button
};

// Control style bits that matter here.
enum : unsigned {
    kTabStop = 1u << 0,
    kGroupStart = 1u << 1,  // first control of a group (radio groups)
    kHidden = 1u << 2,
    kDisabled = 1u << 3,
    kNotify = 1u << 4,  // static that reports clicks
    kSunken = 1u << 5,
    kAutoTicks = 1u << 6,
    kNumber = 1u << 7,  // edit accepts digits only
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
    // The count and a way out of a long scan.
    {Ctl::Static, IDC_FIND_COUNT, "", 8, 26, 150, 8, 0},
    {Ctl::Button, IDC_FIND_CANCEL, "Cancel", 245, 23, 50, 14, kTabStop},
};

inline constexpr DialogTemplate kFindFilesDialog = {IDD_FIND_FILES,
                                                    0,
                                                    0,
                                                    302,
                                                    44,
                                                    "Finding Image Files",
                                                    "MS Sans Serif",
                                                    8,
                                                    kFindFilesControls,
                                                    std::size(kFindFilesControls)};

// More Options: the choices beyond the preferences.
inline constexpr int IDD_MORE_OPTIONS = 140;
inline constexpr int IDC_OPT_TRASH = 1101;
inline constexpr int IDC_OPT_UPRIGHT = 1102;
inline constexpr int IDC_OPT_DATE_TAKEN = 1103;
inline constexpr int IDC_OPT_NATURAL = 1104;
inline constexpr int IDC_OPT_OUTLINE = 1105;
inline constexpr int IDC_OPT_UNREAD_BOX = 1106;
inline constexpr int IDC_OPT_UNREAD_LIST = 1107;
inline constexpr int IDC_OPT_UNREAD_COUNT = 1108;
inline constexpr int IDC_OPT_DEFAULTS = 1109;

// Button ids shared with the Preferences template.
inline constexpr int IDOK_BUTTON = 1;
inline constexpr int IDCANCEL_BUTTON = 2;

inline constexpr ControlTemplate kMoreOptionsControls[] = {
    {Ctl::Check, IDC_OPT_TRASH, "Delete moves the file to the Trash", 7, 7, 206, 10, kTabStop},
    {Ctl::Check, IDC_OPT_UPRIGHT, "Turn photos upright by their EXIF orientation", 7, 21, 206, 10,
     kTabStop},
    {Ctl::Check, IDC_OPT_DATE_TAKEN, "Sort and show dates by the date taken", 7, 35, 206, 10,
     kTabStop},
    {Ctl::Check, IDC_OPT_NATURAL, "Sort names by number value (img2 before img10)", 7, 49, 206, 10,
     kTabStop},
    {Ctl::Check, IDC_OPT_OUTLINE, "Outline captions so they stay legible", 7, 63, 206, 10,
     kTabStop},
    {Ctl::Group, -1, "Files that cannot be read", 7, 78, 206, 50, kGroupStart},
    {Ctl::Radio, IDC_OPT_UNREAD_BOX, "A message box for each", 15, 90, 190, 10,
     kTabStop | kGroupStart},
    {Ctl::Radio, IDC_OPT_UNREAD_LIST, "One list at the end of the scan", 15, 102, 190, 10, 0},
    {Ctl::Radio, IDC_OPT_UNREAD_COUNT, "Only a count in the status bar", 15, 114, 190, 10, 0},
    {Ctl::Button, IDC_OPT_DEFAULTS, "Restore Defaults", 7, 135, 70, 14, kTabStop | kGroupStart},
    {Ctl::DefButton, IDOK_BUTTON, "OK", 109, 135, 50, 14, kTabStop},
    {Ctl::Button, IDCANCEL_BUTTON, "Cancel", 163, 135, 50, 14, kTabStop},
};

inline constexpr DialogTemplate kMoreOptionsDialog = {IDD_MORE_OPTIONS,
                                                      0,
                                                      0,
                                                      220,
                                                      156,
                                                      "More Options",
                                                      "MS Sans Serif",
                                                      8,
                                                      kMoreOptionsControls,
                                                      std::size(kMoreOptionsControls)};

// Preferences, template 130. Order is the tab order and closes the radio groups.
inline constexpr int IDD_PREFERENCES = 130;
inline constexpr int IDC_PITCH_SLIDER = 1000;
inline constexpr int IDC_SHOW_DIM = 1001;
inline constexpr int IDC_SLIDE_INTERVAL = 1002;
inline constexpr int IDC_RANDOM_SLIDES = 1003;
inline constexpr int IDC_SHOW_NAME = 1004;
inline constexpr int IDC_SORT_NONE = 1005;
inline constexpr int IDC_SORT_NAME = 1006;
inline constexpr int IDC_SORT_SIZE = 1007;
inline constexpr int IDC_ASCENDING = 1008;
inline constexpr int IDC_DESCENDING = 1009;
inline constexpr int IDC_SHOW_SIZE = 1010;
inline constexpr int IDC_CURRENT_LABEL = 1011;
inline constexpr int IDC_SHOW_DATE = 1012;
inline constexpr int IDC_SORT_DATE = 1013;
inline constexpr int IDC_MIN_LABEL = 1014;
inline constexpr int IDC_MAX_LABEL = 1015;
inline constexpr int IDC_MRU_COUNT = 1016;
inline constexpr int IDC_DEFAULT_COLOR = 1020;
inline constexpr int IDC_BACK_COLOR = 1021;
inline constexpr int IDC_TEXT_COLOR = 1022;
inline constexpr int IDC_RESTORE_DEFAULTS = 3;

inline constexpr ControlTemplate kPreferencesControls[] = {
    {Ctl::Slider, IDC_PITCH_SLIDER, "", 15, 15, 120, 20, kTabStop | kAutoTicks},
    {Ctl::Check, IDC_SHOW_DIM, "Show Image Dimensions", 25, 81, 100, 10, kTabStop},
    {Ctl::Check, IDC_SHOW_SIZE, "Show File Size", 25, 96, 100, 10, kTabStop},
    {Ctl::Check, IDC_SHOW_NAME, "Show File Name", 25, 110, 100, 10, kTabStop},
    {Ctl::Check, IDC_SHOW_DATE, "Show File Date", 25, 125, 100, 10, kTabStop},
    {Ctl::Edit, IDC_SLIDE_INTERVAL, "", 17, 140, 17, 12, kTabStop},
    {Ctl::Radio, IDC_SORT_NONE, "None", 160, 20, 75, 10, kTabStop | kGroupStart},
    {Ctl::Radio, IDC_SORT_NAME, "File Name", 160, 30, 75, 10, 0},
    {Ctl::Radio, IDC_SORT_SIZE, "File Size", 160, 40, 75, 10, 0},
    {Ctl::Radio, IDC_SORT_DATE, "File Date", 160, 50, 75, 10, 0},
    {Ctl::Group, -1, "Sorting Option", 145, 5, 120, 60, kGroupStart},
    {Ctl::Radio, IDC_ASCENDING, "Ascending", 160, 85, 75, 10, kTabStop | kGroupStart | kDisabled},
    {Ctl::Radio, IDC_DESCENDING, "Decending", 160, 95, 75, 10, kDisabled},
    {Ctl::Group, -1, "Sorting Style", 145, 70, 120, 40, kGroupStart},
    {Ctl::DefButton, IDOK_BUTTON, "OK", 155, 185, 50, 14, kTabStop | kGroupStart},
    {Ctl::Button, IDCANCEL_BUTTON, "Cancel", 215, 185, 50, 14, kTabStop},
    {Ctl::Check, IDC_RANDOM_SLIDES, "Random Slide Show", 165, 195, 100, 10, kTabStop | kHidden},
    {Ctl::Group, -1, "Image Pitch", 10, 5, 130, 60, 0},
    {Ctl::Static, -1, "Slide Show Interval", 37, 143, 85, 10, 0},
    {Ctl::Group, -1, "Viewing", 10, 70, 130, 90, 0},
    {Ctl::StaticCenter, IDC_CURRENT_LABEL, "", 55, 40, 40, 8, 0},
    {Ctl::Static, IDC_MIN_LABEL, "", 20, 40, 30, 8, 0},
    {Ctl::StaticRight, IDC_MAX_LABEL, "", 100, 40, 30, 8, 0},
    {Ctl::Group, -1, "", 145, 115, 120, 45, 0},
    {Ctl::Check, IDC_DEFAULT_COLOR, "Use Default Color", 150, 115, 85, 10, kTabStop},
    {Ctl::OwnerButton, IDC_BACK_COLOR, "", 160, 140, 45, 15, kTabStop},
    {Ctl::OwnerButton, IDC_TEXT_COLOR, "", 210, 140, 45, 15, kTabStop},
    {Ctl::Static, -1, "Back Color", 160, 130, 45, 10, 0},
    {Ctl::Static, -1, "Font Color", 210, 130, 45, 10, 0},
    {Ctl::Static, -1, "Min", 20, 50, 25, 10, 0},
    {Ctl::StaticRight, -1, "Max", 105, 50, 25, 10, 0},
    {Ctl::StaticCenter, -1, "Current", 55, 50, 40, 10, 0},
    // Not the default button, so that Enter still means OK.
    {Ctl::Button, IDC_RESTORE_DEFAULTS, "Restore Defaults", 155, 165, 110, 14, kTabStop},
    {Ctl::Group, -1, "Most Recently Used Files", 10, 165, 130, 35, 0},
    {Ctl::Edit, IDC_MRU_COUNT, "", 15, 180, 17, 12, kTabStop},
    {Ctl::Static, -1, "Number of Files on MRU List", 35, 183, 100, 10, 0},
};

inline constexpr DialogTemplate kPreferencesDialog = {IDD_PREFERENCES,
                                                      0,
                                                      0,
                                                      272,
                                                      206,
                                                      "Preferences",
                                                      "MS Sans Serif",
                                                      8,
                                                      kPreferencesControls,
                                                      std::size(kPreferencesControls)};

// The colour palette popup, template 5100: 20 cells and "Other...".
inline constexpr int IDD_PALETTE = 5100;

#define PIXFOLD_CELL(i)                                                                          \
    {                                                                                            \
        Ctl::OwnerButton, 5101 + (i), "", 1 + 12 * ((i) % 4), (i) / 4 == 0 ? 1 : 12 * ((i) / 4), \
            11, 10, kTabStop                                                                     \
    }

inline constexpr ControlTemplate kPaletteControls[] = {
    PIXFOLD_CELL(0),  PIXFOLD_CELL(1),  PIXFOLD_CELL(2),
    PIXFOLD_CELL(3),  PIXFOLD_CELL(4),  PIXFOLD_CELL(5),
    PIXFOLD_CELL(6),  PIXFOLD_CELL(7),  PIXFOLD_CELL(8),
    PIXFOLD_CELL(9),  PIXFOLD_CELL(10), PIXFOLD_CELL(11),
    PIXFOLD_CELL(12), PIXFOLD_CELL(13), PIXFOLD_CELL(14),
    PIXFOLD_CELL(15), PIXFOLD_CELL(16), PIXFOLD_CELL(17),
    PIXFOLD_CELL(18), PIXFOLD_CELL(19), {Ctl::Button, 5121, "Other...", 1, 60, 47, 11, kTabStop},
};
#undef PIXFOLD_CELL

inline constexpr DialogTemplate kPaletteDialog = {IDD_PALETTE,
                                                  0,
                                                  0,
                                                  49,
                                                  73,
                                                  "",
                                                  "MS Sans Serif",
                                                  8,
                                                  kPaletteControls,
                                                  std::size(kPaletteControls)};

// The warning with a "don't show again" box, template 134.
inline constexpr int IDD_WARNING = 134;
inline constexpr int IDC_WARNING_DONT_SHOW = 1024;
inline constexpr int IDC_WARNING_TEXT = 1025;

inline constexpr ControlTemplate kWarningControls[] = {
    {Ctl::DefButton, IDOK_BUTTON, "Yes", 105, 83, 50, 14, kTabStop | kGroupStart},
    {Ctl::Button, IDCANCEL_BUTTON, "No", 160, 83, 50, 14, kTabStop},
    {Ctl::Static, IDC_WARNING_TEXT, "", 15, 16, 185, 39, 0},
    {Ctl::Check, IDC_WARNING_DONT_SHOW, "Dont' show this warning in the future.", 20, 65, 145, 10,
     kTabStop},
    {Ctl::Group, -1, "Question", 5, 5, 205, 55, 0},
};

inline constexpr DialogTemplate kWarningDialog = {IDD_WARNING,
                                                  0,
                                                  0,
                                                  217,
                                                  101,
                                                  "Warning!",
                                                  "MS Sans Serif",
                                                  8,
                                                  kWarningControls,
                                                  std::size(kWarningControls)};

// Make Thumbs options, template 131, in tab order.
inline constexpr int IDD_MAKE_THUMBS = 131;
inline constexpr int IDC_SIZE_LIMIT = 1003;
inline constexpr int IDC_HTML = 1004;
inline constexpr int IDC_HREF = 1005;
inline constexpr int IDC_APPEND_TN = 1013;
inline constexpr int IDC_PREPEND_TN = 1014;
inline constexpr int IDC_HTML_PATH = 1015;
inline constexpr int IDC_BROWSE_HTML = 1016;
inline constexpr int IDC_DO_ALL = 1017;
inline constexpr int IDC_TABLE = 1018;
inline constexpr int IDC_ROW_COUNT = 1019;
inline constexpr int IDC_ORIGINAL_NAME = 1020;
inline constexpr int IDC_THUMB_FOLDER = 1021;
inline constexpr int IDC_BROWSE_FOLDER = 1022;
inline constexpr int IDC_ROWS_LABEL = 1023;
inline constexpr int IDC_SYNC_FOLDERS = 1024;
inline constexpr int IDC_HTML_PATH_LABEL = 1026;

inline constexpr ControlTemplate kMakeThumbsControls[] = {
    {Ctl::Edit, IDC_SIZE_LIMIT, "", 10, 16, 20, 12, kTabStop | kNumber},
    {Ctl::Radio, IDC_APPEND_TN, "Append File Name with _tn", 140, 15, 110, 10,
     kTabStop | kGroupStart},
    {Ctl::Radio, IDC_PREPEND_TN, "Prepend tn_ to File Name", 140, 30, 110, 10, 0},
    {Ctl::Radio, IDC_ORIGINAL_NAME, "Use original File Name", 140, 45, 120, 10, 0},
    {Ctl::Group, -1, "New Thumb Details", 5, 5, 260, 90, kGroupStart},
    {Ctl::Check, IDC_DO_ALL, "Do for all images", 20, 40, 100, 10, kTabStop},
    {Ctl::Check, IDC_HTML, "Make an HTML Page with ThumbNails", 20, 110, 105, 20, kTabStop},
    {Ctl::Check, IDC_HREF, "Make each ThumbNail a hyper-link to the full size image", 140, 110, 110,
     20, kTabStop | kDisabled},
    {Ctl::Edit, IDC_HTML_PATH, "", 20, 145, 190, 15, kTabStop | kDisabled},
    {Ctl::Check, IDC_TABLE, "Make table", 20, 167, 55, 10, kTabStop | kDisabled},
    {Ctl::Edit, IDC_ROW_COUNT, "", 80, 166, 25, 12, kTabStop | kDisabled | kNumber},
    {Ctl::Button, IDC_BROWSE_HTML, "Browse...", 215, 145, 40, 14, kTabStop | kDisabled},
    {Ctl::DefButton, IDOK_BUTTON, "OK", 160, 195, 50, 14, kTabStop},
    {Ctl::Button, IDCANCEL_BUTTON, "Cancel", 215, 195, 50, 14, kTabStop},
    {Ctl::Static, -1, "Make ThumbNail JPGs and limit their size to this value", 32, 15, 93, 15, 0},
    {Ctl::Group, -1, "HTML Page Details", 5, 100, 260, 85, 0},
    {Ctl::Static, IDC_ROWS_LABEL, "Thumbs per row", 110, 168, 60, 10, kDisabled},
    {Ctl::Edit, IDC_THUMB_FOLDER, "", 20, 70, 190, 15, kTabStop},
    {Ctl::Button, IDC_BROWSE_FOLDER, "Browse...", 215, 70, 40, 14, kTabStop},
    {Ctl::Button, IDC_SYNC_FOLDERS, "Sync Folders", 180, 166, 75, 14, kTabStop | kDisabled},
    {Ctl::Static, -1, "Folder where ThumbNails will live", 20, 60, 125, 10, 0},
    {Ctl::Static, IDC_HTML_PATH_LABEL, "Path to HTML File", 20, 135, 125, 10, kDisabled},
};

inline constexpr DialogTemplate kMakeThumbsDialog = {IDD_MAKE_THUMBS,
                                                     0,
                                                     0,
                                                     272,
                                                     215,
                                                     "Make Thumbs",
                                                     "MS Sans Serif",
                                                     8,
                                                     kMakeThumbsControls,
                                                     std::size(kMakeThumbsControls)};

// About Pixfold, template 100.
inline constexpr int IDD_ABOUT = 100;
inline constexpr int IDC_MAIL_LINK = 1022;
inline constexpr int IDC_WEB_LINK = 1023;
inline constexpr int IDC_ABOUT_ICON = 1050;

// The maker's addresses, and the user-name prefix that marks the e-mail link.
inline constexpr const char* kMakerMail = "pixfold@example.org";
inline constexpr const char* kMakerMailPrefix = "pixfold@";
inline constexpr const char* kMakerWeb = "https://pixfold.example.org/";

inline constexpr ControlTemplate kAboutControls[] = {
    {Ctl::Group, -1, "What Pixfold Does", 5, 5, 97, 45, 0},
    {Ctl::StaticCenter, -1, "Pixfold is a JPEG ThumbNail viewer and manager", 10, 20, 84, 25, 0},
    {Ctl::Group, -1, "Legal", 5, 55, 97, 48, 0},
    {Ctl::StaticCenter, -1, "Free software, given\nwithout any warranty.", 9, 71, 84, 24, 0},
    {Ctl::StaticCenter, -1, "Pixfold Version 2.0", 130, 5, 95, 8, 0},
    {Ctl::StaticCenter, -1, "(c) 2026 the Pixfold team", 130, 15, 95, 8, 0},
    {Ctl::StaticCenter, -1, "A 32 bit application", 140, 25, 72, 8, 0},
    {Ctl::StaticCenter, -1, "By the Pixfold team,\nfor photographers", 140, 35, 77, 20, 0},
    {Ctl::StaticCenter, IDC_MAIL_LINK, kMakerMail, 130, 55, 95, 10, 0},
    {Ctl::StaticCenter, IDC_WEB_LINK, kMakerWeb, 115, 70, 120, 10, 0},
    {Ctl::Icon, IDC_ABOUT_ICON, "", 140, 85, 20, 20, 0},
    {Ctl::DefButton, IDOK_BUTTON, "OK", 180, 90, 32, 14, kTabStop | kGroupStart},
};

inline constexpr DialogTemplate kAboutDialog = {IDD_ABOUT,
                                                0,
                                                0,
                                                258,
                                                111,
                                                "About Pixfold",
                                                "MS Sans Serif",
                                                8,
                                                kAboutControls,
                                                std::size(kAboutControls)};

}  // namespace pixfold::res
