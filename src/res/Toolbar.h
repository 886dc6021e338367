#pragma once
// Toolbar 128: buttons in order, 0 for a separator.

#include "res/CommandIds.h"

namespace pixfold::res {

inline constexpr int kToolbarButtons[] = {
    ID_OPEN_FOLDER,      0, ID_DELETE_THUMB, ID_MOVE_RENAME_THUMB,
    ID_MAKE_THUMBS,      0, ID_PREFERENCES,  ID_SHOW_DETAILS,
    ID_START_SLIDE_SHOW, 0, ID_APP_ABOUT,
};

}  // namespace pixfold::res
