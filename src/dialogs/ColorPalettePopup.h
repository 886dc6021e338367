#pragma once
// The palette window of a colour picker: 20 colour cells and "Other...",
// without a caption, holding the mouse so that a click outside closes it.

#include <wx/dialog.h>

#include <memory>

#include "platform/DialogBuilder.h"

namespace pixfold {

class CColorPickerButton;

class CColorPalettePopup : public wxDialog {
  public:
    explicit CColorPalettePopup(CColorPickerButton* owner);
    ~CColorPalettePopup() override;

    int ShowModal() override;
    // However it ends, the popup lets go of the mouse first.
    void EndModal(int code) override;

    // A cell was chosen: ranks updated, the popup ends with OK.
    void ChooseCell(int index);
    // "Other...": the colour dialog; OK ends the popup, Cancel keeps it open.
    void ChooseOther();
    // Where the popup goes for the owner button (screen coordinates).
    wxPoint Placement() const;
    // A cell is being painted: the popup can be seen, and hold the mouse.
    void OnScreenNow();

    CColorPickerButton* m_pOwner;
    int m_nSelected = -1;

  private:
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnShown(wxShowEvent& event);
    void OnOther(wxCommandEvent& event);
    void Finish(int code);
    wxWindow* ChildAt(const wxPoint& client) const;

    std::unique_ptr<DialogBuilder> m_builder;
    wxWindow* m_pressed = nullptr;
    bool m_grabPending = false;
};

}  // namespace pixfold
