#pragma once
// What an image window needs of the one that opened it: where it belongs,
// which captions to show, and the slide show it may be part of.

#include <wx/window.h>

#include "catalog/MoreOptions.h"
#include "catalog/ThumbCatalog.h"
#include "catalog/ViewPrefs.h"

namespace pixfold {

class CImageWnd;

class ImageHost {
  public:
    virtual ~ImageHost() = default;
    // The window whose lifetime bounds the host's: an image window checks it
    // is still there before each call.
    virtual wxWindow* HostWindow() = 0;
    // The top-level window that owns image windows (their icons, their
    // stacking).
    virtual wxWindow* OwnerWindow() = 0;
    virtual const ViewPrefs& Prefs() const = 0;
    virtual const MoreOptions& Options() const = 0;
    // Escape in any image window stops the show's timer.
    virtual void StopSlideTimer() = 0;
    // Space in any image window pauses or resumes the show.
    virtual void ToggleSlidePause() = 0;
    // The records in catalogue order, for next and previous.
    virtual const ThumbCatalog& Catalog() const = 0;
    // Steps the show when `wnd` is its window (step > 0: next, else previous);
    // false when it is not.
    virtual bool StepSlideShow(CImageWnd* wnd, int step) = 0;
    // The show's window is going away.
    virtual void ImageWindowGone(CImageWnd* wnd) = 0;
};

}  // namespace pixfold
