#include "app/MainFrame.h"

#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/aui/auibar.h>
#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>

#include "app/PixfoldDoc.h"
#include "app/PixfoldView.h"
#include "app/RecentFileList.h"
#include "app/UserGuide.h"
#include "platform/AtomicFile.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"
#include "platform/WxIcons.h"
#include "platform/WxScreen.h"
#include "platform/WxText.h"
#include "publish/Publish.h"
#include "res/Keys.h"
#include "res/Menus.h"
#include "res/Strings.h"
#include "res/Toolbar.h"
#include "res/WxIds.h"

namespace pixfold {

namespace {

wxString FromUtf8(const char* s) {
    return wxString::FromUTF8(s ? s : "");
}

// Status-bar text of a prompt (before the line break) and its tooltip (after).
std::pair<wxString, wxString> SplitPrompt(int frameworkId) {
    const char* prompt = res::FindPrompt(frameworkId);
    if (!prompt) {
        return {};
    }
    const std::string p = prompt;
    const size_t nl = p.find('\n');
    if (nl == std::string::npos) {
        return {wxString::FromUTF8(p), wxString()};
    }
    return {wxString::FromUTF8(p.substr(0, nl)), wxString::FromUTF8(p.substr(nl + 1))};
}

wxBitmapBundle ToolArt(int id) {
    wxArtID art;
    switch (id) {
        case res::ID_OPEN_FOLDER:
            art = wxART_FOLDER_OPEN;
            break;
        case res::ID_DELETE_THUMB:
            art = wxART_DELETE;
            break;
        case res::ID_MOVE_RENAME_THUMB:
            art = wxART_FILE_SAVE_AS;
            break;
        case res::ID_MAKE_THUMBS:
            art = wxART_NEW_DIR;
            break;
        case res::ID_PREFERENCES:
            art = wxART_EXECUTABLE_FILE;
            break;
        case res::ID_SHOW_DETAILS:
            art = wxART_REPORT_VIEW;
            break;
        case res::ID_START_SLIDE_SHOW:
            // The theme's arrow is drawn so pale that the button looks disabled.
            return SlideShowToolArt();
        default:
            art = wxART_INFORMATION;
            break;
    }
    return wxArtProvider::GetBitmapBundle(art, wxART_TOOLBAR, wxSize(16, 16));
}

}  // namespace

namespace {
// How long the frame must stay unmoved before its placement counts as
// settled: briefly once the window manager has moved it, longer while it has
// given no sign (it may still be about to, or there may be none).
constexpr int kSettleQuietMs = 150;
constexpr int kSettleUnmovedMs = 500;
// Times the wanted placement is asserted against a window manager that
// keeps putting the frame elsewhere; after that the manager's choice stands.
constexpr int kMaxReapply = 3;
}  // namespace

wxSize CMainFrame::ScreenSize() {
    return PrimaryScreen().GetSize();
}

CMainFrame::CMainFrame(SettingsStore& store, CPixfoldDoc& doc, const RecentFileList& recent)
    : m_store(store), m_doc(doc), m_recent(recent) {
    const wxRect screen = PrimaryScreen();
    m_wanted = RestorePlacement(store, screen.width, screen.height, screen.x, screen.y);
    const Placement& p = m_wanted;
    Create(nullptr, wxID_ANY, res::kWindowTitle, wxPoint(p.x, p.y), wxSize(p.cx, p.cy));
    Bind(wxEVT_MOVE, &CMainFrame::OnMoveOrSize, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnMoveOrSize, this);
    Bind(wxEVT_SHOW, &CMainFrame::OnShown, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    m_settleTimer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { SettlePlacement(); });

    CreateMainMenu();
    CreateBars();

    std::vector<wxAcceleratorEntry> accels;
    for (const res::KeyBinding& a : res::kKeys) {
        int flags = wxACCEL_NORMAL;
        flags |= (a.mods & res::kCtrl) ? wxACCEL_CTRL : 0;
        flags |= (a.mods & res::kShift) ? wxACCEL_SHIFT : 0;
        flags |= (a.mods & res::kAlt) ? wxACCEL_ALT : 0;
        accels.emplace_back(flags, res::ToWxKey(a.key), res::ToWxId(a.command));
    }
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(accels.size()), accels.data()));

    m_pView = new CPixfoldView(this, this, store, doc);
    doc.SetView(m_pView);
    m_aui.AddPane(m_pView, wxAuiPaneInfo().Name("view").CenterPane());
    m_aui.Update();

    Bind(wxEVT_MENU, &CMainFrame::OnToggleToolbar, this, res::kWxIdViewToolbar);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleStatusBar, this, res::kWxIdViewStatusBar);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateToggleToolbar, this, res::kWxIdViewToolbar);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateToggleStatusBar, this, res::kWxIdViewStatusBar);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateRecent, this, wxID_FILE1,
         wxID_FILE1 + res::kMaxRecentFiles - 1);
    Bind(wxEVT_MENU, &CMainFrame::OnExit, this, wxID_EXIT);
    for (int id : {static_cast<int>(wxID_HELP), static_cast<int>(wxID_HELP_CONTENTS),
                   res::kWxIdDefaultHelp}) {
        Bind(
            wxEVT_MENU, [this](wxCommandEvent&) { OnHelp(); }, id);
    }
    Bind(wxEVT_MENU, &CMainFrame::OnContextHelp, this, wxID_CONTEXT_HELP);
    SetIcons(AppIcons());
}

