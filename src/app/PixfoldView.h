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
#include "catalog/ViewModel.h"
#include "catalog/ViewPrefs.h"
#include "fileops/FileOps.h"
#include "platform/SettingsStore.h"
#include "viewer/ImageHost.h"

namespace pixfold {

class CMainFrame;
class CPixfoldDoc;
class CFindFilesDlg;
class CImageWnd;

class CPixfoldView : public wxScrolledCanvas, public ImageHost {
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
    // What the grid shows, its preferences and the slide show's state.
    ViewModel& Model() { return m_model; }
    const ViewModel& Model() const { return m_model; }
    // Applies a confirmed Preferences dialog choice: stores it, rebuilds,
    // re-sorts and repaints as needed.
    PrefsEffect ApplyPrefsChoice(const PrefsChoice& choice);
    // The More Options dialog; OK stores the options and scans the folder
    // again when the thumbnails or the order depend on what changed.
    void OnMoreOptions();
    void ApplyMoreOptions(const MoreOptions& options);
    const MoreOptions& Options() const override { return m_model.m_options; }
    bool IsCommandEnabled(int commandId) const;
    const ScrollSizes& Scrolls() const { return m_scrolls; }
    CMainFrame* Frame() const { return m_pFrame; }
    CPixfoldDoc* GetDocument() const { return m_pDocument; }
    SettingsStore& Settings() const { return m_store; }

    // Members shared with the other parts of the program.
    CFindFilesDlg* m_pFindFDlg = nullptr;
    wxFont m_font;
    CImageWnd* m_pSlideWnd = nullptr;

    static SystemColors CurrentSystemColors();

    // Slide show.
    void OnStartSlideShow();
    void OnSlideTick();  // what timer 101 does
    // What image windows ask of the view.
    wxWindow* HostWindow() override { return this; }
    wxWindow* OwnerWindow() override;
    const ViewPrefs& Prefs() const override { return m_model.m_prefs; }
    void StopSlideTimer() override;
    void ToggleSlidePause() override;
    void ImageWindowGone(CImageWnd* wnd) override;
    const ThumbCatalog& Catalog() const override { return m_model.m_list; }
    bool StepSlideShow(CImageWnd* wnd, int step) override;
    void StopSlideShow();  // Escape in the view
    wxTimer& SlideTimer() { return m_slideTimer; }
    // Opens a window on the record, as a double click does.
    void OpenImageWindow(ThumbRecord* record);
    // A window on the record, the show's when slideShow; null (and the
    // user told) when it could not be made.
    CImageWnd* CreateImageWindow(ThumbRecord* record, bool slideShow);
    // Shows the show's next (step > 0) or previous picture at once.
    void StepSlideShow(int step);
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
    // Releases the catalogue and scans its folder again, after a message if asked.
    void Reload(bool showMessage);
    // Tests force the copying move that crosses file systems.
    void SetMoveMode(MoveMode mode) { m_moveMode = mode; }

    // Selects a record as a click does: both cells repainted, its details in
    // the status bar.
    void SelectRecord(ThumbRecord* record);
    // Scrolls as little as needed to bring the record's cell into view.
    void ScrollToRecord(const ThumbRecord& record);
    // Changes the pitch by size steps, stored and rebuilt as the Preferences
    // dialog does it.
    void StepPitch(int steps);
    // Pops the context menu up at a client point.
    void ShowContextMenu(const wxPoint& client);

    // The context menu (menu 133) with its items enabled as the state allows.
    std::unique_ptr<wxMenu> BuildContextMenu() const;
    // The context menu while it is up, else null.
    const wxMenu* ShownContextMenu() const { return m_contextMenu; }

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
    bool OnGridKey(const wxKeyEvent& event);
    void OnScrollStep(wxScrollWinEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnPitchWheel(const wxMouseEvent& event);
    void OnTimer(wxTimerEvent& event);
    void BindFileCommands();
    void RemoveAndRelayout(ThumbRecord* record);
    void RefreshCell(const ThumbRecord& record);

    // The context menu while it is up: its commands follow its own rule.
    const wxMenu* m_contextMenu = nullptr;
    ViewModel m_model;
    CMainFrame* m_pFrame;
    CPixfoldDoc* m_pDocument;
    SettingsStore& m_store;
    ScrollSizes m_scrolls;
    int m_wheelRotation = 0;
    int m_pitchRotation = 0;  // Ctrl+wheel
    wxTimer m_slideTimer;
    MoveMode m_moveMode = MoveMode::Auto;
};

}  // namespace pixfold
