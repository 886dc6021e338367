#include "app/PixfoldView.h"

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/settings.h>

#include "app/GridPrintout.h"
#include "app/MainFrame.h"
#include "app/PixfoldApp.h"
#include "app/PixfoldDoc.h"
#include "app/WxShell.h"
#include "catalog/SlideShow.h"
#include "catalog/ThumbCache.h"
#include "dialogs/PreferencesDialog.h"
#include "platform/TextUtil.h"
#include "platform/WxCanvas.h"
#include "platform/WxText.h"
#include "res/CommandIds.h"
#include "res/Menus.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

namespace pixfold {

SystemColors CPixfoldView::CurrentSystemColors() {
    return {FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)),
            FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT))};
}

CPixfoldView::CPixfoldView(wxWindow* parent, CMainFrame* frame, SettingsStore& store,
                           CPixfoldDoc& doc)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxVSCROLL | wxHSCROLL | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_pFrame(frame),
      m_pDocument(&doc),
      m_store(store),
      m_slideTimer(this, kSlideTimerId) {
    m_model.m_prefs = LoadViewPrefs(store, CurrentSystemColors());
    m_model.m_show.m_rand.Seed(GetTickCount());
    m_model.m_options = LoadMoreOptions(store);

    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    Bind(wxEVT_PAINT, &CPixfoldView::OnPaint, this);
    Bind(wxEVT_SIZE, &CPixfoldView::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &CPixfoldView::OnLeftDown, this);
    Bind(wxEVT_RIGHT_DOWN, &CPixfoldView::OnRightDown, this);
    Bind(wxEVT_MENU, &CPixfoldView::OnOpenFolder, this, res::ToWxId(res::ID_OPEN_FOLDER));
    Bind(wxEVT_MENU, &CPixfoldView::OnPreferences, this, res::ToWxId(res::ID_PREFERENCES));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnMoreOptions(); },
        res::ToWxId(res::ID_MORE_OPTIONS));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnStartSlideShow(); },
        res::ToWxId(res::ID_START_SLIDE_SHOW));
    Bind(wxEVT_LEFT_DCLICK, &CPixfoldView::OnLeftDClick, this);
    BindFileCommands();
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFilePrint(); }, wxID_PRINT);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFilePrint(); },
        res::ToWxId(res::ID_FILE_PRINT_DIRECT));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { OnFilePrintPreview(); }, wxID_PREVIEW);
    SetHelpText(
        "The thumbnails of the open folder. Click one to select it, double-click it to see "
        "the picture at full size, right-click for the commands.");
    Bind(wxEVT_KEY_DOWN, &CPixfoldView::OnKeyDown, this);
    for (const wxEventTypeTag<wxScrollWinEvent>& t :
         {wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP,
          wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM}) {
        Bind(t, &CPixfoldView::OnScrollStep, this);
    }
    Bind(wxEVT_MOUSEWHEEL, &CPixfoldView::OnWheel, this);
    Bind(wxEVT_TIMER, &CPixfoldView::OnTimer, this, kSlideTimerId);
    Bind(wxEVT_UPDATE_UI, &CPixfoldView::OnUpdateCommand, this, res::ToWxId(res::ID_PREFERENCES),
         res::ToWxId(res::ID_CLOSE_VIEW));
    Bind(wxEVT_UPDATE_UI, &CPixfoldView::OnUpdateCommand, this, res::ToWxId(res::ID_MORE_OPTIONS));
}

CPixfoldView::~CPixfoldView() {
    m_slideTimer.Stop();
    m_model.m_list.Clear();
    if (m_pFindFDlg) {
        Shell::Current().ProgressClose();
        m_pFindFDlg = nullptr;
    }
}

void CPixfoldView::OnInitialUpdate() {
    SetScrolls();
    m_font = CaptionFont();
    for (int pane = 1; pane <= 4; ++pane) {
        m_pFrame->SetStatusPane(pane, "     ");
    }
}

