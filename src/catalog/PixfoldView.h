#pragma once
// The scrolling grid of thumbnails: it owns the catalogue, lays it out, paints
// it, maps the mouse to records and answers the enabling of view commands.

#include <wx/font.h>
#include <wx/menu.h>
#include <wx/scrolwin.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <string>

#include "catalog/CommandRules.h"
#include "catalog/FolderScan.h"
#include "catalog/Grid.h"
#include "catalog/ThumbCatalog.h"
#include "catalog/ViewPrefs.h"
#include "fileops/FileOps.h"
#include "platform/CrtRand.h"
#include "platform/SettingsStore.h"

namespace pixfold {

class CMainFrame;
class CPixfoldDoc;
class CFindFilesDlg;
class CImageWnd;

class CPixfoldView : public wxScrolledCanvas {
  public:
    CPixfoldView(wxWindow* parent, CMainFrame* frame, SettingsStore& store, CPixfoldDoc& doc);
    ~CPixfoldView() override;

    // Scroll sizes, caption font, blank status panes.
    void OnInitialUpdate();
    void SetScrolls();
    // Paints the grid on a device context in document coordinates (screen
    // and printer alike); `update` limits which cells are drawn.
    void OnDraw(wxDC& dc, const wxRegion& update = wxRegion());
    // The record under a client point (scroll position added), or null.
    ThumbRecord* HitTest(const wxPoint& client, long& index) const;
    // Empties the catalogue and fills it from the folder.
    void OpenFolder(std::string folder);
    void BuildThumbnails(bool showProgress);
    // Pitch, sort and the thumbnail cache as a scan takes them.
    ScanSettings CurrentScanSettings() const;

    ViewState State() const;
    // The preferences as the view holds them, and back.
    ViewPrefs Prefs() const;
    void SetPrefs(const ViewPrefs& prefs);
    // Applies a confirmed Preferences dialog choice: stores it, rebuilds,
    // re-sorts and repaints as needed.
    PrefsEffect ApplyPrefsChoice(const PrefsChoice& choice);
    // Test seam: runs instead of ShowModal, returning its result.
    static inline std::function<int(class CPreferencesDialog&)> s_prefsDialogHook;
    // The More Options dialog; OK stores the options and scans the folder
    // again when the thumbnails or the order depend on what changed.
    void OnMoreOptions();
    void ApplyMoreOptions(const MoreOptions& options);
    const MoreOptions& Options() const { return m_options; }
    // Test seam: runs instead of the dialog's ShowModal.
    static inline std::function<int(class CMoreOptionsDlg&)> s_moreOptionsHook;
    bool IsCommandEnabled(int commandId) const;
    const ScrollSizes& Scrolls() const { return m_scrolls; }
    GridLook Look() const;
    CMainFrame* Frame() const { return m_pFrame; }
    CPixfoldDoc* GetDocument() const { return m_pDocument; }
    SettingsStore& Settings() const { return m_store; }

    // Members shared with the other parts of the program.
    CFindFilesDlg* m_pFindFDlg = nullptr;
    int m_nPitch = kDefaultPitch;
    int m_nThumbMax = kDefaultPitch - 3;
    ColorRef m_crBack = 0;
    ColorRef m_crText = 0;
    int m_bDefaultColors = 1;
    int m_bShowDim = 0;
    int m_bShowFileName = 1;
    int m_bShowFileSize = 0;
    int m_bShowFileDate = 0;
    int m_nSortStyle = 0;
    int m_nSortOption = 0;
    ThumbCatalog m_list;
    int m_nCols = 1;
    int m_nRows = 0;
    ThumbRecord* m_pSelected = nullptr;
    wxFont m_font;
    ThumbRecord* m_posSlide = nullptr;  // shown next in order; null: the head
    int m_nSlideTime = 5;
    int m_bRandom = 0;
    std::string m_strSlideMarks;
    int m_bSlideRunning = 0;
    int m_nLastSlide = -1;
    int m_bSlidePaused = 0;
    CImageWnd* m_pSlideWnd = nullptr;
    CrtRand m_rand;

    static SystemColors CurrentSystemColors();

    // Slide show.
    void OnStartSlideShow();
    void OnSlideTick();     // what timer 101 does
    void StopSlideTimer();  // Escape in any image window
    void StopSlideShow();   // Escape in the view
    wxTimer& SlideTimer() { return m_slideTimer; }
    // Opens a window on the record, as a double click does.
    void OpenImageWindow(ThumbRecord* record);
    // Takes a record out of the catalogue, keeping the selection and the
    // slide show valid. The record is released.
    void RemoveRecord(ThumbRecord* record);

    // File commands.
    void OnDeleteThumb();
    // Delete when it moves the file to the Trash.
    void TrashSelected();
    void OnMoveRenameThumb();
    void OnRefresh();
    void OnCloseView();
    void OnShowDetails();
    void OnMakeThumbs();
    void OnFilePrint();
    void OnFilePrintPreview();
    // Test seam: runs instead of the Make Thumbs dialog's ShowModal.
    static inline std::function<int(class CMakeThumbsDlg&)> s_makeThumbsHook;
    // Releases the catalogue and scans its folder again, after a message if asked.
    void Reload(bool showMessage);
    // Tests force the copying move that crosses file systems.
    void SetMoveMode(MoveMode mode) { m_moveMode = mode; }

    // The context menu (menu 133) with its items enabled as the state allows.
    std::unique_ptr<wxMenu> BuildContextMenu() const;
    // Tests look at the context menu instead of tracking it.
    static inline std::function<void(wxMenu&)> s_contextMenuHook;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnOpenFolder(wxCommandEvent& event);
    void OnPreferences(wxCommandEvent& event);
    void OnLeftDClick(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnScrollStep(wxScrollWinEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnTimer(wxTimerEvent& event);
    ThumbRecord* NextSlide(bool first);
    void BindFileCommands();
    void RemoveAndRelayout(ThumbRecord* record);
    void RefreshCell(const ThumbRecord& record);

    // The context menu while it is up: its commands follow its own rule.
    const wxMenu* m_contextMenu = nullptr;
    CMainFrame* m_pFrame;
    CPixfoldDoc* m_pDocument;
    SettingsStore& m_store;
    ScrollSizes m_scrolls;
    int m_wheelRotation = 0;
    wxTimer m_slideTimer;
    MoveMode m_moveMode = MoveMode::Auto;
    MoreOptions m_options;
};

}  // namespace pixfold
