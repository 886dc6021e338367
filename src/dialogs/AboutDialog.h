#pragma once
// About Pixfold: name, version, a short notice and the maker's two links.

#include <wx/dialog.h>

#include <memory>

#include "platform/DialogBuilder.h"

namespace pixfold {

class CStaticLink;

class CAboutDialog : public wxDialog {
  public:
    // The visited flags live in the application for the rest of the run.
    CAboutDialog(wxWindow* parent, int* mailVisited, int* webVisited);

    CStaticLink* m_mailLink = nullptr;
    CStaticLink* m_webLink = nullptr;

    wxWindow* Control(int id) const;

  private:
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
