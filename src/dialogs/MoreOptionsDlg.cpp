#include "dialogs/MoreOptionsDlg.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>

namespace pixfold {

using namespace res;

namespace {

struct CheckField {
    int id;
    bool MoreOptions::*field;
};

constexpr CheckField kChecks[] = {
    {IDC_OPT_TRASH, &MoreOptions::deleteToTrash},     {IDC_OPT_UPRIGHT, &MoreOptions::upright},
    {IDC_OPT_DATE_TAKEN, &MoreOptions::dateTaken},    {IDC_OPT_NATURAL, &MoreOptions::naturalNames},
    {IDC_OPT_OUTLINE, &MoreOptions::outlineCaptions},
};

// In the order of UnreadableReport's values.
constexpr int kUnreadableRadios[] = {IDC_OPT_UNREAD_BOX, IDC_OPT_UNREAD_LIST, IDC_OPT_UNREAD_COUNT};

}  // namespace

CMoreOptionsDlg::CMoreOptionsDlg(wxWindow* parent)
    : wxDialog(parent, IDD_MORE_OPTIONS, wxString::FromUTF8(kMoreOptionsDialog.caption),
               wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    m_builder = std::make_unique<DialogBuilder>(*this, kMoreOptionsDialog);
    SetAffirmativeId(IDOK_BUTTON);
    SetEscapeId(IDCANCEL_BUTTON);
    CentreOnParent();
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            m_options = MoreOptions{};
            TransferDataToWindow();
        },
        IDC_OPT_DEFAULTS);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            TransferDataFromWindow();
            if (IsModal()) {
                EndModal(wxID_OK);
            } else {
                SetReturnCode(wxID_OK);
            }
        },
        IDOK_BUTTON);
}

bool CMoreOptionsDlg::TransferDataToWindow() {
    for (const CheckField& c : kChecks) {
        if (auto* box = m_builder->Get<wxCheckBox>(c.id)) {
            box->SetValue(m_options.*c.field);
        }
    }
    const int chosen = static_cast<int>(m_options.unreadable);
    for (int i = 0; i < static_cast<int>(std::size(kUnreadableRadios)); ++i) {
        if (auto* radio = m_builder->Get<wxRadioButton>(kUnreadableRadios[i])) {
            radio->SetValue(i == chosen);
        }
    }
    return true;
}

bool CMoreOptionsDlg::TransferDataFromWindow() {
    for (const CheckField& c : kChecks) {
        if (auto* box = m_builder->Get<wxCheckBox>(c.id)) {
            m_options.*c.field = box->GetValue();
        }
    }
    for (int i = 0; i < static_cast<int>(std::size(kUnreadableRadios)); ++i) {
        if (auto* radio = m_builder->Get<wxRadioButton>(kUnreadableRadios[i]);
            radio && radio->GetValue()) {
            m_options.unreadable = static_cast<UnreadableReport>(i);
        }
    }
    return true;
}

}  // namespace pixfold
