#include "dialogs/ColorPalettePopup.h"

#include <wx/button.h>
#include <wx/dcclient.h>

#include "dialogs/ColorPickerButton.h"
#include "dialogs/Palette.h"
#include "platform/Shell.h"
#include "platform/WxCanvas.h"
#include "platform/WxScreen.h"

namespace pixfold {

namespace {

// One colour cell: a flat fill of its palette entry, whatever its state.
class PaletteCell : public wxWindow {
  public:
    PaletteCell(CColorPalettePopup* popup, int id, const wxRect& r)
        : wxWindow(popup, id, r.GetPosition(), r.GetSize(), wxBORDER_NONE | wxWANTS_CHARS),
          m_popup(popup) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            m_popup->OnScreenNow();
            wxPaintDC dc(this);
            const ColorRef c = ProcessPalette().colors[static_cast<size_t>(GetId() - kFirstCellId)];
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(ToWx(c)));
            const wxSize s = GetClientSize();
            dc.DrawRectangle(0, 0, s.x, s.y);
        });
        Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
            if (e.GetKeyCode() == WXK_SPACE) {
                m_popup->ChooseCell(GetId() - kFirstCellId);
            } else {
                e.Skip();
            }
        });
    }
    bool AcceptsFocus() const override { return true; }

  private:
    CColorPalettePopup* m_popup;
};

}  // namespace

CColorPalettePopup::CColorPalettePopup(CColorPickerButton* owner)
    : wxDialog(wxGetTopLevelParent(owner), res::IDD_PALETTE, wxEmptyString, wxDefaultPosition,
               wxDefaultSize, wxBORDER_RAISED),
      m_pOwner(owner) {
    m_builder = std::make_unique<DialogBuilder>(
        *this, res::kPaletteDialog, [this](wxWindow*, int id, const wxRect& r) -> wxWindow* {
            return new PaletteCell(this, id, r);
        });
    Bind(wxEVT_LEFT_DOWN, &CColorPalettePopup::OnMouseDown, this);
    Bind(wxEVT_LEFT_UP, &CColorPalettePopup::OnMouseUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CColorPalettePopup::OnCaptureLost, this);
    Bind(wxEVT_SHOW, &CColorPalettePopup::OnShown, this);
    // Escape cancels. The toolkit's dialog would only look for a Cancel
    // button, and while the popup holds the mouse no char hook is sent at all:
    // the key reaches the focused control alone.
    auto escape = [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_ESCAPE) {
            Finish(wxID_CANCEL);
            return;
        }
        e.Skip();
    };
    Bind(wxEVT_CHAR_HOOK, escape);
    for (wxWindow* child : GetChildren()) {
        child->Bind(wxEVT_KEY_DOWN, escape);
    }
    Bind(wxEVT_BUTTON, &CColorPalettePopup::OnOther, this, kOtherButtonId);
    for (int i = 0; i < kPaletteSize; ++i) {
        if (wxWindow* cell = m_builder->Control(kFirstCellId + i)) {
            // Clicks on a cell reach it directly when the popup does not hold the mouse.
            cell->Bind(wxEVT_LEFT_UP, [this, i](wxMouseEvent&) { ChooseCell(i); });
        }
    }
}

CColorPalettePopup::~CColorPalettePopup() {
    if (HasCapture()) {
        ReleaseMouse();
    }
}

wxPoint CColorPalettePopup::Placement() const {
    const wxRect button = m_pOwner->GetScreenRect();
    // The screen's right and bottom edges; the primary display need not
    // start at the desktop's origin.
    const wxRect screen = PrimaryScreen();
    const wxSize size = GetSize();
    const ScreenRect r = PlacePopup({button.x, button.y, button.width, button.height}, size.x,
                                    size.y, screen.GetRight() + 1, screen.GetBottom() + 1);
    return {r.x, r.y};
}

int CColorPalettePopup::ShowModal() {
    Move(Placement());
    return wxDialog::ShowModal();
}

void CColorPalettePopup::OnShown(wxShowEvent& event) {
    event.Skip();
    if (!event.IsShown()) {
        return;
    }
    CallAfter([this] {
        if (IsModal() && IsShownOnScreen() && !HasCapture()) {
            CaptureMouse();
        }
        if (wxWindow* first = m_builder->Control(kFirstCellId)) {
            first->SetFocus();
        }
    });
    m_grabPending = true;
}

void CColorPalettePopup::OnScreenNow() {
    // A window manager may report the popup shown before the frame around it
    // is on screen, and a grab taken then does not hold (nothing says so).
    // The first paint comes once it can be seen: the mouse is taken again.
    if (!m_grabPending) {
        return;
    }
    m_grabPending = false;
    CallAfter([this] {
        if (!IsModal()) {
            return;
        }
        if (HasCapture()) {
            ReleaseMouse();
        }
        CaptureMouse();
    });
}

void CColorPalettePopup::EndModal(int code) {
    if (HasCapture()) {
        ReleaseMouse();
    }
    wxDialog::EndModal(code);
}

void CColorPalettePopup::Finish(int code) {
    if (IsModal()) {
        EndModal(code);
    } else if (HasCapture()) {
        ReleaseMouse();
    }
}

wxWindow* CColorPalettePopup::ChildAt(const wxPoint& client) const {
    for (wxWindow* child : GetChildren()) {
        if (child->GetRect().Contains(client)) {
            return child;
        }
    }
    return nullptr;
}

void CColorPalettePopup::OnMouseDown(wxMouseEvent& event) {
    const wxPoint p = event.GetPosition();
    if (!wxRect(GetSize()).Contains(p)) {
        Finish(wxID_CANCEL);
        return;
    }
    m_pressed = ChildAt(p);
    event.Skip();
}

void CColorPalettePopup::OnMouseUp(wxMouseEvent& event) {
    wxWindow* child = ChildAt(event.GetPosition());
    wxWindow* pressed = m_pressed;
    m_pressed = nullptr;
    if (child && child == pressed) {
        if (child->GetId() == kOtherButtonId) {
            ChooseOther();
        } else if (child->GetId() >= kFirstCellId && child->GetId() < kFirstCellId + kPaletteSize) {
            ChooseCell(child->GetId() - kFirstCellId);
        }
        return;
    }
    event.Skip();
}

void CColorPalettePopup::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_pressed = nullptr;
}

void CColorPalettePopup::ChooseCell(int index) {
    m_nSelected = index;
    ProcessPalette().ChooseCell(index);
    Finish(wxID_OK);
}

void CColorPalettePopup::OnOther(wxCommandEvent&) {
    ChooseOther();
}

void CColorPalettePopup::ChooseOther() {
    if (HasCapture()) {
        ReleaseMouse();
    }
    uint32_t chosen = 0;
    if (!Shell::Current().ChooseColor(Rgb(0, 0, 0), &chosen)) {
        if (IsModal() && !HasCapture()) {
            CaptureMouse();
        }
        return;
    }
    m_nSelected = ProcessPalette().ChooseCustom(chosen);
    Finish(wxID_OK);
}

}  // namespace pixfold
