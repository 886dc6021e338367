#include "app/PixfoldApp.h"

#include <sys/stat.h>
#include <unistd.h>
#include <wx/cshelp.h>
#include <wx/image.h>

#include <climits>
#include <exception>
#include <new>

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/PixfoldDoc.h"
#include "app/PixfoldView.h"
#include "catalog/ViewPrefs.h"
#include "dialogs/AboutDialog.h"
#include "platform/AtomicFile.h"
#include "platform/ConfigDir.h"
#include "platform/TextUtil.h"
#include "platform/WxText.h"
#include "res/CommandIds.h"

namespace pixfold {

CPixfoldApp& TheApp() {
    return *static_cast<CPixfoldApp*>(wxApp::GetInstance());
}

CPixfoldApp::CPixfoldApp() {
    SetAppName("Pixfold");
    SetAppDisplayName("Pixfold");
}

CPixfoldApp::~CPixfoldApp() = default;

namespace {

std::string& StartFolder() {
    static std::string folder;
    return folder;
}

}  // namespace

void CPixfoldApp::SetStartFolder(const std::string& folder) {
    StartFolder() = folder;
}

bool CPixfoldApp::OnInit() {
    return InitInstance(StartFolder());
}

int CPixfoldApp::OnExit() {
    return ExitInstance();
}

void CPixfoldApp::ProcessPendingEvents() {
    // The toolkit guards the handlers of its own events, not the queued ones.
    try {
        wxApp::ProcessPendingEvents();
    } catch (...) {
        if (!OnExceptionInMainLoop()) {
            throw;
        }
    }
}

bool CPixfoldApp::OnExceptionInMainLoop() {
    std::string what = "unknown error";
    try {
        // The toolkit calls this only from within its catch handler.
        // cppcheck-suppress rethrowNoCurrentException
        throw;
    } catch (const std::bad_alloc&) {
        what = "out of memory";
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
    }
    Shell::Current().AppMessage(
        Format("The last operation could not be completed:\n%s", what.c_str()),
        MB_OK | MB_ICONERROR);
    return true;
}

std::string CPixfoldApp::IniPath() const {
    return m_registry->Folder() + "/" + SettingsStore::kIniFileName;
}

bool CPixfoldApp::InitInstance(const std::string& folder) {
    UseExactFileNames();
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) {
        wxInitAllImageHandlers();
    }
    if (!wxHelpProvider::Get()) {
        wxHelpProvider::Set(new wxSimpleHelpProvider);
    }
    m_previousShell = Shell::Install(&m_shell);
    // Followed links are remembered for this run only.
    m_bMailLinkVisited = 0;
    m_bWebLinkVisited = 0;

    // The settings store, opened on the product key; a first run migrates
    // the old profile.
    m_registry = std::make_unique<reg::Registry>(ConfigDir());
    m_registry->SetDamageHandler([this](const std::string& copy) {
        // Shown once the window is up; the store has already started afresh.
        CallAfter([copy] {
            Shell::Current().AppMessage(DamagedSettingsMessage(copy), MB_OK | MB_ICONEXCLAMATION);
        });
    });
    m_settings = std::make_unique<SettingsStore>(*m_registry);
    m_pSettings = m_settings.get();
    OpenStoreAtStartup(*m_settings);

    // The recent-folder list and its size.
    m_nMRUCount = LoadMruCount(*m_settings);
    m_pRecent = std::make_unique<RecentFileList>(m_nMRUCount);
    m_pRecent->Load(IniPath());

    // Document, frame and view: an empty window titled "Pixfold".
    m_pDoc =
        std::make_unique<CPixfoldDoc>([this](const std::string& p) { AddToRecentFileList(p); });
    m_pDoc->OnNewDocument();
    m_pMainFrame = new CMainFrame(*m_settings, *m_pDoc, *m_pRecent);
    SetTopWindow(m_pMainFrame);
    m_shell.SetMainWindow(m_pMainFrame);
    m_shell.SetProgressParent(m_pMainFrame->View());
    m_pMainFrame->Show();
    m_pMainFrame->View()->OnInitialUpdate();

