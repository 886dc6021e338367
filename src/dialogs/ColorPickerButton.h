#pragma once
// An owner-drawn button showing a colour swatch and an arrow; a click opens
// the palette popup, and the chosen colour becomes the button's.

#include <wx/control.h>

#include "dialogs/ColorButtonArt.h"
#include "platform/Canvas.h"

namespace pixfold {

class CColorPickerButton : public wxControl {
  public:
    CColorPickerButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);

    // The colour shown; the owner writes it before showing and reads it after.
    ColorRef m_color = Rgb(255, 255, 255);

    // Opens the popup as a click does; true when a colour was chosen.
    bool Pick();
    // The button's look for its current state (what OnPaint draws).
    std::vector<ColorRef> RenderPixels(ButtonState state) const;
    ButtonState CurrentState() const;

    bool AcceptsFocus() const override { return IsEnabled(); }

  private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    wxSize DoGetBestSize() const override { return GetSize(); }

    ColorRef m_face;
    bool m_pressed = false;
};

}  // namespace pixfold
