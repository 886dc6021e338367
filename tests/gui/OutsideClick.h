#pragma once
// A click sent while the interface thread is busy (a scan in progress): from
// the calling thread, on a display connection of its own. Kept apart from
// the toolkit's headers, which Xlib's macros would break.

namespace pixfold::test {

// Moves the pointer to a screen point and clicks the first button there.
void ClickFromOutside(int x, int y);

}  // namespace pixfold::test
