#include "catalog/FindFilesDlg.h"

#include <wx/stattext.h>

#include "platform/WxText.h"

namespace pixfold {

bool CFindFilesDlg::Create(wxWindow* parent) {
    const res::DialogTemplate& t = res::kFindFilesDialog;
    // A caption bar and a frame, but no system menu and no close box.
    if (!wxDialog::Create(parent, t.id, wxString::FromUTF8(t.caption), wxDefaultPosition,
                          wxDefaultSize, wxCAPTION)) {
        return false;
    }
    m_builder = std::make_unique<DialogBuilder>(*this, t);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_bCancelled = true;
            if (wxWindow* cancel = m_builder->Control(res::IDC_FIND_CANCEL)) {
                cancel->Disable();
            }
        },
        res::IDC_FIND_CANCEL);
    CentreOnParent();
    m_strText = "starting...";
    TransferDataToWindow();
    Show();
    return true;
}

void CFindFilesDlg::SetCount(size_t current, size_t total) {
    if (auto* count = m_builder->Get<wxStaticText>(res::IDC_FIND_COUNT)) {
        count->SetLabelText(wxString::Format("%zu of %zu", current, total));
    }
}

bool CFindFilesDlg::TransferDataToWindow() {
    if (auto* text = m_builder->Get<wxStaticText>(res::IDC_FIND_TEXT)) {
        text->SetLabelText(ShownText(m_strText));
    }
    return true;
}

bool CFindFilesDlg::TransferDataFromWindow() {
    if (auto* text = m_builder->Get<wxStaticText>(res::IDC_FIND_TEXT)) {
        m_strText = text->GetLabel().utf8_string().substr(0, 100);
    }
    return true;
}

}  // namespace pixfold
