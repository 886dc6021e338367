#pragma once
// The Make Thumbs options: size limit, naming, thumbnail folder, which
// images, and the HTML page. Validates its two numbers on every exchange.

#include <wx/dialog.h>

#include <memory>
#include <string>

#include "platform/DialogBuilder.h"
#include "platform/SettingsStore.h"

namespace pixfold {

class CMakeThumbsDlg : public wxDialog {
  public:
    // imagesFolder: the first catalogue entry's folder (with its separator).
    CMakeThumbsDlg(wxWindow* parent, SettingsStore& store, std::string imagesFolder,
                   bool hasSelection);

    bool TransferDataToWindow() override;
    // Controls to members; a number out of range shows the prompt, moves the
    // focus to its field and answers false.
    bool TransferDataFromWindow() override;

    void OnInitDialogState();
    void OnHtmlClicked();
    void OnTableClicked();
    void OnDoAllClicked();
    void OnBrowseHtml();
    void OnBrowseFolder();
    void OnOriginalNameClicked();
    void OnSyncFolders();
    void OnOK();
    // True when processing may go on (no overwrite, or the user agreed, which
    // sets m_bOverwriteApproved).
    bool CheckOverwrite();

    unsigned m_nSizeLimit = 100;
    int m_bHtml = 0;
    int m_nPrepend = 0;
    int m_bHref = 0;
    std::string m_strHtmlPath;
    int m_bDoAll = 1;
    unsigned m_nRowCount = 5;
    int m_bTable = 0;
    std::string m_strThumbFolder;
    int m_bHasSelection = 0;
    int m_bOverwriteApproved = 0;

    wxWindow* Control(int id) const { return m_builder->Control(id); }

  private:
    void EnableIds(std::initializer_list<int> ids, bool enable);
    void Finish(int code);

    SettingsStore& m_store;
    std::string m_imagesFolder;
    bool m_selectionAtOpen;
    std::unique_ptr<DialogBuilder> m_builder;
};

// "Please enter an integer between 10 and 5000." style prompts.
std::string RangePrompt(unsigned low, unsigned high);

}  // namespace pixfold
