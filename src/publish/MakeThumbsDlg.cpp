#include "publish/MakeThumbsDlg.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "fileops/FileOps.h"
#include "platform/SameFolder.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"
#include "platform/WxText.h"
#include "publish/Publish.h"
#include "res/Settings.h"

namespace pixfold {

using namespace res;

std::string RangePrompt(unsigned low, unsigned high) {
    return Format("Please enter an integer between %u and %u.", low, high);
}

namespace {

constexpr const char* kOverwriteQuestion =
    "You are about to overwrite your original JPEGs.\nYour original images will be destroyed."
    "\n\nAre you sure you want to do this?";

template <typename T>
T* As(wxWindow* w) {
    return dynamic_cast<T*>(w);
}

// Reads an unsigned number field: digits only (blanks around them allowed),
// within the range.
bool ParseUnsigned(const std::string& text, unsigned low, unsigned high, unsigned* out) {
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const unsigned long v = std::stoul(t);
    if (v < low || v > high) {
        return false;
    }
    *out = static_cast<unsigned>(v);
    return true;
}

}  // namespace

CMakeThumbsDlg::CMakeThumbsDlg(wxWindow* parent, SettingsStore& store, std::string imagesFolder,
                               bool hasSelection)
    : wxDialog(parent, IDD_MAKE_THUMBS, wxString::FromUTF8(kMakeThumbsDialog.caption),
               wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      m_store(store),
      m_imagesFolder(std::move(imagesFolder)),
      m_selectionAtOpen(hasSelection) {
    m_builder = std::make_unique<DialogBuilder>(*this, kMakeThumbsDialog);
    SetAffirmativeId(IDOK_BUTTON);
    SetEscapeId(IDCANCEL_BUTTON);
    auto on = [this](int id, void (CMakeThumbsDlg::*handler)()) {
        Bind(
            id == IDC_ORIGINAL_NAME                                   ? wxEVT_RADIOBUTTON
            : (id == IDC_HTML || id == IDC_TABLE || id == IDC_DO_ALL) ? wxEVT_CHECKBOX
                                                                      : wxEVT_BUTTON,
            [this, handler](wxCommandEvent&) { (this->*handler)(); }, id);
    };
    on(IDC_HTML, &CMakeThumbsDlg::OnHtmlClicked);
    on(IDC_BROWSE_HTML, &CMakeThumbsDlg::OnBrowseHtml);
    on(IDC_TABLE, &CMakeThumbsDlg::OnTableClicked);
    on(IDC_DO_ALL, &CMakeThumbsDlg::OnDoAllClicked);
    on(IDC_BROWSE_FOLDER, &CMakeThumbsDlg::OnBrowseFolder);
    on(IDC_ORIGINAL_NAME, &CMakeThumbsDlg::OnOriginalNameClicked);
    on(IDC_SYNC_FOLDERS, &CMakeThumbsDlg::OnSyncFolders);
    on(IDOK_BUTTON, &CMakeThumbsDlg::OnOK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Finish(wxID_CANCEL); }, IDCANCEL_BUTTON);
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent&) {
        TransferDataToWindow();
        OnInitDialogState();
    });
    CentreOnParent();
}

bool CMakeThumbsDlg::TransferDataToWindow() {
    As<wxTextCtrl>(Control(IDC_SIZE_LIMIT))->ChangeValue(Format("%u", m_nSizeLimit));
    As<wxCheckBox>(Control(IDC_HTML))->SetValue(m_bHtml != 0);
    const int radio[] = {IDC_APPEND_TN, IDC_PREPEND_TN, IDC_ORIGINAL_NAME};
    if (m_nPrepend >= 0 && m_nPrepend <= 2) {
        As<wxRadioButton>(Control(radio[m_nPrepend]))->SetValue(true);
    }
    As<wxCheckBox>(Control(IDC_HREF))->SetValue(m_bHref != 0);
    As<wxTextCtrl>(Control(IDC_HTML_PATH))->ChangeValue(PathToWx(m_strHtmlPath));
    As<wxCheckBox>(Control(IDC_DO_ALL))->SetValue(m_bDoAll != 0);
    As<wxTextCtrl>(Control(IDC_ROW_COUNT))->ChangeValue(Format("%u", m_nRowCount));
    As<wxCheckBox>(Control(IDC_TABLE))->SetValue(m_bTable != 0);
    As<wxTextCtrl>(Control(IDC_THUMB_FOLDER))->ChangeValue(PathToWx(m_strThumbFolder));
    return true;
}