void CPixfoldView::SetScrolls() {
    const wxSize client = GetClientSize();
    m_scrolls = ComputeScrolls(m_model.m_list.size(), client.x, client.y, m_model.m_prefs.pitch,
                               m_model.m_nCols, m_model.m_nRows);
    // Positions in pixels, so that the end of the grid is reached exactly;
    // lines, pages and the wheel move by the grid's own sizes (OnScrollStep).
    SetScrollRate(1, 1);
    SetVirtualSize(m_scrolls.totalWidth, m_scrolls.totalHeight);
}

void CPixfoldView::OnScrollStep(wxScrollWinEvent& event) {
    const wxEventType t = event.GetEventType();
    const ScrollStep step = t == wxEVT_SCROLLWIN_LINEUP     ? ScrollStep::LineUp
                            : t == wxEVT_SCROLLWIN_LINEDOWN ? ScrollStep::LineDown
                            : t == wxEVT_SCROLLWIN_PAGEUP   ? ScrollStep::PageUp
                            : t == wxEVT_SCROLLWIN_PAGEDOWN ? ScrollStep::PageDown
                            : t == wxEVT_SCROLLWIN_TOP      ? ScrollStep::Top
                                                            : ScrollStep::Bottom;
    const wxPoint start = GetViewStart();
    const wxSize client = GetClientSize();
    const wxSize total = GetVirtualSize();
    if (event.GetOrientation() == wxVERTICAL) {
        Scroll(-1, NextScrollPosition(step, start.y, m_scrolls.lineHeight, m_scrolls.pageHeight,
                                      total.y, client.y));
    } else {
        Scroll(NextScrollPosition(step, start.x, m_scrolls.lineWidth, m_scrolls.pageWidth, total.x,
                                  client.x),
               -1);
    }
}

void CPixfoldView::OnWheel(wxMouseEvent& event) {
    if (event.ControlDown()) {
        OnPitchWheel(event);
        return;
    }
    const int notches = TakeWheelNotches(m_wheelRotation, event);
    if (notches == 0) {
        return;
    }
    // Turning the wheel away from the user scrolls towards the top.
    const int lines = -notches * event.GetLinesPerAction();
    const wxPoint start = GetViewStart();
    const wxSize client = GetClientSize();
    const wxSize total = GetVirtualSize();
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_VERTICAL) {
        Scroll(-1, WheelScrollPosition(lines, start.y, m_scrolls.lineHeight, m_scrolls.pageHeight,
                                       total.y, client.y));
    } else {
        Scroll(WheelScrollPosition(-lines, start.x, m_scrolls.lineWidth, m_scrolls.pageWidth,
                                   total.x, client.x),
               -1);
    }
}

void CPixfoldView::OnDraw(wxDC& dc, const wxRegion& update) {
    const wxSize client = GetClientSize();
    WxCanvas canvas(dc, m_font, update);
    PaintGrid(canvas, m_model.m_list, m_model.Look(), client.x, client.y, m_model.m_pSelected);
}

void CPixfoldView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    DoPrepareDC(dc);
    wxRegion update = GetUpdateRegion();
    const wxPoint origin = CalcUnscrolledPosition(wxPoint(0, 0));
    update.Offset(origin.x, origin.y);
    OnDraw(dc, update);
}

void CPixfoldView::OnSize(wxSizeEvent& event) {
    event.Skip();
    SetScrolls();
}

ThumbRecord* CPixfoldView::HitTest(const wxPoint& client, long& index) const {
    const wxPoint doc = CalcUnscrolledPosition(client);
    index = -1;
    if (m_model.m_list.empty()) {
        return nullptr;
    }
    return pixfold::HitTest(m_model.m_list, doc.x, doc.y, index);
}

void CPixfoldView::RefreshCell(const ThumbRecord& record) {
    const Rect& c = record.m_rcCell;
    const wxPoint topLeft = CalcScrolledPosition(wxPoint(c.left, c.top));
    RefreshRect(wxRect(topLeft, wxSize(c.right - c.left, c.bottom - c.top)), false);
}

void CPixfoldView::OnLeftDown(wxMouseEvent& event) {
    event.Skip();
    SetFocus();
    long index = -1;
    ThumbRecord* hit = HitTest(event.GetPosition(), index);
    if (!hit) {
        return;
    }
    SelectRecord(hit);
}

