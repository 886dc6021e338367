// GUI tests: the real application object, started without a main loop.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/log.h>
#include <wx/modalhook.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "GuiTestUtil.h"
#include "app/PixfoldApp.h"

namespace {

// Any modal dialog a test did not arrange for is a failure, not a hang.
class FailOnUnexpectedModal : public wxModalDialogHook {
  protected:
    int Enter(wxDialog* dialog) override {
        if (pixfold::test::g_allowModal || pixfold::test::g_answeredModals.count(dialog) != 0) {
            return wxID_NONE;
        }
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->GetTitle().utf8_string();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

// Focus and placement are tested as on a desktop: with a window manager.
// Under ctest a fixture has started one already; run by hand, the tests start
// their own and stop it at the end.
class WindowManager {
  public:
    bool Start() {
        m_state = "/tmp/pixfold-gui-wm-" + std::to_string(getpid()) + ".pid";
        return Run("start") == 0;
    }
    ~WindowManager() {
        if (!m_state.empty()) {
            Run("stop");
        }
    }

  private:
    int Run(const char* verb) const {
        const std::string cmd =
            std::string("'") + PIXFOLD_WM_SCRIPT + "' " + verb + " '" + m_state + "'";
        return std::system(cmd.c_str());
    }
    std::string m_state;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    WindowManager wm;
    if (!wm.Start()) {
        std::fprintf(stderr, "no window manager: install openbox (scripts/setup)\n");
        return 2;
    }
    // Files a test moves to the Trash land in a Trash of the run's own, never
    // the user's (GLib reads the folder once, so it is set before anything starts).
    const std::string data = "/tmp/pixfold-gui-data-" + std::to_string(getpid());
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    wxApp::SetInstance(new pixfold::CPixfoldApp);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no X display: run under xvfb-run\n");
        return 2;
    }
    wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                          const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "wx assert: " << cond << " " << msg;
    });
    FailOnUnexpectedModal guard;
    guard.Register();
    const int rc = RUN_ALL_TESTS();
    guard.Unregister();
    wxEntryCleanup();
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
    return rc;
}
