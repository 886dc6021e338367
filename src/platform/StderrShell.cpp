#include "platform/StderrShell.h"

#include <unistd.h>

#include "platform/ControlBytes.h"

namespace pixfold {

StderrShell::StderrShell(std::FILE* out) : m_out(out), m_terminal(isatty(fileno(out)) == 1) {}

int StderrShell::Message(const std::string& text, unsigned style, const std::string&, MsgOwner) {
    ++m_count;
    // A log says which file a message is about, when the text does not.
    std::string line = text;
    if (!Subject().empty() && text.find(Subject()) == std::string::npos) {
        line = Subject() + ": " + text;
    }
    if (m_terminal) {
        line = EscapeControlBytes(line, {false, false, true});
    }
    std::fputs(line.c_str(), m_out);
    if (line.empty() || line.back() != '\n') {
        std::fputc('\n', m_out);
    }
    std::fflush(m_out);
    if ((style & 0xF) == MB_YESNO) {
        return m_yes ? IDYES : IDNO;
    }
    return IDOK;
}

}  // namespace pixfold
