#include "app/WxShell.h"

#include <unistd.h>

#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/colordlg.h>
#include <wx/cshelp.h>
#include <wx/dirdlg.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "catalog/FindFilesDlg.h"
#include "fileops/WarningDlg.h"
#include "platform/WxText.h"

namespace pixfold {

WxShell::~WxShell() {
    ProgressClose();
}

long ToWxStyle(unsigned style, MsgOwner owner) {
    long wx = (style & 0xF) == MB_YESNO ? wxYES_NO
                                        : ((style & 0xF) == MB_OKCANCEL ? wxOK | wxCANCEL : wxOK);
    switch (style & 0xF0) {
        case MB_ICONERROR:
            wx |= wxICON_ERROR;
            break;
        case MB_ICONQUESTION:
            wx |= wxICON_QUESTION;
            break;
        case MB_ICONEXCLAMATION:
            wx |= wxICON_EXCLAMATION;
            break;
        case MB_ICONINFORMATION:
            wx |= wxICON_INFORMATION;
            break;
        default:
            // An application OK box without an icon gets the exclamation mark,
            // as the application boxes always did; system boxes stay plain.
            wx |= (owner == MsgOwner::App && (style & 0xF) == MB_OK) ? wxICON_EXCLAMATION
                                                                     : wxICON_NONE;
            break;
    }
    return wx;
}

int WxShell::Message(const std::string& text, unsigned style, const std::string& caption,
                     MsgOwner owner) {
    wxWindow* parent = nullptr;
    if (owner == MsgOwner::App) {
        parent = m_main;
    } else if (owner == MsgOwner::Active) {
        parent = wxGetActiveWindow();
    }
    wxBusyCursorSuspender noBusy;
    const int answer =
        wxMessageBox(ShownText(text), ShownText(caption), ToWxStyle(style, owner), parent);
    switch (answer) {
        case wxYES:
            return IDYES;
        case wxNO:
            return IDNO;
        case wxCANCEL:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

void WxShell::Repaint(bool now) {
    // Drawing and input events are dispatched, input only to the progress
    // window (every other window is disabled): no timers, no queued calls and
    // no other command run in the middle of a scan.
    if (!m_progress) {
        return;
    }
    const auto time = std::chrono::steady_clock::now();
    if (!now && time - m_lastRepaint < std::chrono::milliseconds(50)) {
        return;
    }
    m_lastRepaint = time;
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
    } else {
        wxGUIEventLoop temporary;
        wxEventLoopActivator activate(&temporary);
        temporary.YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
    }
    if (m_progress) {
        m_progress->Update();
    }
}

void WxShell::ProgressOpen(const std::string& text) {
    ProgressClose();
    m_progress = new CFindFilesDlg();
    if (!m_progress->Create(m_progressParent ? m_progressParent : m_main)) {
        m_progress->Destroy();
        m_progress = nullptr;
        return;
    }
    // Destroyed with its parent window too: forget it then.
    m_progress->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == m_progress) {
            m_progress = nullptr;
            m_disabler.reset();
        }
        e.Skip();
    });
    m_disabler = std::make_unique<wxWindowDisabler>(m_progress);
    m_progress->m_strText = text;
    m_progress->TransferDataToWindow();
    Repaint(true);
}

void WxShell::ProgressText(const std::string& text) {
    if (m_progress) {
        m_progress->m_strText = text;
        m_progress->TransferDataToWindow();
        Repaint(false);
    }
}

void WxShell::ProgressCaption(const std::string& caption) {
    if (m_progress) {
        m_progress->SetTitle(ShownText(caption));
        Repaint(true);
    }
}

void WxShell::ProgressCount(size_t current, size_t total) {
    if (m_progress) {
        m_progress->SetCount(current, total);
    }
}

bool WxShell::ProgressCancelled() {
    return m_progress && m_progress->m_bCancelled;
}

void WxShell::ProgressClose() {
    m_disabler.reset();
    if (m_progress) {
        m_progress->Destroy();
        m_progress = nullptr;
    }
}

void WxShell::BeginWaitCursor() {
    wxBeginBusyCursor();
}

void WxShell::EndWaitCursor() {
    wxEndBusyCursor();
}

bool WxShell::OpenWithSystem(const std::string& target) {
    const wxString t = PathToWx(target);
    if (target.rfind("http:", 0) == 0 || target.rfind("https:", 0) == 0 ||
        target.rfind("mailto:", 0) == 0 || target.rfind("file:", 0) == 0) {
        return wxLaunchDefaultBrowser(t);
    }
    return wxLaunchDefaultApplication(t);
}

void WxShell::ContextHelp() {
    wxContextHelp help(m_main, true);
}

void WxShell::Beep() {
    wxBell();
}

bool WxShell::BrowseForFolder(const std::string& title, std::string* folder) {
    wxDirDialog dlg(m_main, ShownText(title), wxEmptyString,
                    wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dlg.ShowModal() != wxID_OK) {
        return false;
    }
    const std::string chosen = AcceptedPath(dlg, dlg.GetPath(), false);
    if (chosen.empty()) {
        return false;
    }
    *folder = chosen;
    return true;
}

