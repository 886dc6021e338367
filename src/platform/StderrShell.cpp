#include "platform/StderrShell.h"

namespace pixfold {

int StderrShell::Message(const std::string& text, unsigned style, const std::string&, MsgOwner) {
    ++m_count;
    std::fputs(text.c_str(), m_out);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', m_out);
    }
    std::fflush(m_out);
    if ((style & 0xF) == MB_YESNO) {
        return m_yes ? IDYES : IDNO;
    }
    return IDOK;
}

}  // namespace pixfold
