#pragma once
// The shell as the program shows it: wx message boxes, choosers, the progress
// window of a folder scan, the busy cursor and the desktop's opener.

#include <wx/window.h>

#include <chrono>
#include <memory>

#include "platform/Shell.h"

class wxWindowDisabler;

namespace pixfold {

class CFindFilesDlg;

class WxShell final : public Shell {
  public:
    ~WxShell() override;

    // Owner of application boxes and parent of the progress window.
    void SetMainWindow(wxWindow* window) { m_main = window; }
    void SetProgressParent(wxWindow* window) { m_progressParent = window; }

    int Message(const std::string& text, unsigned style, const std::string& caption,
                MsgOwner owner) override;
    void ProgressOpen(const std::string& text) override;
    void ProgressText(const std::string& text) override;
    void ProgressCaption(const std::string& caption) override;
    void ProgressClose() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool OpenWithSystem(const std::string& pathOrUrl) override;
    void ContextHelp() override;
    void Beep() override;
    bool BrowseForFolder(const std::string& title, std::string* folder) override;
    bool ChooseFileToOpen(std::string* path) override;
    bool ChooseSaveAs(const SaveAsRequest& request, std::string* path) override;
    bool ChooseColor(uint32_t initial, uint32_t* chosen) override;
    int AskWarning(const std::string& message, bool* dontShow) override;
    void KeepAlive() override { Repaint(false); }
    void ProgressCount(size_t current, size_t total) override;
    bool ProgressCancelled() override;

    CFindFilesDlg* Progress() const { return m_progress; }

  private:
    // Lets the progress window paint: at once, or when it last did so a
    // while ago (painting after every file of a scan costs more than the files).
    void Repaint(bool now);

    std::chrono::steady_clock::time_point m_lastRepaint{};

    wxWindow* m_main = nullptr;
    wxWindow* m_progressParent = nullptr;
    CFindFilesDlg* m_progress = nullptr;
    // While the progress window is up, input reaches it alone (its Cancel).
    std::unique_ptr<wxWindowDisabler> m_disabler;
};

// A chooser filter as the program's tables write it ("A|*.a| B|*.b||"), in
// the form wx takes.
wxString ToWxFilter(const std::string& filter);

// Message-box style bits to wx style bits.
long ToWxStyle(unsigned style, MsgOwner owner);

}  // namespace pixfold
