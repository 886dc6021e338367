#include "platform/Shell.h"

namespace pixfold {

namespace {

// Answers OK to everything and shows nothing: the state before any shell is installed.
class SilentShell final : public Shell {
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
    int AskWarning(const std::string&, bool*) override { return IDNO; }
};

SilentShell g_silent;
Shell* g_current = &g_silent;

}  // namespace

Shell& Shell::Current() { return *g_current; }

Shell* Shell::Install(Shell* shell) {
    Shell* prev = g_current;
    g_current = shell ? shell : &g_silent;
    return prev;
}

}  // namespace pixfold
