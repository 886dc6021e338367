#include "fileops/WarningDlg.h"

#include <wx/checkbox.h>
#include <wx/stattext.h>

#include "platform/WxText.h"

namespace pixfold {

using namespace res;

CWarningDlg::CWarningDlg(wxWindow* parent)
    : wxDialog(parent, IDD_WARNING, wxString::FromUTF8(kWarningDialog.caption), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    m_builder = std::make_unique<DialogBuilder>(*this, kWarningDialog);
    // "Yes" ends with OK; "No", Escape and the close box with Cancel.
    SetAffirmativeId(IDOK_BUTTON);
    SetEscapeId(IDCANCEL_BUTTON);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            TransferDataFromWindow();
            EndModal(wxID_OK);
        },
        IDOK_BUTTON);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); }, IDCANCEL_BUTTON);
    // The focus starts on the default button, "Yes", as the template has it:
    // left to the toolkit it would land on the first control from the top, the
    // check box, and Space then Enter would silence the warning for good.
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) {
        e.Skip();
        Control(IDOK_BUTTON)->SetFocus();
    });
    CentreOnParent();
}

bool CWarningDlg::TransferDataToWindow() {
    if (auto* text = dynamic_cast<wxStaticText*>(Control(IDC_WARNING_TEXT))) {
        text->SetLabelText(ShownText(m_strMessage));
        text->Wrap(text->GetSize().x);
    }
    if (auto* box = dynamic_cast<wxCheckBox*>(Control(IDC_WARNING_DONT_SHOW))) {
        box->SetValue(m_bDontShow != 0);
    }
    return true;
}

bool CWarningDlg::TransferDataFromWindow() {
    if (auto* box = dynamic_cast<wxCheckBox*>(Control(IDC_WARNING_DONT_SHOW))) {
        m_bDontShow = box->GetValue() ? 1 : 0;
    }
    return true;
}

}  // namespace pixfold