    Bind(wxEVT_MENU, &CPixfoldApp::OnFileNew, this, wxID_NEW);
    Bind(wxEVT_MENU, &CPixfoldApp::OnFileOpen, this, wxID_OPEN);
    Bind(wxEVT_MENU, &CPixfoldApp::OnFileSave, this, wxID_SAVE);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnAppAbout(); }, wxID_ABOUT);
    Bind(wxEVT_MENU, &CPixfoldApp::OnRecent, this, wxID_FILE1,
         wxID_FILE1 + res::kMaxRecentFiles - 1);

    if (!folder.empty()) {
        // Opened once the window stands where it belongs, so that the scan's
        // progress window is centred over it.
        m_pMainFrame->WhenPlaced([this, folder] { OpenDocumentFile(folder); });
    }
    return true;
}

int CPixfoldApp::ExitInstance() {
    if (m_pRecent) {
        m_pRecent->Save(IniPath());
    }
    m_pSettings = nullptr;
    m_settings.reset();
    m_registry.reset();
    Shell::Install(m_previousShell);
    return 0;
}

void CPixfoldApp::AddToRecentFileList(const std::string& path) {
    // The list keeps the size read at start-up: a count changed in the
    // Preferences takes effect at the next start.
    if (!m_pRecent || m_pRecent->MaxCount() == 0) {
        return;
    }
    m_pRecent->Add(path);
    // Written at once, so that a crash loses nothing.
    m_pRecent->Save(IniPath());
    if (m_pMainFrame) {
        m_pMainFrame->RebuildRecentMenu();
    }
}

void CPixfoldApp::OpenDocumentFile(const std::string& given) {
    if (!m_pDoc || !m_pMainFrame) {
        return;
    }
    // Documents are opened by one spelling of their full path, so that "good",
    // "./good" and "good/" give one title and one recent entry.
    char cwd[PATH_MAX];
    const std::string path = NormalizeFolderPath(given, getcwd(cwd, sizeof cwd) ? cwd : "");
    if (!m_pDoc->GetPathName().empty() && path == m_pDoc->GetPathName()) {
        m_pMainFrame->Raise();
        return;
    }
    if (m_pDoc->OnOpenDocument(path)) {
        m_pDoc->SetPathName(path, true);
    }
}

void CPixfoldApp::OnOpenRecentFile(size_t index) {
    if (m_pRecent && index < m_pRecent->size()) {
        const std::string path = m_pRecent->at(index);
        OpenDocumentFile(path);
    }
}

void CPixfoldApp::OnRecent(wxCommandEvent& event) {
    OnOpenRecentFile(static_cast<size_t>(event.GetId() - wxID_FILE1));
}

void CPixfoldApp::OnAppAbout() {
    CAboutDialog dlg(m_pMainFrame, &m_bMailLinkVisited, &m_bWebLinkVisited);
    dlg.ShowModal();
}

void CPixfoldApp::OnFileNew(wxCommandEvent&) {
    // The same document and view: the path is emptied and the view updated again.
    m_pDoc->OnNewDocument();
    if (CPixfoldView* view = m_pDoc->GetView()) {
        view->OnInitialUpdate();
    }
}

void CPixfoldApp::OnFileOpen(wxCommandEvent&) {
    std::string path;
    if (Shell::Current().ChooseFileToOpen(&path)) {
        OpenDocumentFile(path);
    }
}

void CPixfoldApp::OnFileSave(wxCommandEvent&) {
    // The stored form is empty. A folder path cannot be written over, and no
    // file of the user's is replaced without the Save-As box asking first.
    std::string target = m_pDoc->GetPathName();
    struct stat st {};
    if (!target.empty() && stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        Shell::Current().AppMessage(Format("Access to %s was denied.", target.c_str()));
        return;
    }
    if (target.empty() || stat(target.c_str(), &st) == 0) {
        Shell::SaveAsRequest req;
        req.initialPath = "Thumbs";
        req.filter = "All Files (*.*)|*";
        req.overwritePrompt = true;
        if (!Shell::Current().ChooseSaveAs(req, &target)) {
            return;
        }
    }
    AtomicFile file;
    const std::string data = m_pDoc->Serialize();
    if (!file.Open(target) ||
        std::fwrite(data.data(), 1, data.size(), file.Stream()) != data.size() || !file.Commit()) {
        Shell::Current().AppMessage(Format("Failed to save document.\n%s", target.c_str()));
        return;
    }
    m_pDoc->SetPathName(target, true);
}

}  // namespace pixfold
