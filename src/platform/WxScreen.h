#pragma once
// The screen that placement arithmetic means: the primary display.

#include <wx/gdicmn.h>

namespace pixfold {

// The primary display's rectangle on the desktop; on several monitors its
// top-left corner need not be (0, 0).
wxRect PrimaryScreen();

}  // namespace pixfold
