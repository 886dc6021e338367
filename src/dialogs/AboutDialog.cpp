#include "dialogs/AboutDialog.h"

#include <wx/statbmp.h>

#include "dialogs/StaticLink.h"
#include "platform/AppIcon.h"
#include "platform/WxIcons.h"

namespace pixfold {

using namespace res;

CAboutDialog::CAboutDialog(wxWindow* parent, int* mailVisited, int* webVisited)
    : wxDialog(parent, IDD_ABOUT, wxString::FromUTF8(kAboutDialog.caption), wxDefaultPosition,
               wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    m_builder = std::make_unique<DialogBuilder>(*this, kAboutDialog);
    m_mailLink = CStaticLink::Subclass(m_builder->Control(IDC_MAIL_LINK), CStaticLink::kTextCenter);
    m_webLink = CStaticLink::Subclass(m_builder->Control(IDC_WEB_LINK), CStaticLink::kTextCenter);
    m_mailLink->m_pVisited = mailVisited;
    m_webLink->m_pVisited = webVisited;
    m_mailLink->m_mailPrefix = kMakerMailPrefix;
    if (auto* icon = m_builder->Get<wxStaticBitmap>(IDC_ABOUT_ICON)) {
        icon->SetBitmap(AppIconBitmap(32));
    }
    SetAffirmativeId(IDOK_BUTTON);
    SetEscapeId(IDOK_BUTTON);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            if (IsModal()) {
                EndModal(wxID_OK);
            }
        },
        IDOK_BUTTON);
    CentreOnParent();
}

wxWindow* CAboutDialog::Control(int id) const {
    if (id == IDC_MAIL_LINK) {
        return m_mailLink;
    }
    if (id == IDC_WEB_LINK) {
        return m_webLink;
    }
    return m_builder->Control(id);
}

}  // namespace pixfold
