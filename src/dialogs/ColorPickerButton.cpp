#include "dialogs/ColorPickerButton.h"

#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/settings.h>

#include "dialogs/ColorPalettePopup.h"
#include "dialogs/Palette.h"
#include "platform/WxCanvas.h"

namespace pixfold {

CColorPickerButton::CColorPickerButton(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                       const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE | wxWANTS_CHARS),
      m_face(FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE))) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(size);
    Bind(wxEVT_PAINT, &CColorPickerButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CColorPickerButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CColorPickerButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CColorPickerButton::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CColorPickerButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CColorPickerButton::OnKey, this);
    Bind(wxEVT_SET_FOCUS, &CColorPickerButton::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &CColorPickerButton::OnFocus, this);
}

ButtonState CColorPickerButton::CurrentState() const {
    ButtonState s;
    s.pressed = m_pressed;
    s.enabled = IsEnabled();
    s.focused = HasFocus();
    return s;
}

std::vector<ColorRef> CColorPickerButton::RenderPixels(ButtonState state) const {
    const wxSize size = GetClientSize();
    std::vector<ColorRef> px;
    RenderArt(ColorButtonArt(0, 0, size.x, size.y, state, m_face, m_color), size.x, size.y, px);
    return px;
}

void CColorPickerButton::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) {
        return;
    }
    const std::vector<ColorRef> px = RenderPixels(CurrentState());
    wxImage img(size.x, size.y, false);
    unsigned char* out = img.GetData();
    for (size_t i = 0; i < px.size(); ++i) {
        // Pixels the art leaves alone show the face.
        const ColorRef c = (px[i] & 0xFF000000u) ? m_face : px[i];
        out[i * 3] = RedOf(c);
        out[i * 3 + 1] = GreenOf(c);
        out[i * 3 + 2] = BlueOf(c);
    }
    dc.DrawBitmap(wxBitmap(img, 24), 0, 0);
}

bool CColorPickerButton::Pick() {
    CColorPalettePopup popup(this);
    if (popup.ShowModal() != wxID_OK || popup.m_nSelected < 0) {
        return false;
    }
    m_color = ProcessPalette().colors[static_cast<size_t>(popup.m_nSelected)];
    Refresh(true);
    return true;
}

void CColorPickerButton::OnLeftDown(wxMouseEvent&) {
    if (!IsEnabled()) {
        return;
    }
    SetFocus();
    m_pressed = true;
    if (!HasCapture()) {
        CaptureMouse();
    }
    Refresh(false);
}

void CColorPickerButton::OnLeftUp(wxMouseEvent& event) {
    if (!m_pressed) {
        return;
    }
    m_pressed = false;
    if (HasCapture()) {
        ReleaseMouse();
    }
    Refresh(false);
    if (wxRect(GetClientSize()).Contains(event.GetPosition())) {
        // The click is consumed here: the parent dialog never hears of it.
        Pick();
    }
}

void CColorPickerButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_pressed = false;
    Refresh(false);
}

void CColorPickerButton::OnKey(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_SPACE && IsEnabled()) {
        Pick();
        return;
    }
    event.Skip();
}

void CColorPickerButton::OnFocus(wxFocusEvent& event) {
    event.Skip();
    Refresh(false);
}

}  // namespace pixfold
