// The view's image windows and slide show: double click, Start Slide Show,
// the timer's ticks, Escape.

#include "app/MainFrame.h"
#include "catalog/PixfoldView.h"
#include "platform/Shell.h"
#include "res/CommandIds.h"
#include "viewer/Browse.h"
#include "viewer/ImageWnd.h"
#include "viewer/SlideShow.h"

namespace pixfold {

void CPixfoldView::OpenImageWindow(ThumbRecord* record) {
    auto* wnd = new CImageWnd(this);
    if (!wnd->Create(record, false)) {
        if (wnd->GetHandle()) {
            wnd->Destroy();
        } else {
            delete wnd;
        }
        Shell::Current().AppMessage("Error: could not create window");
    }
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
    m_bSlidePaused = 0;
    m_bSlideRunning = 0;
    m_nLastSlide = -1;
    m_slideTimer.Start(kSlideFirstTickMs);
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

ThumbRecord* CPixfoldView::NextSlide(bool first) {
    if (m_list.empty()) {
        return nullptr;
    }
    if (m_bRandom) {
        const int i = GetRandomSlide(first, m_list.size(), m_strSlideMarks, m_nLastSlide, m_rand);
        return i < 0 ? nullptr : &m_list.at(static_cast<size_t>(i));
    }
    if (first || !m_posSlide || !m_list.Contains(m_posSlide)) {
        m_posSlide = m_list.head();
    }
    ThumbRecord* record = m_posSlide;
    const long index = m_list.IndexOf(record);
    m_posSlide = static_cast<size_t>(index + 1) < m_list.size()
                     ? &m_list.at(static_cast<size_t>(index + 1))
                     : nullptr;
    return record;
}

void CPixfoldView::StepSlideShow(int step) {
    if (!m_pSlideWnd || m_list.empty()) {
        return;
    }
    ThumbRecord* record = nullptr;
    if (step > 0) {
        record = NextSlide(false);
    } else {
        // The picture before the one shown, round the catalogue as the show
        // goes; the show then goes on from the one shown.
        const ThumbRecord* shown =
            StepInCatalog(m_list, m_pSlideWnd->m_pRecord, m_pSlideWnd->m_strPath, 0);
        const long n = static_cast<long>(m_list.size());
        const long i = shown ? m_list.IndexOf(shown) : 0;
        record = &m_list.at(static_cast<size_t>((i + n - 1) % n));
        m_posSlide = &m_list.at(static_cast<size_t>((i + n) % n));
    }
    if (!record) {
        return;
    }
    // A stepped picture stays up for a whole interval; a stopped timer stays stopped.
    const bool ticking = m_slideTimer.IsRunning();
    m_slideTimer.Stop();
    m_pSlideWnd->ShowRecord(record);
    if (ticking) {
        m_slideTimer.Start(SlideIntervalMs(m_nSlideTime));
    }
}

void CPixfoldView::OnTimer(wxTimerEvent&) {
    OnSlideTick();
}

void CPixfoldView::OnSlideTick() {
    if (m_bSlidePaused) {
        return;
    }
    if (!m_bSlideRunning) {
        m_slideTimer.Stop();
        if (m_pSlideWnd) {
            return;
        }
        ThumbRecord* record = NextSlide(true);
        if (!record) {
            return;  // the catalogue emptied before the first tick
        }
        auto* wnd = new CImageWnd(this);
        m_pSlideWnd = wnd;
        if (!wnd->Create(record, true)) {
            // The failed window goes at once, so the commands come back.
            m_pSlideWnd = nullptr;
            if (wnd->GetHandle()) {
                wnd->Destroy();
            } else {
                delete wnd;
            }
            Shell::Current().AppMessage("Error: could not create window");
            return;
        }
        m_bSlideRunning = 1;
        m_slideTimer.Start(SlideIntervalMs(m_nSlideTime));
        return;
    }
    if (!m_pSlideWnd) {
        return;
    }
    m_slideTimer.Stop();
    ThumbRecord* record = NextSlide(false);
    if (!record) {
        StopSlideShow();  // nothing left to show
        return;
    }
    m_pSlideWnd->ShowRecord(record);
    m_slideTimer.Start(SlideIntervalMs(m_nSlideTime));
}

}  // namespace pixfold