CMainFrame::~CMainFrame() {
    m_aui.UnInit();
    m_doc.SetView(nullptr);
}

void CMainFrame::CreateMainMenu() {
    auto* bar = new wxMenuBar();
    wxMenu* menu = nullptr;
    wxString title;
    for (const res::MenuEntry& e : res::kMainMenu) {
        switch (e.kind) {
            case res::MenuKind::Popup:
                menu = new wxMenu();
                title = FromUtf8(e.text);
                break;
            case res::MenuKind::Separator:
                menu->AppendSeparator();
                break;
            case res::MenuKind::Item: {
                const bool toggle = e.id == res::ID_VIEW_TOOLBAR || e.id == res::ID_VIEW_STATUS_BAR;
                wxMenuItem* item =
                    menu->Append(res::ToWxId(e.id), wxString::FromUTF8(res::MenuLabel(e)),
                                 SplitPrompt(e.id).first, toggle ? wxITEM_CHECK : wxITEM_NORMAL);
                if (e.grayed) {
                    item->Enable(false);
                }
                break;
            }
            case res::MenuKind::End:
                bar->Append(menu, title);
                menu = nullptr;
                break;
        }
    }
    SetMenuBar(bar);
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    wxMenuBar* bar = GetMenuBar();
    if (!bar) {
        return;
    }
    wxMenu* first = bar->GetMenu(0);
    // The entries stand where the "Recent File" placeholder stands: after the
    // first separator.
    size_t pos = 0;
    while (pos < first->GetMenuItemCount() && !first->FindItemByPosition(pos)->IsSeparator()) {
        ++pos;
    }
    ++pos;
    while (pos < first->GetMenuItemCount()) {
        wxMenuItem* item = first->FindItemByPosition(pos);
        const int id = item->GetId();
        if (id < wxID_FILE1 || id >= wxID_FILE1 + res::kMaxRecentFiles) {
            break;
        }
        first->Destroy(item);
    }
    if (m_recent.size() == 0) {
        wxMenuItem* placeholder = first->Insert(pos, wxID_FILE1, "Recent File", res::kMruPrompt);
        placeholder->Enable(false);
        return;
    }
    for (size_t i = 0; i < m_recent.size(); ++i) {
        first->Insert(pos + i, wxID_FILE1 + static_cast<int>(i), ShownText(m_recent.MenuText(i)),
                      res::kMruPrompt);
    }
}

void CMainFrame::OnUpdateRecent(wxUpdateUIEvent& event) {
    event.Enable(static_cast<size_t>(event.GetId() - wxID_FILE1) < m_recent.size());
}