bool CMakeThumbsDlg::TransferDataFromWindow() {
    // In the exchange order; the first invalid field stops the exchange.
    auto* size = As<wxTextCtrl>(Control(IDC_SIZE_LIMIT));
    if (!ParseUnsigned(size->GetValue().utf8_string(), kMinSizeLimit, kMaxSizeLimit,
                       &m_nSizeLimit)) {
        Shell::Current().AppMessage(RangePrompt(kMinSizeLimit, kMaxSizeLimit));
        size->SetFocus();
        size->SelectAll();
        return false;
    }
    m_bHtml = As<wxCheckBox>(Control(IDC_HTML))->GetValue() ? 1 : 0;
    m_nPrepend = As<wxRadioButton>(Control(IDC_ORIGINAL_NAME))->GetValue() ? 2
                 : As<wxRadioButton>(Control(IDC_PREPEND_TN))->GetValue()  ? 1
                                                                           : 0;
    m_bHref = As<wxCheckBox>(Control(IDC_HREF))->GetValue() ? 1 : 0;
    m_strHtmlPath = PathFromWx(As<wxTextCtrl>(Control(IDC_HTML_PATH))->GetValue());
    m_bDoAll = As<wxCheckBox>(Control(IDC_DO_ALL))->GetValue() ? 1 : 0;
    auto* rows = As<wxTextCtrl>(Control(IDC_ROW_COUNT));
    if (!ParseUnsigned(rows->GetValue().utf8_string(), res::kRowCount.min, res::kRowCount.max,
                       &m_nRowCount)) {
        Shell::Current().AppMessage(RangePrompt(res::kRowCount.min, res::kRowCount.max));
        rows->SetFocus();
        rows->SelectAll();
        return false;
    }
    m_bTable = As<wxCheckBox>(Control(IDC_TABLE))->GetValue() ? 1 : 0;
    m_strThumbFolder = PathFromWx(As<wxTextCtrl>(Control(IDC_THUMB_FOLDER))->GetValue());
    return true;
}

void CMakeThumbsDlg::EnableIds(std::initializer_list<int> ids, bool enable) {
    for (int id : ids) {
        Control(id)->Enable(enable);
    }
}

void CMakeThumbsDlg::OnInitDialogState() {
    m_bOverwriteApproved = 0;
    EnableIds({IDC_HREF, IDC_HTML_PATH, IDC_BROWSE_HTML, IDC_TABLE, IDC_SYNC_FOLDERS,
               IDC_HTML_PATH_LABEL},
              m_bHtml != 0);
    EnableIds({IDC_ROW_COUNT, IDC_ROWS_LABEL}, m_bTable != 0);
    if (m_selectionAtOpen) {
        m_bHasSelection = 1;
    } else {
        // Without a selection every image is processed; the box is hidden but ticked.
        Control(IDC_DO_ALL)->Hide();
        m_bHasSelection = 0;
        m_bDoAll = 1;
        As<wxCheckBox>(Control(IDC_DO_ALL))->SetValue(true);
    }
}

