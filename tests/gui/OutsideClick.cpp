#include "OutsideClick.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace pixfold::test {

void ClickFromOutside(int x, int y) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return;
    }
    // From outside the target, so that it sees the pointer come in: a button
    // that was disabled while the pointer came takes no click otherwise.
    XTestFakeMotionEvent(display, -1, x + 200, y + 200, 0);
    XTestFakeMotionEvent(display, -1, x, y, 20);
    XTestFakeButtonEvent(display, 1, True, 20);
    XTestFakeButtonEvent(display, 1, False, 20);
    XFlush(display);
    XCloseDisplay(display);
}

}  // namespace pixfold::test