void CMainFrame::CreateBars() {
    // The toolbar docks on any side of the frame or floats, through the
    // toolkit's docking manager; the status bar stays the frame's own.
    m_aui.SetManagedWindow(this);
    auto* tb = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER);
    m_pToolBar = tb;
    tb->SetToolBitmapSize(wxSize(16, 16));
    for (int id : res::kToolbarButtons) {
        if (id == 0) {
            tb->AddSeparator();
            continue;
        }
        const auto [status, tip] = SplitPrompt(id);
        tb->AddTool(res::ToWxId(id), tip.empty() ? status : tip, ToolArt(id), tip, wxITEM_NORMAL);
        tb->SetToolLongHelp(res::ToWxId(id), status);
    }
    tb->Realize();
    m_aui.AddPane(tb, wxAuiPaneInfo()
                          .Name("toolbar")
                          .Caption("Toolbar")
                          .ToolbarPane()
                          .Top()
                          .LeftDockable()
                          .RightDockable()
                          .TopDockable()
                          .BottomDockable()
                          .Floatable());
    // A tool's prompt in the status bar while the pointer rests on it.
    tb->Bind(wxEVT_MOTION, [this, tb](wxMouseEvent& e) {
        e.Skip();
        wxAuiToolBarItem* tool = tb->FindToolByPosition(e.GetX(), e.GetY());
        DoGiveHelp(tool ? tool->GetLongHelp() : wxString(), tool != nullptr);
    });
    tb->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& e) {
        e.Skip();
        DoGiveHelp(wxString(), false);
    });

    // No size grip: it would cover the end of the last pane.
    wxStatusBar* sb = CreateStatusBar(static_cast<int>(std::size(res::kIndicators)),
                                      wxSTB_DEFAULT_STYLE & ~wxSTB_SIZEGRIP);
    m_paneWidths.assign(std::size(res::kIndicators), -1);
    wxClientDC dc(this);
    dc.SetFont(sb->GetFont());
    for (size_t i = 1; i < std::size(res::kIndicators); ++i) {
        m_paneWidths[i] =
            dc.GetTextExtent(res::kIndicators[i].initialText).x + 2 + 2 * sb->GetBorderX() + 8;
    }
    sb->SetStatusWidths(static_cast<int>(m_paneWidths.size()), m_paneWidths.data());
    for (size_t i = 1; i < std::size(res::kIndicators); ++i) {
        sb->SetStatusText(res::kIndicators[i].initialText, static_cast<int>(i));
    }
    sb->SetStatusText(res::kIdlePrompt, 0);
    SetStatusBarPane(0);
}

bool CMainFrame::SetStatusPane(int index, const std::string& text) {
    wxStatusBar* sb = GetStatusBar();
    if (!sb || index <= 0 || index >= static_cast<int>(m_paneWidths.size())) {
        return false;
    }
    wxClientDC dc(this);
    dc.SetFont(sb->GetFont());
    const wxString s = ShownText(text);
    // The text's width plus 2, and the room the toolkit keeps around a field.
    m_paneWidths[static_cast<size_t>(index)] = dc.GetTextExtent(s).x + 2 + 2 * sb->GetBorderX() + 8;
    sb->SetStatusWidths(static_cast<int>(m_paneWidths.size()), m_paneWidths.data());
    sb->SetStatusText(s, index);
    sb->Refresh();
    return true;
}

std::string CMainFrame::StatusPaneText(int index) const {
    wxStatusBar* sb = GetStatusBar();
    return sb ? sb->GetStatusText(index).utf8_string() : std::string();
}

int CMainFrame::StatusPaneWidth(int index) const {
    return index >= 0 && index < static_cast<int>(m_paneWidths.size())
               ? m_paneWidths[static_cast<size_t>(index)]
               : 0;
}

bool CMainFrame::TryBefore(wxEvent& event) {
    // Commands and their enabling go to the view first, then the frame.
    const wxEventType t = event.GetEventType();
    if (m_pView && !m_routing && (t == wxEVT_MENU || t == wxEVT_UPDATE_UI)) {
        m_routing = true;
        const bool handled = m_pView->ProcessWindowEventLocally(event);
        m_routing = false;
        if (handled) {
            return true;
        }
    }
    return wxFrame::TryBefore(event);
}

