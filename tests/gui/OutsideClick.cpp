#include "OutsideClick.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace pixfold::test {

void ClickFromOutside(int x, int y) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return;
    }
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XTestFakeButtonEvent(display, 1, True, 20);
    XTestFakeButtonEvent(display, 1, False, 20);
    XFlush(display);
    XCloseDisplay(display);
}

}  // namespace pixfold::test
