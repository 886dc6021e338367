// The grid's keyboard: moving the selection, opening it, its context menu,
// and the thumbnail size at hand (Ctrl+plus/minus, Ctrl+wheel).

#include <wx/event.h>

#include <algorithm>

#include "app/PixfoldView.h"
#include "catalog/GridKeys.h"
#include "platform/Shell.h"
#include "platform/WxCanvas.h"
#include "res/CommandIds.h"
#include "res/Keys.h"
#include "res/WxIds.h"

namespace pixfold {

namespace {

// The least pitch the Preferences slider offers; its largest is the client width.
constexpr int kPitchSliderMin = 50;

}  // namespace

bool CPixfoldView::OnGridKey(const wxKeyEvent& event) {
    const res::GridAction action = res::WindowKeyAction(
        res::kGridKeys, res::FromWxMods(event.GetModifiers()), res::FromWxKey(event.GetKeyCode()));
    if (action == res::GridAction::None) {
        return false;
    }
    switch (action) {
        case res::GridAction::Open:
            if (m_model.m_pSelected) {
                OpenImageWindow(m_model.m_pSelected);
            }
            return true;
        case res::GridAction::ContextMenu: {
            wxPoint at(0, 0);
            if (m_model.m_pSelected) {
                ScrollToRecord(*m_model.m_pSelected);
                const long index = m_model.m_list.IndexOf(m_model.m_pSelected);
                const int cols = std::max(m_model.m_nCols, 1);
                at = CalcScrolledPosition(
                    wxPoint(static_cast<int>(index % cols) * m_model.m_prefs.pitch,
                            static_cast<int>(index / cols) * m_model.m_prefs.pitch) +
                    wxSize(m_model.m_prefs.pitch / 2, m_model.m_prefs.pitch / 2));
            }
            ShowContextMenu(at);
            return true;
        }
        case res::GridAction::Larger:
            StepPitch(1);
            return true;
        case res::GridAction::Smaller:
            StepPitch(-1);
            return true;
        default:
            break;
    }
    const GridKey key =
        static_cast<GridKey>(static_cast<int>(action) - static_cast<int>(res::GridAction::Left));
    // Pages scroll by a page as the scroll bar does, and the selection moves
    // by as many rows, so it keeps its place on the screen.
    if (key == GridKey::PageUp || key == GridKey::PageDown) {
        const wxPoint start = GetViewStart();
        Scroll(-1, NextScrollPosition(
                       key == GridKey::PageUp ? ScrollStep::PageUp : ScrollStep::PageDown, start.y,
                       m_scrolls.lineHeight, m_scrolls.pageHeight, GetVirtualSize().y,
                       GetClientSize().y));
    }
    const int pageRows =
        m_model.m_prefs.pitch > 0 ? m_scrolls.pageHeight / m_model.m_prefs.pitch : 1;
    long target =
        GridKeyTarget(key, m_model.m_pSelected ? m_model.m_list.IndexOf(m_model.m_pSelected) : -1,
                      static_cast<long>(m_model.m_list.size()), m_model.m_nCols, pageRows);
    if (!m_model.m_pSelected && target == 0 &&
        (key == GridKey::PageUp || key == GridKey::PageDown) && m_model.m_prefs.pitch > 0) {
        // Nothing selected: the first whole row the page shows, not back to the top.
        const long row = (GetViewStart().y + m_model.m_prefs.pitch - 1) / m_model.m_prefs.pitch;
        target = std::min(row * std::max(m_model.m_nCols, 1),
                          static_cast<long>(m_model.m_list.size()) - 1);
    }
    if (target < 0) {
        return true;
    }
    ThumbRecord& record = m_model.m_list.at(static_cast<size_t>(target));
    ScrollToRecord(record);
    if (&record != m_model.m_pSelected) {
        SelectRecord(&record);
    }
    return true;
}

void CPixfoldView::ScrollToRecord(const ThumbRecord& record) {
    const long index = m_model.m_list.IndexOf(&record);
    if (index < 0 || m_model.m_prefs.pitch <= 0) {
        return;
    }
    // From the index, not m_rcCell: a cell not yet painted has no rectangle.
    const int top = static_cast<int>(index / std::max(m_model.m_nCols, 1)) * m_model.m_prefs.pitch;
    const int y = ScrollToShow(GetViewStart().y, top, m_model.m_prefs.pitch, GetClientSize().y,
                               GetVirtualSize().y);
    if (y != GetViewStart().y) {
        Scroll(-1, y);
    }
}

void CPixfoldView::StepPitch(int steps) {
    // As the Preferences dialog, not while a show runs.
    if (!IsCommandEnabled(res::ID_PREFERENCES)) {
        return;
    }
    const int slider =
        SteppedPitch(m_model.m_prefs.pitch, steps, kPitchSliderMin, GetClientSize().x);
    ViewPrefs p = Prefs();
    if (slider == m_model.m_prefs.pitch || !ApplySliderPitch(p, slider)) {
        return;
    }
    m_store.Set(res::kPitch, slider);
    m_model.m_prefs = p;
    {
        WaitCursor wait;
        BuildThumbnails(false);
    }
    SetScrolls();
    if (m_model.m_pSelected) {
        ScrollToRecord(*m_model.m_pSelected);
    }
    Refresh();
}

void CPixfoldView::OnPitchWheel(const wxMouseEvent& event) {
    const int notches = TakeWheelNotches(m_pitchRotation, event);
    // Away from the user: larger, as zooming goes everywhere else.
    if (notches != 0) {
        StepPitch(notches);
    }
}

}  // namespace pixfold
