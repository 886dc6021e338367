#include "platform/WxScreen.h"

#include <wx/display.h>

namespace pixfold {

wxRect PrimaryScreen() {
    // The default display object is the primary one, not the first listed.
    return wxDisplay().GetGeometry();
}

}  // namespace pixfold