void CMainFrame::SaveWindowPlacement() {
    if (IsIconized()) {
        return;
    }
    const wxRect r = GetRect();
    SavePlacement(m_store, {r.x, r.y, r.width, r.height});
}

bool CMainFrame::AtWantedPlacement() const {
    const wxRect r = GetRect();
    return r == wxRect(m_wanted.x, m_wanted.y, m_wanted.cx, m_wanted.cy);
}

void CMainFrame::ApplyWantedPlacement() {
    ++m_reapplied;
    SetSize(m_wanted.x, m_wanted.y, m_wanted.cx, m_wanted.cy);
}

void CMainFrame::OnShown(wxShowEvent& event) {
    event.Skip();
    // The toolkit reports the show once the frame is mapped.
    if (!event.IsShown() || m_mapped) {
        return;
    }
    m_mapped = true;
    m_settleTimer.StartOnce(kSettleUnmovedMs);
    // The grid takes the keyboard from the start, without a click first.
    if (m_pView) {
        m_pView->SetFocus();
    }
}

void CMainFrame::OnMoveOrSize(wxEvent& event) {
    event.Skip();
    if (m_settled) {
        SaveWindowPlacement();
        return;
    }
    if (!m_mapped) {
        return;  // creation and mapping pass through sizes that mean nothing
    }
    m_movedSinceMap |= event.GetEventType() == wxEVT_MOVE;
    // The window manager is still at work: put the frame back where it was
    // asked to be, and count it settled once nothing has moved for a while.
    if (!AtWantedPlacement() && m_reapplied < kMaxReapply && !IsIconized() && !IsMaximized()) {
        CallAfter([this] {
            if (!m_settled && !AtWantedPlacement()) {
                ApplyWantedPlacement();
            }
        });
    }
    m_settleTimer.StartOnce(m_movedSinceMap ? kSettleQuietMs : kSettleUnmovedMs);
}

void CMainFrame::SettlePlacement() {
    if (m_settled) {
        return;
    }
    m_settled = true;
    m_settleTimer.Stop();
    // Where the frame really is, if the window manager had the last word.
    if (!AtWantedPlacement()) {
        SaveWindowPlacement();
    }
    std::vector<std::function<void()>> actions;
    actions.swap(m_whenPlaced);
    for (auto& action : actions) {
        CallAfter(action);
    }
}

void CMainFrame::WhenPlaced(std::function<void()> action) {
    if (m_settled) {
        action();
    } else {
        m_whenPlaced.push_back(std::move(action));
    }
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    event.Skip();
    if (m_settled) {
        SaveWindowPlacement();
    }
}

void CMainFrame::OnToggleToolbar(wxCommandEvent&) {
    wxAuiPaneInfo& pane = m_aui.GetPane(m_pToolBar);
    if (pane.IsOk()) {
        pane.Show(!pane.IsShown());
        m_aui.Update();
    }
}

void CMainFrame::OnToggleStatusBar(wxCommandEvent&) {
    if (wxStatusBar* sb = GetStatusBar()) {
        sb->Show(!sb->IsShown());
        SendSizeEvent();
        m_aui.Update();
    }
}

void CMainFrame::OnUpdateToggleToolbar(wxUpdateUIEvent& event) {
    event.Check(m_aui.GetPane(m_pToolBar).IsShown());
}

void CMainFrame::OnUpdateToggleStatusBar(wxUpdateUIEvent& event) {
    event.Check(GetStatusBar() && GetStatusBar()->IsShown());
}

void CMainFrame::OnExit(wxCommandEvent&) {
    Close();
}

void CMainFrame::OnHelp() {
    const std::string exe = PathFromWx(wxStandardPaths::Get().GetExecutablePath());
    const std::string guide = FindUserGuide(DirName(exe));
    if (guide.empty()) {
        Shell::Current().AppMessage("The user guide could not be found.");
        return;
    }
    if (!Shell::Current().OpenWithSystem(FileUrl(guide))) {
        Shell::Current().AppMessage(
            Format("The user guide could not be opened:\n%s", guide.c_str()));
    }
}

void CMainFrame::OnContextHelp(wxCommandEvent&) {
    Shell::Current().ContextHelp();
}

}  // namespace pixfold