void CPixfoldView::SelectRecord(ThumbRecord* record) {
    if (m_model.m_pSelected) {
        RefreshCell(*m_model.m_pSelected);
    }
    m_model.m_pSelected = record;
    RefreshCell(*record);
    m_pFrame->SetStatusPane(1, record->m_strTitle);
    m_pFrame->SetStatusPane(2, record->m_strSize);
    m_pFrame->SetStatusPane(3, record->m_strDate);
    m_pFrame->SetStatusPane(4, record->m_strDim);
}

std::unique_ptr<wxMenu> CPixfoldView::BuildContextMenu() const {
    auto menu = std::make_unique<wxMenu>();
    for (const res::MenuEntry& e : res::kContextMenu) {
        if (e.kind == res::MenuKind::Item) {
            menu->Append(res::ToWxId(e.id), wxString::FromUTF8(e.text));
        } else if (e.kind == res::MenuKind::Separator) {
            menu->AppendSeparator();
        }
    }
    const ViewState s = State();
    for (const res::MenuEntry& e : res::kContextMenu) {
        if (e.kind == res::MenuKind::Item) {
            menu->Enable(res::ToWxId(e.id), IsContextMenuCommandEnabled(e.id, s));
        }
    }
    return menu;
}

void CPixfoldView::OnRightDown(wxMouseEvent& event) {
    event.Skip();
    ShowContextMenu(event.GetPosition());
}

void CPixfoldView::ShowContextMenu(const wxPoint& client) {
    std::unique_ptr<wxMenu> menu = BuildContextMenu();
    m_contextMenu = menu.get();
    PopupMenu(menu.get(), client);
    m_contextMenu = nullptr;
}

PrefsEffect CPixfoldView::ApplyPrefsChoice(const PrefsChoice& choice) {
    int& mru = TheApp().m_nMRUCount;
    const PrefsEffect effect = ApplyPreferences(m_model.m_prefs, mru, choice, m_store,
                                                CurrentSystemColors(), m_model.m_list.empty());
    if (effect.rebuild) {
        WaitCursor wait;
        BuildThumbnails(false);
    }
    if (effect.resort) {
        m_model.Sort();
    }
    if (effect.repaint) {
        Refresh();
    }
    return effect;
}

void CPixfoldView::OnPreferences(wxCommandEvent& event) {
    // Keys and the main menu offer it only without a slide show; the context
    // menu always does.
    const bool fromContextMenu = m_contextMenu && event.GetEventObject() == m_contextMenu;
    if (!fromContextMenu && !IsCommandEnabled(res::ID_PREFERENCES)) {
        return;
    }
    CPreferencesDialog dlg(this, m_store);
    dlg.m_nPitch = m_model.m_prefs.pitch;
    dlg.m_nPitchMin = 50;
    dlg.m_nPitchMax = GetClientSize().x;
    dlg.m_backColorButton->m_color = m_model.m_prefs.back;
    dlg.m_textColorButton->m_color = m_model.m_prefs.text;
    dlg.m_bUseDefaultColor = m_model.m_prefs.defaultColors;
    dlg.m_bShowDimensions = m_model.m_prefs.showDim;
    dlg.m_bShowFileName = m_model.m_prefs.showFileName;
    dlg.m_bShowFileSize = m_model.m_prefs.showFileSize;
    dlg.m_bShowFileDate = m_model.m_prefs.showFileDate;
    dlg.m_nSortOption = m_model.m_prefs.sortOption;
    dlg.m_nSortStyle = m_model.m_prefs.sortStyle;
    dlg.m_bRandomSlideShow = m_model.m_prefs.random;
    dlg.m_strSlideInterval = Format("%d", m_model.m_prefs.slideTime);
    dlg.m_strMRUCount = Format("%d", TheApp().m_nMRUCount);
    const int result = dlg.ShowModal();
    if (result != wxID_OK) {
        return;
    }
    PrefsChoice c;
    c.sliderPosition = dlg.m_nPitch;
    c.useDefaultColor = dlg.m_bUseDefaultColor;
    c.back = dlg.m_backColorButton->m_color;
    c.text = dlg.m_textColorButton->m_color;
    c.showDim = dlg.m_bShowDimensions;
    c.showFileName = dlg.m_bShowFileName;
    c.showFileSize = dlg.m_bShowFileSize;
    c.showFileDate = dlg.m_bShowFileDate;
    c.sortOption = dlg.m_nSortOption;
    c.sortStyle = dlg.m_nSortStyle;
    c.random = dlg.m_bRandomSlideShow;
    c.slideInterval = dlg.m_strSlideInterval;
    c.mruCount = dlg.m_strMRUCount;
    ApplyPrefsChoice(c);
}

