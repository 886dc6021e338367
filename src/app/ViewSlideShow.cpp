// The view's image windows and slide show: double click, Start Slide Show,
// the timer's ticks, Escape.

#include "app/MainFrame.h"
#include "app/PixfoldView.h"
#include "catalog/SlideShow.h"
#include "platform/Shell.h"
#include "res/CommandIds.h"
#include "viewer/Browse.h"
#include "viewer/ImageWnd.h"

namespace pixfold {

CImageWnd* CPixfoldView::CreateImageWindow(ThumbRecord* record, bool slideShow) {
    auto* wnd = new CImageWnd(this);
    if (slideShow) {
        m_pSlideWnd = wnd;
    }
    if (wnd->Create(record, slideShow)) {
        return wnd;
    }
    // The failed window goes at once, so the commands come back.
    if (slideShow) {
        m_pSlideWnd = nullptr;
    }
    if (wnd->GetHandle()) {
        wnd->Destroy();
    } else {
        delete wnd;
    }
    Shell::Current().AppMessage("Error: could not create window");
    return nullptr;
}

void CPixfoldView::OpenImageWindow(ThumbRecord* record) {
    CreateImageWindow(record, false);
}

void CPixfoldView::OnLeftDClick(wxMouseEvent& event) {
    event.Skip();
    long index = -1;
    if (ThumbRecord* hit = HitTest(event.GetPosition(), index)) {
        OpenImageWindow(hit);
    }
}

void CPixfoldView::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) {
        StopSlideShow();
        return;
    }
    if (OnGridKey(event)) {
        return;
    }
    event.Skip();
}

void CPixfoldView::OnStartSlideShow() {
    if (!IsCommandEnabled(res::ID_START_SLIDE_SHOW)) {
        return;
    }
    m_model.StartShow();
    m_slideTimer.Start(kSlideFirstTickMs);
}

wxWindow* CPixfoldView::OwnerWindow() {
    return m_pFrame;
}

void CPixfoldView::ToggleSlidePause() {
    m_model.m_show.m_bSlidePaused = !m_model.m_show.m_bSlidePaused;
}

void CPixfoldView::ImageWindowGone(CImageWnd* wnd) {
    if (m_pSlideWnd == wnd) {
        m_pSlideWnd = nullptr;
    }
}

void CPixfoldView::StopSlideTimer() {
    m_slideTimer.Stop();
}

void CPixfoldView::StopSlideShow() {
    if (!m_pSlideWnd) {
        return;
    }
    m_slideTimer.Stop();
    CImageWnd* wnd = m_pSlideWnd;
    m_pSlideWnd = nullptr;
    wnd->Destroy();
}

bool CPixfoldView::StepSlideShow(CImageWnd* wnd, int step) {
    if (!wnd || wnd != m_pSlideWnd) {
        return false;
    }
    StepSlideShow(step);
    return true;
}

void CPixfoldView::StepSlideShow(int step) {
    if (!m_pSlideWnd || m_model.m_list.empty()) {
        return;
    }
    ThumbRecord* record = nullptr;
    if (step > 0) {
        record = m_model.NextSlide(false);
    } else {
        const ThumbRecord* shown =
            StepInCatalog(m_model.m_list, m_pSlideWnd->m_pRecord, m_pSlideWnd->m_strPath, 0);
        record = m_model.PreviousSlide(shown);
    }
    if (!record) {
        return;
    }
    // A stepped picture stays up for a whole interval; a stopped timer stays stopped.
    const bool ticking = m_slideTimer.IsRunning();
    m_slideTimer.Stop();
    m_pSlideWnd->ShowRecord(record);
    if (ticking) {
        m_slideTimer.Start(SlideIntervalMs(m_model.m_prefs.slideTime));
    }
}

void CPixfoldView::OnTimer(wxTimerEvent&) {
    OnSlideTick();
}

void CPixfoldView::OnSlideTick() {
    if (m_model.m_show.m_bSlidePaused) {
        return;
    }
    if (!m_model.m_show.m_bSlideRunning) {
        m_slideTimer.Stop();
        if (m_pSlideWnd) {
            return;
        }
        ThumbRecord* record = m_model.NextSlide(true);
        if (!record) {
            return;  // the catalogue emptied before the first tick
        }
        if (!CreateImageWindow(record, true)) {
            return;
        }
        m_model.m_show.m_bSlideRunning = 1;
        m_slideTimer.Start(SlideIntervalMs(m_model.m_prefs.slideTime));
        return;
    }
    if (!m_pSlideWnd) {
        return;
    }
    m_slideTimer.Stop();
    ThumbRecord* record = m_model.NextSlide(false);
    if (!record) {
        StopSlideShow();  // nothing left to show
        return;
    }
    m_pSlideWnd->ShowRecord(record);
    m_slideTimer.Start(SlideIntervalMs(m_model.m_prefs.slideTime));
}

}  // namespace pixfold
