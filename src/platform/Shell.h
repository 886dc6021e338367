#pragma once
// The one door through which the core talks to the user: message boxes,
// progress text and the wait cursor. The program installs a wx implementation,
// the tests a recording one, the batch command one that writes to stderr.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pixfold {

// Message box styles, with their customary values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};

// Answers.
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Who owns a box: the main window (application box), nobody, or whatever
// window is active at that moment.
enum class MsgOwner { App, None, Active };

// The application title, caption of every application message box.
inline constexpr const char* kAppTitle = "Pixfold";

class Shell {
  public:
    virtual ~Shell() = default;

    // Shows a message box; returns the button pressed (IDOK, IDYES, ...).
    virtual int Message(const std::string& text, unsigned style, const std::string& caption,
                        MsgOwner owner) = 0;

    // Progress window of a folder scan.
    virtual void ProgressOpen(const std::string& text) = 0;
    virtual void ProgressText(const std::string& text) = 0;
    virtual void ProgressCaption(const std::string& caption) = 0;
    virtual void ProgressClose() = 0;

    // Hourglass; calls nest.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Opens a file or address with the program the desktop associates with it.
    virtual bool OpenWithSystem(const std::string& pathOrUrl) = 0;

    // The default beep.
    virtual void Beep() = 0;

    // The "what is this?" mode: the pointer becomes a question mark and the
    // next click shows the help of the window under it.
    virtual void ContextHelp() {}

    // Folder browser; false when cancelled.
    virtual bool BrowseForFolder(const std::string& title, std::string* folder) = 0;

    // The standard open-file box; false when cancelled.
    virtual bool ChooseFileToOpen(std::string* path) = 0;

    struct SaveAsRequest {
        std::string title;  // empty: the toolkit's
        std::string initialPath;
        std::string defaultExt;  // without the dot
        std::string filter;      // "Name|*.ext|..." pairs
        bool overwritePrompt = false;
        // The working folder becomes the chosen file's folder, as the
        // system choosers did: files written by name alone (details.txt)
        // follow the folder last used.
        bool changeFolder = false;
    };
    // Save-As chooser; false when cancelled.
    virtual bool ChooseSaveAs(const SaveAsRequest& request, std::string* path) = 0;

    // The yes/no warning with a "don't show again" box (CWarningDlg);
    // returns IDYES or IDNO and sets *dontShow to the box's state on Yes.
    virtual int AskWarning(const std::string& message, bool* dontShow) = 0;

    // The system colour dialog with its custom colours open (0x00BBGGRR);
    // false when cancelled.
    virtual bool ChooseColor(uint32_t initial, uint32_t* chosen) = 0;

    // The application box: caption "Pixfold", owned by the main window.
    int AppMessage(const std::string& text, unsigned style = MB_OK) {
        return Message(text, style, kAppTitle, MsgOwner::App);
    }

    // The shell the core reports through; never null (a silent one by default).
    // A thread that installed one of its own (ThreadShellScope) reports there.
    static Shell& Current();
    static Shell* Install(Shell* shell);  // returns the previous one

    // Lets a window that shows progress repaint while the caller waits for
    // work done elsewhere; nothing by default.
    virtual void KeepAlive() {}

    // The progress window's count of files, and whether its Cancel was
    // pressed; a shell without one counts nothing and is never cancelled.
    virtual void ProgressCount(size_t /*current*/, size_t /*total*/) {}
    virtual bool ProgressCancelled() { return false; }

    // The file the messages shown meanwhile are about (see MessageSubject);
    // a shell that writes a log may name it, a window shows the texts as they are.
    const std::string& Subject() const { return m_subject; }
    std::string SetSubject(std::string path) {
        std::swap(m_subject, path);
        return path;
    }

  private:
    std::string m_subject;
};

// A shell that shows nothing and declines every question and chooser; the
// base of shells that only report (the batch command's).
class QuietShell : public Shell {
  public:
    int Message(const std::string&, unsigned style, const std::string&, MsgOwner) override {
        return (style & 0xF) == MB_YESNO ? IDNO : IDOK;
    }
    void ProgressOpen(const std::string&) override {}
    void ProgressText(const std::string&) override {}
    void ProgressCaption(const std::string&) override {}
    void ProgressClose() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool OpenWithSystem(const std::string&) override { return false; }
    void Beep() override {}
    bool BrowseForFolder(const std::string&, std::string*) override { return false; }
    bool ChooseFileToOpen(std::string*) override { return false; }
    bool ChooseSaveAs(const SaveAsRequest&, std::string*) override { return false; }
    bool ChooseColor(uint32_t, uint32_t*) override { return false; }
    int AskWarning(const std::string&, bool* dontShow) override {
        *dontShow = false;
        return IDNO;
    }
};

// Installs a shell for the lifetime of a scope.
class ShellScope {
  public:
    explicit ShellScope(Shell& shell) : m_prev(Shell::Install(&shell)) {}
    ~ShellScope() { Shell::Install(m_prev); }
    ShellScope(const ShellScope&) = delete;
    ShellScope& operator=(const ShellScope&) = delete;

  private:
    Shell* m_prev;
};

// Gives the calling thread a shell of its own for the length of a scope:
// Shell::Current() there answers with it, other threads are unaffected.
class ThreadShellScope {
  public:
    explicit ThreadShellScope(Shell& shell);
    ~ThreadShellScope();
    ThreadShellScope(const ThreadShellScope&) = delete;
    ThreadShellScope& operator=(const ThreadShellScope&) = delete;

  private:
    Shell* m_prev;
};

// A worker's shell: keeps the message boxes of its work, with the file each
// was about, to be shown later by the interface thread in the order the work
// was given. Only OK boxes are kept for later (nothing can depend on their
// answer); every other question and chooser is declined.
class MessageLog : public QuietShell {
  public:
    struct Box {
        std::string text;
        unsigned style = 0;
        std::string caption;
        MsgOwner owner = MsgOwner::App;
        std::string subject;
    };
    int Message(const std::string& text, unsigned style, const std::string& caption,
                MsgOwner owner) override;
    bool Empty() const { return m_boxes.empty(); }
    // Shows every kept box through the calling thread's shell, in order, each
    // with its file named as it was; then forgets them.
    void Replay();

  private:
    std::vector<Box> m_boxes;
};

// Names the file that messages are about for the length of a scope.
class MessageSubject {
  public:
    explicit MessageSubject(const std::string& path)
        : m_shell(Shell::Current()), m_prev(m_shell.SetSubject(path)) {}
    ~MessageSubject() { m_shell.SetSubject(m_prev); }
    MessageSubject(const MessageSubject&) = delete;
    MessageSubject& operator=(const MessageSubject&) = delete;

  private:
    Shell& m_shell;
    std::string m_prev;
};

class WaitCursor {
  public:
    WaitCursor() { Shell::Current().BeginWaitCursor(); }
    ~WaitCursor() { Shell::Current().EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace pixfold
