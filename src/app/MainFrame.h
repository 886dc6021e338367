#pragma once
// The program's one top-level window: menu, toolbar, status bar, the view,
// and its placement kept in section "Screen".

#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FramePlacement.h"

class wxAuiToolBar;

namespace pixfold {

class CPixfoldView;
class CPixfoldDoc;
class RecentFileList;

class CMainFrame : public wxFrame {
  public:
    // Placement is restored (or defaulted and written) before the window exists.
    CMainFrame(SettingsStore& store, CPixfoldDoc& doc, const RecentFileList& recent);
    ~CMainFrame() override;

    // Sets a status pane's text and fits the pane to it (text width + 2).
    bool SetStatusPane(int index, const std::string& text);
    std::string StatusPaneText(int index) const;
    int StatusPaneWidth(int index) const;

    CPixfoldView* View() const { return m_pView; }
    // The toolbar, docked on any side of the frame or floating.
    wxAuiToolBar* ToolBar() const { return m_pToolBar; }
    wxAuiManager& Docking() { return m_aui; }

    // Re-creates the recent-folder entries of the first menu.
    void RebuildRecentMenu();

    // Screen size used for placement (the primary display).
    static wxSize ScreenSize();

    // True once the window manager has shown the frame where it belongs;
    // only from then on is its placement written.
    bool IsPlacementSettled() const { return m_settled; }
    // Runs `action` once the placement has settled (at once if it has).
    void WhenPlaced(std::function<void()> action);

  private:
    bool TryBefore(wxEvent& event) override;
    void CreateBars();
    void CreateMainMenu();
    void SaveWindowPlacement();
    void OnMoveOrSize(wxEvent& event);
    void OnShown(wxShowEvent& event);
    void OnClose(wxCloseEvent& event);
    void ApplyWantedPlacement();
    void SettlePlacement();
    bool AtWantedPlacement() const;
    void OnToggleToolbar(wxCommandEvent& event);
    void OnToggleStatusBar(wxCommandEvent& event);
    void OnUpdateToggleToolbar(wxUpdateUIEvent& event);
    void OnUpdateToggleStatusBar(wxUpdateUIEvent& event);
    void OnUpdateRecent(wxUpdateUIEvent& event);
    void OnExit(wxCommandEvent& event);
    void OnContextHelp(wxCommandEvent& event);

  public:
    // Opens the user guide in the browser (F1, Help Topics).
    void OnHelp();

    SettingsStore& m_store;
    CPixfoldDoc& m_doc;
    const RecentFileList& m_recent;
    CPixfoldView* m_pView = nullptr;
    wxAuiToolBar* m_pToolBar = nullptr;
    wxAuiManager m_aui;
    std::vector<int> m_paneWidths;
    bool m_routing = false;

  private:
    // The placement restored at start-up, asserted again after the window
    // manager has mapped the frame: some managers place a new window by
    // their own rules, and the geometry reported before that is transient.
    Placement m_wanted;
    bool m_mapped = false;
    bool m_movedSinceMap = false;
    bool m_settled = false;
    int m_reapplied = 0;
    wxTimer m_settleTimer;
    std::vector<std::function<void()>> m_whenPlaced;
};

}  // namespace pixfold