bool WxShell::ChooseFileToOpen(std::string* path) {
    wxFileDialog dlg(m_main, "Open", wxEmptyString, wxEmptyString, "All Files (*.*)|*",
                     wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dlg.ShowModal() != wxID_OK) {
        return false;
    }
    *path = AcceptedPath(dlg, dlg.GetPath(), false);
    return !path->empty();
}

namespace {

// Chooser patterns match names whatever their letter case, as the folder
// scan does: "*.*" is every file, and "*.jpg" also matches "A.JPG" (the
// toolkit's own patterns tell case apart).
wxString PatternIgnoringCase(const wxString& patterns) {
    wxString out;
    for (const wxString& p : wxSplit(patterns, ';', '\0')) {
        wxString variants = p == "*.*" ? wxString("*") : p;
        if (p != "*.*" && p.Upper() != p) {
            variants += ";" + p.Upper();
        }
        out += (out.empty() ? "" : ";") + variants;
    }
    return out;
}

}  // namespace

wxString ToWxFilter(const std::string& filter) {
    // "Name|*.x| Other|*.*||": the toolkit wants no empty pair at the end and
    // no blanks around the bars. Descriptions are shown as written.
    wxString f = wxString::FromUTF8(filter);
    while (f.EndsWith("|")) {
        f.RemoveLast();
    }
    wxString out;
    bool pattern = false;
    for (const wxString& part : wxSplit(f, '|', '\0')) {
        const wxString trimmed = wxString(part).Trim(true).Trim(false);
        out += (out.empty() ? "" : "|") + (pattern ? PatternIgnoringCase(trimmed) : trimmed);
        pattern = !pattern;
    }
    return out;
}

int WxShell::AskWarning(const std::string& message, bool* dontShow) {
    CWarningDlg dlg(wxGetActiveWindow() ? wxGetActiveWindow() : m_main);
    dlg.m_strMessage = message;
    wxBusyCursorSuspender noBusy;
    if (dlg.ShowModal() != wxID_OK) {
        *dontShow = false;
        return IDNO;
    }
    *dontShow = dlg.m_bDontShow != 0;
    return IDYES;
}

bool WxShell::ChooseColor(uint32_t initial, uint32_t* chosen) {
    // One set of custom colours for the whole run, as the colour dialog keeps them.
    static wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(wxColour(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF));
    wxColourDialog dlg(wxGetActiveWindow() ? wxGetActiveWindow() : m_main, &data);
    if (dlg.ShowModal() != wxID_OK) {
        data = dlg.GetColourData();
        return false;
    }
    data = dlg.GetColourData();
    const wxColour c = data.GetColour();
    *chosen = uint32_t{c.Red()} | (uint32_t{c.Green()} << 8) | (uint32_t{c.Blue()} << 16);
    return true;
}

bool WxShell::ChooseSaveAs(const SaveAsRequest& request, std::string* path) {
    // The initial path's folder and name, as bytes. A bare name is in the
    // working folder.
    const std::string& initial = request.initialPath;
    const size_t slash = initial.rfind('/');
    const std::string dir = slash == std::string::npos ? "."
                            : slash == 0               ? "/"
                                                       : initial.substr(0, slash);
    const std::string name = slash == std::string::npos ? initial : initial.substr(slash + 1);
    wxFileDialog dlg(m_main, request.title.empty() ? wxString("Save As") : ShownText(request.title),
                     PathToWx(dir), wxEmptyString, ToWxFilter(request.filter),
                     wxFD_SAVE | (request.overwritePrompt ? wxFD_OVERWRITE_PROMPT : 0));
    // Given to the constructor, the name would reach the chooser's name field
    // as raw bytes, which it refuses unless they are UTF-8.
    if (!name.empty()) {
        dlg.SetFilename(PathToWx(name));
    }
    if (dlg.ShowModal() != wxID_OK) {
        return false;
    }
    std::string chosen = AcceptedPath(dlg, dlg.GetPath(), true);
    if (chosen.empty()) {
        return false;
    }
    // The chooser adds the default extension to a name typed without one.
    const size_t base = chosen.rfind('/') + 1;  // 0 without a slash
    const size_t dot = chosen.rfind('.');
    if (!request.defaultExt.empty() &&
        (dot == std::string::npos || dot <= base || dot + 1 == chosen.size())) {
        chosen += "." + request.defaultExt;
    }
    *path = chosen;
    if (request.changeFolder) {
        // As a chooser that changes the working folder: a later details.txt
        // lands in the folder used last.
        const std::string folder = chosen.substr(0, chosen.rfind('/') + 1);
        if (!folder.empty() && chdir(folder.c_str()) != 0) {
            // Staying in the old working folder is harmless.
        }
    }
    return true;
}

}  // namespace pixfold
