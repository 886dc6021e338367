#include "platform/Shell.h"

#include <atomic>

namespace pixfold {

namespace {

// Shows nothing: the state before any shell is installed.
class SilentShell final : public QuietShell {};

SilentShell g_silent;
std::atomic<Shell*> g_current{&g_silent};
thread_local Shell* t_threadShell = nullptr;

}  // namespace

Shell& Shell::Current() {
    return t_threadShell ? *t_threadShell : *g_current.load(std::memory_order_acquire);
}

Shell* Shell::Install(Shell* shell) {
    return g_current.exchange(shell ? shell : &g_silent, std::memory_order_acq_rel);
}

ThreadShellScope::ThreadShellScope(Shell& shell) : m_prev(t_threadShell) {
    t_threadShell = &shell;
}

ThreadShellScope::~ThreadShellScope() {
    t_threadShell = m_prev;
}

int MessageLog::Message(const std::string& text, unsigned style, const std::string& caption,
                        MsgOwner owner) {
    if ((style & 0xF) != MB_OK) {
        return QuietShell::Message(text, style, caption, owner);
    }
    m_boxes.push_back({text, style, caption, owner, Subject()});
    return IDOK;
}

void MessageLog::Replay() {
    for (const Box& box : m_boxes) {
        MessageSubject subject(box.subject);
        Shell::Current().Message(box.text, box.style, box.caption, box.owner);
    }
    m_boxes.clear();
}

}  // namespace pixfold
