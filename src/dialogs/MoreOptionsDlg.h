#pragma once
// The More Options dialog: it edits a MoreOptions value only; the view fills
// it, shows the dialog and, after OK, applies what it holds.

#include <wx/dialog.h>

#include <memory>

#include "catalog/MoreOptions.h"
#include "platform/DialogBuilder.h"

namespace pixfold {

class CMoreOptionsDlg : public wxDialog {
  public:
    explicit CMoreOptionsDlg(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxWindow* Control(int id) const { return m_builder->Control(id); }

    MoreOptions m_options;

  private:
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
