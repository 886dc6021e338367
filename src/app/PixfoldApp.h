#pragma once
// The application: settings store, recent-folder list, the one document, frame
// and view, and the command line.

#include <wx/app.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/RecentFileList.h"
#include "app/WxShell.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"

namespace pixfold {

class CMainFrame;
class CPixfoldDoc;

class CPixfoldApp : public wxApp {
  public:
    CPixfoldApp();
    ~CPixfoldApp() override;

    bool OnInit() override;
    int OnExit() override;
    // A command that throws is abandoned with a message; the program goes on.
    bool OnExceptionInMainLoop() override;
    // Queued calls (CallAfter, posted events) get the same treatment.
    void ProcessPendingEvents() override;

    // The folder named on the command line, given before the toolkit (and with
    // it this object) exists; OnInit opens it.
    static void SetStartFolder(const std::string& folder);

    // Start-up in its fixed order; `folder` (may be empty) is opened once the
    // window and view exist.
    bool InitInstance(const std::string& folder);
    int ExitInstance();

    void AddToRecentFileList(const std::string& path);
    // Opens a folder by its path: the folder already open only activates
    // the window; another one is opened and heads the recent list.
    void OpenDocumentFile(const std::string& path);
    void OnOpenRecentFile(size_t index);

    CMainFrame* MainFrame() const { return m_pMainFrame; }
    CPixfoldDoc* Document() const { return m_pDoc.get(); }
    const RecentFileList& RecentList() const { return *m_pRecent; }
    std::string IniPath() const;

    SettingsStore* m_pSettings = nullptr;
    int m_bMailLinkVisited = 0;
    int m_bWebLinkVisited = 0;
    int m_nMRUCount = 8;

  private:
    void OnFileNew(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);
    void OnFileSave(wxCommandEvent& event);
    void OnRecent(wxCommandEvent& event);

  public:
    // The About box, shown modally.
    void OnAppAbout();

  private:
    std::unique_ptr<reg::Registry> m_registry;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<RecentFileList> m_pRecent;
    std::unique_ptr<CPixfoldDoc> m_pDoc;
    CMainFrame* m_pMainFrame = nullptr;
    WxShell m_shell;
    Shell* m_previousShell = nullptr;
};

// The running application object.
CPixfoldApp& TheApp();

}  // namespace pixfold