ViewState CPixfoldView::State() const {
    return m_model.State(m_pSlideWnd != nullptr);
}

bool CPixfoldView::IsCommandEnabled(int id) const {
    return IsViewCommandEnabled(id, State());
}

void CPixfoldView::OnUpdateCommand(wxUpdateUIEvent& event) {
    const int id = res::FromWxId(event.GetId());
    if (!IsViewCommand(id)) {
        event.Skip();
        return;
    }
    const bool fromContextMenu = m_contextMenu && event.GetEventObject() == m_contextMenu;
    event.Enable(fromContextMenu ? IsContextMenuCommandEnabled(id, State()) : IsCommandEnabled(id));
}

void CPixfoldView::OnOpenFolder(wxCommandEvent&) {
    if (!IsCommandEnabled(res::ID_OPEN_FOLDER)) {
        return;
    }
    std::string folder;
    if (!Shell::Current().BrowseForFolder("Folder to search for JPGs", &folder)) {
        return;
    }
    m_pDocument->SetPathName(folder, true);
    OpenFolder(folder);
}

ScanSettings CPixfoldView::CurrentScanSettings() const {
    return m_model.CurrentScanSettings(CacheLimitFromSettings(m_store));
}

void CPixfoldView::BuildThumbnails(bool showProgress) {
    pixfold::BuildThumbnails(m_model.m_list, CurrentScanSettings(), showProgress);
    if (!m_model.m_list.empty()) {
        SetScrolls();
    }
}

void CPixfoldView::OpenFolder(std::string folder) {
    ScanHooks hooks;
    hooks.started = [this] {
        if (auto* wx = dynamic_cast<WxShell*>(&Shell::Current())) {
            m_pFindFDlg = wx->Progress();
        }
        m_model.m_pSelected = nullptr;
    };
    hooks.cleared = [this](const std::string& f) {
        m_pDocument->AddToRecentFileList(f);
        m_pFrame->SetTitle(ShownText("Pixfold - " + f));
    };
    // A message box during the scan lets the grid repaint behind it: in the
    // new folder's rows, with the thumbnails made so far.
    hooks.listed = [this] {
        SetScrolls();
        Refresh();
    };
    hooks.finished = [this](const ScanOutcome& outcome) {
        if (const std::string status = outcome.StatusText(); !status.empty()) {
            m_pFrame->SetStatusText(ShownText(status), 0);
        }
        // An emptied catalogue also gets its scroll sizes back to the empty grid's.
        SetScrolls();
        Refresh();
        m_pFindFDlg = nullptr;  // closed next
        // The progress window held the keyboard; the grid takes it back once
        // that window is gone.
        CallAfter([this] { SetFocus(); });
    };
    pixfold::OpenFolder(m_model.m_list, std::move(folder), CurrentScanSettings(), hooks);
}

void CPixfoldView::RemoveRecord(ThumbRecord* record) {
    m_model.Remove(record);
    if (m_model.m_list.empty() && m_pSlideWnd) {
        StopSlideShow();
    }
}

void CPixfoldView::OnFilePrint() {
    static wxPrintDialogData data;
    wxPrinter printer(&data);
    CGridPrintout printout(this);
    if (!printer.Print(this, &printout, true) && wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        Shell::Current().AppMessage("The grid could not be printed.");
    }
    data = printer.GetPrintDialogData();
}

void CPixfoldView::OnFilePrintPreview() {
    auto* preview = new wxPrintPreview(new CGridPrintout(this), new CGridPrintout(this));
    if (!preview->IsOk()) {
        delete preview;
        Shell::Current().AppMessage("There is no printer to preview for.");
        return;
    }
    auto* frame = new wxPreviewFrame(preview, m_pFrame, "Pixfold Print Preview");
    frame->Initialize();
    frame->Show();
}

}  // namespace pixfold
