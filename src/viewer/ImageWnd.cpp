#include "viewer/ImageWnd.h"

#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/window.h>

#include "catalog/Grid.h"
#include "catalog/SlideShow.h"
#include "jpeg/JpegFile.h"
#include "platform/WxCanvas.h"
#include "platform/WxScreen.h"
#include "platform/WxText.h"
#include "viewer/ImageHost.h"

namespace pixfold {

CImageWnd::CImageWnd(ImageHost* host)
    : m_host(host), m_hostWindow(host ? host->HostWindow() : nullptr) {}

CImageWnd::~CImageWnd() {
    // The show's window going away ends the show's hold on the view.
    if (m_bSlideShow && Host()) {
        Host()->ImageWindowGone(this);
    }
}

bool CImageWnd::Create(ThumbRecord* record, bool slideShow) {
    m_pRecord = record;
    m_bSlideShow = slideShow;
    const Rect r = PlaceWindow(record, false);
    wxWindow* owner = Host() ? Host()->OwnerWindow() : nullptr;
    if (!wxFrame::Create(owner, wxID_ANY, wxEmptyString, wxPoint(r.left, r.top),
                         wxSize(r.right - r.left, r.bottom - r.top),
                         wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER)) {
        return false;
    }
    m_created = true;
    if (owner) {
        SetIcons(static_cast<wxFrame*>(owner)->GetIcons());
    }
    // The frame's only child fills its client area.
    m_canvas = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxWANTS_CHARS | wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE);
    m_canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    m_canvas->Bind(wxEVT_PAINT, &CImageWnd::OnPaint, this);
    m_canvas->Bind(wxEVT_CHAR, &CImageWnd::OnChar, this);
    // Mouse clicks in the window have no effect; a click still gives it the keys.
    m_canvas->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) { m_canvas->SetFocus(); });
    BindViewport();
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& e) {
        if (e.GetActive() && m_canvas) {
            m_canvas->SetFocus();
        }
        e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, &CImageWnd::OnClose, this);
    SetClientSize(static_cast<int>(record->m_nImageWidth),
                  static_cast<int>(record->m_nImageHeight));
    PlaceWindow(record, true);
    Show();
    m_canvas->SetFocus();
    m_font = CaptionFont();
    return LoadPicture(record);
}

void CImageWnd::ReleaseDisplay() {
    m_display = wxNullBitmap;
    m_displayArea = wxRect();
}

bool CImageWnd::LoadPicture(ThumbRecord* record) {
    // No picture while decoding: a repaint during a message box shows none.
    ReleaseDisplay();
    m_pPixels.reset();
    m_strTitle = record->m_strTitle;
    m_strDim = record->m_strDim;
    m_strSize = record->m_strSize;
    m_strDate = record->m_strDate;
    m_strPath = record->m_strPath;
    m_pPixels = JpegFile::ReadRgb(record->m_strPath, m_nWidth, m_nHeight, 1, 1);
    const int orientation = Host() && Host()->Options().upright ? record->m_nOrientation : 1;
    if (m_pPixels && orientation >= 2 && orientation <= 8) {
        // Turned before the flip to display form, which would mirror the turn.
        PixelBuffer turned = TurnUpright(m_pPixels.get(), m_nWidth, m_nHeight, orientation);
        const uint32_t w = m_nWidth, h = m_nHeight;
        UprightSize(w, h, orientation, m_nWidth, m_nHeight);
        m_pPixels = std::move(turned);
    }
    const bool ok = static_cast<bool>(m_pPixels);
    if (ok) {
        SwapRedBlue(m_pPixels.get(), m_nWidth, m_nHeight);
        FlipRows(m_pPixels.get(), m_nWidth * 3, m_nHeight);
    }
    ResetViewport();
    SetTitle(ShownText(m_strTitle));
    return ok;
}

Rect CImageWnd::PlaceWindow(const ThumbRecord* record, bool move) {
    // The real frame around the client area, as the window manager draws it.
    int extraW = 0, extraH = 0;
    if (m_created) {
        const wxSize outer = GetSize();
        const wxSize client = GetClientSize();
        extraW = outer.x - client.x;
        extraH = outer.y - client.y;
    }
    const wxRect screen = PrimaryScreen();
    // Only the sums matter: the borders left and right, and caption plus
    // borders top and bottom.
    Rect r = PlaceImageWindow(record->m_nImageWidth, record->m_nImageHeight, extraW / 2, 0, extraH,
                              screen.width, screen.height);
    r = {r.left + screen.x, r.top + screen.y, r.right + screen.x, r.bottom + screen.y};
    if (move && m_created) {
        SetSize(r.left, r.top, r.right - r.left, r.bottom - r.top);
        m_canvas->Refresh();
    }
    return r;
}

