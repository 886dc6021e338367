// The image window's fit, zoom, panning, next and previous, and full screen.

#include <wx/dcclient.h>

#include <algorithm>
#include <vector>

#include "platform/WxCanvas.h"
#include "res/Keys.h"
#include "res/WxIds.h"
#include "viewer/Browse.h"
#include "viewer/ImageHost.h"
#include "viewer/ImageWnd.h"

namespace pixfold {

namespace {

constexpr int kWheelLinePixels = 20;

}  // namespace

void CImageWnd::BindViewport() {
    m_canvas->Bind(wxEVT_SIZE, &CImageWnd::OnCanvasSize, this);
    m_canvas->Bind(wxEVT_MOUSEWHEEL, &CImageWnd::OnWheel, this);
    m_canvas->Bind(wxEVT_LEFT_DOWN, &CImageWnd::OnDragStart, this);
    m_canvas->Bind(wxEVT_MOTION, &CImageWnd::OnDrag, this);
    m_canvas->Bind(wxEVT_LEFT_UP, &CImageWnd::OnDragEnd, this);
    m_canvas->Bind(wxEVT_MOUSE_CAPTURE_LOST,
                   [this](wxMouseCaptureLostEvent&) { m_dragging = false; });
}

void CImageWnd::ResetViewport() {
    const bool fit = m_viewport.fit;
    m_viewport = Viewport{};
    if (m_pPixels) {
        m_viewport.imageWidth = static_cast<int>(m_nWidth);
        m_viewport.imageHeight = static_cast<int>(m_nHeight);
    }
    const wxSize client = m_canvas ? m_canvas->GetClientSize() : GetClientSize();
    m_viewport.clientWidth = client.x;
    m_viewport.clientHeight = client.y;
    if (fit) {
        SetFit(m_viewport, true);
    }
}

wxBitmap CImageWnd::ScaledBitmap(const wxRect& area) const {
    const size_t stride = size_t{m_nWidth} * 3;
    if (m_viewport.scale == 1) {
        return DibBitmap(m_pPixels.get(), m_nWidth, m_nHeight, stride, area);
    }
    // Only the part shown is scaled, so memory stays within the screens' size.
    std::vector<uint8_t> scaled(size_t(area.width) * size_t(area.height) * 3);
    ScaleArea(m_pPixels.get(), m_nWidth, m_nHeight, stride, m_viewport.scale,
              Rect{area.x, area.y, area.GetRight() + 1, area.GetBottom() + 1}, scaled.data());
    return DibBitmap(scaled.data(), static_cast<uint32_t>(area.width),
                     static_cast<uint32_t>(area.height), size_t(area.width) * 3,
                     wxRect(area.GetSize()));
}

void CImageWnd::ViewportChanged() {
    m_canvas->Refresh(false);
}

void CImageWnd::OnCanvasSize(wxSizeEvent& event) {
    event.Skip();
    const wxSize client = m_canvas->GetClientSize();
    ResizeViewport(m_viewport, client.x, client.y);
}

bool CImageWnd::HandleViewKey(int key, int mods) {
    // Escape leaves full screen before it closes the window.
    if (key == WXK_ESCAPE && IsFullScreen()) {
        ShowFullScreen(false);
        return true;
    }
    const res::ImageAction action =
        res::WindowKeyAction(res::kImageKeys, res::FromWxMods(mods), res::FromWxKey(key));
    const wxSize client = m_canvas->GetClientSize();
    const int stepX = std::max(16, client.x / 10), stepY = std::max(16, client.y / 10);
    switch (action) {
        case res::ImageAction::None:
            return false;
        case res::ImageAction::Fit:
            SetFit(m_viewport, !m_viewport.fit);
            break;
        case res::ImageAction::ZoomIn:
        case res::ImageAction::ZoomOut:
            ZoomAbout(m_viewport,
                      ZoomStep(m_viewport.scale, action == res::ImageAction::ZoomIn ? 1 : -1),
                      client.x / 2, client.y / 2);
            break;
        case res::ImageAction::ActualSize:
            ZoomAbout(m_viewport, 1, client.x / 2, client.y / 2);
            break;
        // Left and Right pan a picture wider than the window, else they step.
        case res::ImageAction::Left:
            if (!m_viewport.CanPanX()) {
                ShowNext(-1);
                return true;
            }
            PanBy(m_viewport, -stepX, 0);
            break;
        case res::ImageAction::Right:
            if (!m_viewport.CanPanX()) {
                ShowNext(1);
                return true;
            }
            PanBy(m_viewport, stepX, 0);
            break;
        case res::ImageAction::Up:
            PanBy(m_viewport, 0, -stepY);
            break;
        case res::ImageAction::Down:
            PanBy(m_viewport, 0, stepY);
            break;
        case res::ImageAction::Previous:
            ShowNext(-1);
            return true;
        case res::ImageAction::Next:
            ShowNext(1);
            return true;
        case res::ImageAction::FullScreen:
            ShowFullScreen(!IsFullScreen());
            return true;
    }
    ViewportChanged();
    return true;
}

void CImageWnd::ShowNext(int step) {
    ImageHost* host = Host();
    if (!host) {
        return;
    }
    if (m_bSlideShow && host->StepSlideShow(this, step)) {
        return;
    }
    if (ThumbRecord* next = StepInCatalog(host->Catalog(), m_pRecord, m_strPath, step)) {
        ShowRecord(next);
    }
}

void CImageWnd::OnWheel(wxMouseEvent& event) {
    const int notches = TakeWheelNotches(m_wheelRotation, event);
    if (notches == 0) {
        return;
    }
    if (event.ControlDown()) {
        // Zooms about the pointer: the point under it stays there.
        double scale = m_viewport.scale;
        for (int i = 0; i < std::abs(notches); ++i) {
            scale = ZoomStep(scale, notches > 0 ? 1 : -1);
        }
        ZoomAbout(m_viewport, scale, event.GetX(), event.GetY());
        ViewportChanged();
        return;
    }
    // Away from the user: towards the top (or the left, sideways).
    const int pixels = -notches * event.GetLinesPerAction() * kWheelLinePixels;
    bool moved = false;
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
        moved = PanBy(m_viewport, -pixels, 0);
    } else if (event.ShiftDown()) {
        moved = PanBy(m_viewport, pixels, 0);
    } else {
        moved = PanBy(m_viewport, 0, pixels);
    }
    if (moved) {
        ViewportChanged();
    }
}

void CImageWnd::OnDragStart(wxMouseEvent& event) {
    event.Skip();
    if (m_viewport.CanPanX() || m_viewport.CanPanY()) {
        m_dragging = true;
        m_dragFrom = event.GetPosition();
        if (!m_canvas->HasCapture()) {
            m_canvas->CaptureMouse();
        }
    }
}

void CImageWnd::OnDrag(wxMouseEvent& event) {
    event.Skip();
    if (!m_dragging || !event.LeftIsDown()) {
        return;
    }
    // The picture follows the pointer.
    const wxPoint d = event.GetPosition() - m_dragFrom;
    m_dragFrom = event.GetPosition();
    if (PanBy(m_viewport, -d.x, -d.y)) {
        ViewportChanged();
    }
}

void CImageWnd::OnDragEnd(wxMouseEvent& event) {
    event.Skip();
    m_dragging = false;
    if (m_canvas->HasCapture()) {
        m_canvas->ReleaseMouse();
    }
}

}  // namespace pixfold
