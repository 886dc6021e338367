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

    // "12 of 480": the file in hand and how many there are.
    void SetCount(size_t current, size_t total);

    std::string m_strText;
    bool m_bCancelled = false;  // Cancel was pressed

  private:
    std::unique_ptr<DialogBuilder> m_builder;
};

}  // namespace pixfold