void CImageWnd::ShowRecord(ThumbRecord* record) {
    m_pRecord = record;
    LoadPicture(record);
    if (!IsFullScreen()) {
        PlaceWindow(record, true);
    }
    m_canvas->Refresh(true);
}

namespace {

// Everything the displays together can show, on the desktop.
wxRect AllScreens() {
    wxRect screens;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        screens.Union(wxDisplay(i).GetGeometry());
    }
    return screens;
}

}  // namespace

wxRect CImageWnd::VisibleArea() const {
    const wxRect screens = AllScreens();
    const wxWindow* surface = m_canvas ? m_canvas : this;
    const wxRect onScreen(surface->ScreenToClient(screens.GetTopLeft()), screens.GetSize());
    return onScreen.Intersect(wxRect(surface->GetClientSize()));
}

void CImageWnd::Render(wxDC& dc) {
    const wxWindow* surface = m_canvas ? m_canvas : this;
    const wxSize client = surface->GetClientSize();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.DrawRectangle(0, 0, client.x, client.y);
    if (m_pPixels) {
        // In the scaled picture's coordinates, whose top-left lies at origin.
        const wxPoint origin(m_viewport.OriginX(), m_viewport.OriginY());
        const wxRect picture(0, 0, m_viewport.ScaledWidth(), m_viewport.ScaledHeight());
        const wxRect needed = VisibleArea().Intersect(wxRect(origin, picture.GetSize()));
        const wxRect neededInPicture(needed.GetTopLeft() - origin, needed.GetSize());
        if (m_displayScale != m_viewport.scale) {
            ReleaseDisplay();
        }
        if (!needed.IsEmpty() && !m_displayArea.Contains(neededInPicture)) {
            // A picture that fits the screens is made into a bitmap whole, once
            // per scale; a larger one only for the part in view.
            const wxRect screens = AllScreens();
            const bool fits = picture.width <= screens.width && picture.height <= screens.height;
            ReleaseDisplay();
            m_displayArea = fits ? picture : neededInPicture;
            m_displayScale = m_viewport.scale;
            m_display = ScaledBitmap(m_displayArea);
            ++m_displayBuilds;
            if (!m_display.IsOk()) {
                m_displayArea = wxRect();
            }
        }
        if (m_display.IsOk()) {
            dc.DrawBitmap(m_display, origin + m_displayArea.GetTopLeft(), false);
        }
    }
    if (!Host()) {
        return;
    }
    const ViewPrefs& prefs = Host()->Prefs();
    GridLook look;
    look.text = 0;  // always black, in the window's own font, over the picture
    look.showDim = prefs.showDim != 0;
    look.showSize = prefs.showFileSize != 0;
    look.showName = prefs.showFileName != 0;
    look.showDate = prefs.showFileDate != 0;
    if (!(look.showDim || look.showSize || look.showName || look.showDate)) {
        return;
    }
    WxCanvas canvas(dc, m_font);
    PaintCaptions(canvas, {0, 0, client.x, client.y}, {m_strDim, m_strSize, m_strTitle, m_strDate},
                  look);
}

void CImageWnd::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(m_canvas);
    if (IsIconized()) {
        return;
    }
    Render(dc);
}

void CImageWnd::HandleChar(int key) {
    if (key == WXK_ESCAPE) {
        if (Host()) {
            Host()->StopSlideTimer();
        }
        Destroy();
    } else if (key == WXK_SPACE) {
        if (Host()) {
            Host()->ToggleSlidePause();
        }
    }
}

void CImageWnd::OnChar(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (HandleViewKey(key, event.GetModifiers())) {
        return;
    }
    if (key == WXK_ESCAPE || key == WXK_SPACE) {
        HandleChar(key);
        return;
    }
    event.Skip();
}

void CImageWnd::OnClose(wxCloseEvent&) {
    Destroy();
}

}  // namespace pixfold
