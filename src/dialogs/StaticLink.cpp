#include "dialogs/StaticLink.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/stattext.h>

#include "dialogs/LinkLogic.h"
#include "platform/Shell.h"
#include "platform/WxCanvas.h"
#include "res/HandCursor.h"

namespace pixfold {

CStaticLink::CStaticLink(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& pos,
                         const wxSize& size, StaticType type, bool notify)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxTRANSPARENT_WINDOW),
      m_colorUnvisited(kLinkUnvisited),
      m_colorVisited(kLinkVisited),
      m_type(type),
      m_notify(notify),
      m_timer(this, kLinkTimerId),
      m_topLevel(wxGetTopLevelParent(parent)) {
    SetLabel(text);
    Bind(wxEVT_PAINT, &CStaticLink::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CStaticLink::OnMouseDown, this);
    Bind(wxEVT_MOTION, &CStaticLink::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { m_bCaptured = 0; });
    Bind(wxEVT_SHOW, [this](wxShowEvent& e) {
        e.Skip();
        if (!e.IsShown()) {
            ReleaseHover();
        }
    });
    // A dialog closing hides itself, not its children.
    if (m_topLevel) {
        m_topLevel->Bind(wxEVT_SHOW, &CStaticLink::OnTopLevelShow, this);
    }
    Bind(
        wxEVT_TIMER, [this](wxTimerEvent&) { OnQuietTimer(); }, kLinkTimerId);
}

CStaticLink::~CStaticLink() {
    if (m_topLevel) {
        m_topLevel->Unbind(wxEVT_SHOW, &CStaticLink::OnTopLevelShow, this);
    }
    ReleaseHover();
}

void CStaticLink::OnTopLevelShow(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown()) {
        ReleaseHover();
    }
}

void CStaticLink::ReleaseHover() {
    if (HasCapture()) {
        ReleaseMouse();
    }
    m_bCaptured = 0;
}

CStaticLink* CStaticLink::Subclass(wxWindow* existing, StaticType type) {
    wxWindow* parent = existing->GetParent();
    auto* link = new CStaticLink(parent, existing->GetId(), existing->GetLabel(),
                                 existing->GetPosition(), existing->GetSize(), type, false);
    link->SetFont(existing->GetFont());
    link->MoveAfterInTabOrder(existing);
    existing->Destroy();
    return link;
}

wxCursor CStaticLink::HandCursor() {
    const int n = res::kHandCursorSize;
    wxImage img(n, n);
    img.SetMask(true);
    img.SetMaskColour(0, 255, 0);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const char c = res::kHandCursor[y][x];
            const unsigned char v = c == '#' ? 0 : 255;
            if (c == ' ') {
                img.SetRGB(x, y, 0, 255, 0);
            } else {
                img.SetRGB(x, y, v, v, v);
            }
        }
    }
    img.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 0);
    img.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 0);
    return wxCursor(img);
}

ColorRef CStaticLink::CurrentColor() const {
    return (m_pVisited && *m_pVisited == 1) ? m_colorVisited : m_colorUnvisited;
}

void CStaticLink::Colorize() {
    m_notify = true;  // so that clicks are reported from now on
    if (!ColouringApplies()) {
        return;
    }
    if (!m_fontUnderline.IsOk()) {
        m_fontUnderline = GetFont();
        m_fontUnderline.SetUnderlined(true);
    }
}

void CStaticLink::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    Colorize();
    if (!ColouringApplies()) {
        return;
    }
    dc.SetFont(m_fontUnderline);
    dc.SetTextForeground(ToWx(CurrentColor()));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const wxSize size = GetClientSize();
    const wxSize text = dc.GetTextExtent(GetLabel());
    const int x = m_type == kTextCenter  ? (size.x - text.x) / 2
                  : m_type == kTextRight ? size.x - text.x
                                         : 0;
    dc.DrawText(GetLabel(), x, 0);
}

wxSize CStaticLink::DoGetBestSize() const {
    return GetSize();
}

void CStaticLink::OnClicked() {
    PrepareLinkTarget(m_strLink, GetLabel().utf8_string(), m_mailPrefix);
    m_bCaptured = 0;
    if (HasCapture()) {
        ReleaseMouse();
    }
    m_bClickedRecently = 1;
    m_timer.Start(kLinkQuietMs);
    if (!Shell::Current().OpenWithSystem(m_strLink)) {
        Shell::Current().Beep();
        return;
    }
    if (m_pVisited) {
        *m_pVisited = 1;
    }
    SetCursor(wxNullCursor);
    Refresh();
}

void CStaticLink::OnMouseDown(wxMouseEvent& event) {
    event.Skip();
    if (m_notify && wxRect(GetClientSize()).Contains(event.GetPosition())) {
        OnClicked();
    }
}

void CStaticLink::OnPointerMove(bool inside) {
    switch (HoverFor(m_bClickedRecently != 0, m_bCaptured != 0, inside)) {
        case HoverAction::Capture:
            m_bCaptured = 1;
            if (!HasCapture() && IsShownOnScreen()) {
                CaptureMouse();
            }
            SetCursor(HandCursor());
            break;
        case HoverAction::Release:
            if (HasCapture()) {
                ReleaseMouse();
            }
            m_bCaptured = 0;
            SetCursor(wxNullCursor);
            break;
        case HoverAction::None:
            break;
    }
}

void CStaticLink::OnMotion(wxMouseEvent& event) {
    event.Skip();
    OnPointerMove(wxRect(GetClientSize()).Contains(event.GetPosition()));
}

void CStaticLink::OnQuietTimer() {
    m_timer.Stop();
    m_bClickedRecently = 0;
}

}  // namespace pixfold
