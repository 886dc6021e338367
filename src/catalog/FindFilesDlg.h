#pragma once
// The small modeless window that shows which file a folder scan is handling.

#include <wx/dialog.h>

#include <memory>
#include <string>

#include "platform/DialogBuilder.h"

namespace pixfold {

class CFindFilesDlg : public wxDialog {
  public:
    CFindFilesDlg() = default;
    // Creates the window from its template, centred on the parent, reading
    // "starting...".
    bool Create(wxWindow* parent);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    std::string m_strText;

  private:
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