void CMakeThumbsDlg::OnHtmlClicked() {
    TransferDataFromWindow();
    EnableIds({IDC_HREF, IDC_HTML_PATH, IDC_BROWSE_HTML, IDC_TABLE, IDC_SYNC_FOLDERS,
               IDC_HTML_PATH_LABEL},
              m_bHtml != 0);
    EnableIds({IDC_ROW_COUNT, IDC_ROWS_LABEL}, m_bTable && m_bHtml);
}

void CMakeThumbsDlg::OnTableClicked() {
    TransferDataFromWindow();
    EnableIds({IDC_ROW_COUNT, IDC_ROWS_LABEL}, m_bTable != 0);
}

void CMakeThumbsDlg::OnDoAllClicked() {
    TransferDataFromWindow();
    if (m_bHasSelection) {
        EnableIds({IDC_TABLE}, m_bDoAll != 0);
        EnableIds({IDC_ROW_COUNT, IDC_ROWS_LABEL}, m_bDoAll && m_bTable);
    }
}

void CMakeThumbsDlg::OnBrowseHtml() {
    Shell::SaveAsRequest request;
    request.initialPath = m_strHtmlPath;
    request.defaultExt = "htm";
    request.filter =
        "Htm Files (*.htm)|*.htm|Html Files (*.html)|*.html|Text Files (*.txt)|*.txt|All Files "
        "(*.*)|*.*||";
    request.overwritePrompt = true;
    request.changeFolder = true;
    std::string chosen;
    if (Shell::Current().ChooseSaveAs(request, &chosen)) {
        m_strHtmlPath = chosen;
        TransferDataToWindow();
    }
}

void CMakeThumbsDlg::OnBrowseFolder() {
    std::string folder;
    if (Shell::Current().BrowseForFolder("Folder to search for JPGs", &folder)) {
        m_strThumbFolder = folder;
        TransferDataToWindow();
    }
}

void CMakeThumbsDlg::OnSyncFolders() {
    TransferDataFromWindow();
    if (m_strThumbFolder.empty()) {
        Shell::Current().AppMessage("First, please specify a Folder for the ThumbNails.");
    } else {
        const std::string::size_type slash = m_strHtmlPath.rfind('/');
        std::string name =
            slash == std::string::npos ? m_strHtmlPath : m_strHtmlPath.substr(slash + 1);
        if (m_strHtmlPath.empty()) {
            name = "temp.html";
        }
        m_strHtmlPath = m_strThumbFolder + "/" + name;
    }
    TransferDataToWindow();
}

bool CMakeThumbsDlg::CheckOverwrite() {
    // The suppressed warning counts as agreed to.
    if (m_store.Get(res::kNoOverDlg) != 0) {
        m_bOverwriteApproved = 1;
        return true;
    }
    // Any spelling of the images' folder (a link, "/pics/.", a relative path)
    // is that folder; letter case makes another one.
    if (!IsSameFolder(m_imagesFolder, m_strThumbFolder)) {
        return true;
    }
    // Asked every time here: the suppress value was read above.
    if (!ConfirmWithSuppress(m_store, res::kNoOverDlg, kOverwriteQuestion)) {
        return false;
    }
    m_bOverwriteApproved = 1;
    return true;
}

void CMakeThumbsDlg::OnOriginalNameClicked() {
    TransferDataFromWindow();
    // Approval is given only by agreeing to overwrite: a click while another
    // folder was named approves nothing, so OK checks again.
    if (!m_bOverwriteApproved && !CheckOverwrite()) {
        m_nPrepend = 0;
        TransferDataToWindow();
    }
}

void CMakeThumbsDlg::OnOK() {
    if (!TransferDataFromWindow()) {
        return;
    }
    if (m_nPrepend != 2 || m_bOverwriteApproved || CheckOverwrite()) {
        if (TransferDataFromWindow()) {
            Finish(wxID_OK);
        }
    }
}

void CMakeThumbsDlg::Finish(int code) {
    if (IsModal()) {
        EndModal(code);
    } else {
        SetReturnCode(code);
    }
}

}  // namespace pixfold
