#pragma once
// A yes/no question with a box that stops it being asked again.

#include <wx/dialog.h>

#include <memory>
#include <string>

#include "platform/DialogBuilder.h"

namespace pixfold {

class CWarningDlg : public wxDialog {
  public:
    explicit CWarningDlg(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    int m_bDontShow = 0;
    std::string m_strMessage;

    wxWindow* Control(int id) const { return m_builder->Control(id); }

  private:
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
