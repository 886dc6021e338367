#pragma once
// The batch command's shell: every message box becomes one line (or block) on
// standard error, naming the file it is about; yes/no questions are answered
// by a fixed policy. On a terminal, control bytes are shown escaped.

#include <cstdio>

#include "platform/Shell.h"

namespace pixfold {

class StderrShell : public QuietShell {
  public:
    explicit StderrShell(std::FILE* out = stderr);

    int Message(const std::string& text, unsigned style, const std::string& caption,
                MsgOwner owner) override;
    int AskWarning(const std::string& message, bool* dontShow) override {
        *dontShow = false;
        return Message(message, MB_YESNO, kAppTitle, MsgOwner::App);
    }

    int MessageCount() const { return m_count; }
    void SetYesAnswer(bool yes) { m_yes = yes; }

  private:
    std::FILE* m_out;
    bool m_terminal;
    int m_count = 0;
    bool m_yes = false;
};

}  // namespace pixfold
