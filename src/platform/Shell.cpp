#include "platform/Shell.h"

namespace pixfold {

namespace {

// Shows nothing: the state before any shell is installed.
class SilentShell final : public QuietShell {};

SilentShell g_silent;
Shell* g_current = &g_silent;

}  // namespace

Shell& Shell::Current() {
    return *g_current;
}

Shell* Shell::Install(Shell* shell) {
    Shell* prev = g_current;
    g_current = shell ? shell : &g_silent;
    return prev;
}

}  // namespace pixfold
