#pragma once
// Starting the real application in a test, with its own configuration folder
// and a recording shell, and pumping events.

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/modalhook.h>

#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "TestUtil.h"
#include "app/MainFrame.h"
#include "app/PixfoldApp.h"
#include "app/PixfoldDoc.h"
#include "app/PixfoldView.h"
#include "platform/ConfigDir.h"

namespace pixfold::test {

// Set while a test shows a real modal dialog on purpose.
extern bool g_allowModal;

// Runs `body` inside the dialog's modal loop, then returns ShowModal's result.
int RunModal(wxDialog& dialog, const std::function<void()>& body);

// While it lives, runs `drive` inside the loop of every modal dialog shown
// (the dialog passed in), so that a test can work a dialog opened by a click.
class DriveModals {
  public:
    explicit DriveModals(std::function<void(wxDialog*)> drive);
    ~DriveModals();
    DriveModals(const DriveModals&) = delete;
    DriveModals& operator=(const DriveModals&) = delete;

  private:
    class Hook;
    std::unique_ptr<Hook> m_hook;
};

// Dialogs a test has arranged to answer; any other modal dialog fails it.
extern std::set<const wxDialog*> g_answeredModals;

// Answers each modal dialog of type D that the program shows, as a user
// would: `answer` runs once the dialog is up, and the dialog then ends with
// the code it returns (unless `answer` ended it). Other dialogs are left to
// the other hooks.
template <typename D>
class AnswerModals {
  public:
    explicit AnswerModals(std::function<int(D&)> answer) : m_hook(std::move(answer)) {
        m_hook.Register();
    }
    ~AnswerModals() { m_hook.Unregister(); }
    AnswerModals(const AnswerModals&) = delete;
    AnswerModals& operator=(const AnswerModals&) = delete;

  private:
    class Hook : public wxModalDialogHook {
      public:
        explicit Hook(std::function<int(D&)> answer) : m_answer(std::move(answer)) {}

      protected:
        int Enter(wxDialog* d) override {
            auto* dialog = dynamic_cast<D*>(d);
            if (!dialog) {
                return wxID_NONE;
            }
            g_answeredModals.insert(dialog);
            dialog->CallAfter([this, dialog] {
                const int rc = m_answer(*dialog);
                if (dialog->IsModal()) {
                    dialog->EndModal(rc);
                }
            });
            return wxID_NONE;
        }
        void Exit(wxDialog* d) override { g_answeredModals.erase(d); }

      private:
        std::function<int(D&)> m_answer;
    };
    Hook m_hook;
};

// Processes events until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void Pump(int ms = 50);

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Stores values before the program starts (Screen, MRU, preferences).
    void Preset(const std::function<void(SettingsStore&)>& write);
    // Starts the program; `folder` as on the command line. With `recorded`
    // false the program keeps its own shell: real boxes, real progress window.
    void Start(const std::string& folder = "", bool recorded = true);
    void Stop();

    // Sends a mouse event at a client point of the view.
    void Mouse(wxEventType type, wxPoint client);
    // Renders the view's painting into an image of its client size.
    wxImage Render();
    // Makes a folder of small JPEGs a.jpg, b.jpg ... in the temporary folder.
    std::string MakeFolder(const std::string& name, int count, uint32_t w = 160, uint32_t h = 120);

    CPixfoldApp& app() { return TheApp(); }
    CMainFrame* frame() { return app().MainFrame(); }
    CPixfoldView* view() { return frame()->View(); }

    TempDir dir;
    RecordingShell shell;
    std::optional<ShellScope> scope;
    bool started = false;
};

}  // namespace pixfold::test
