#include "GuiTestUtil.h"

#include <wx/dcmemory.h>
#include <wx/modalhook.h>
#include <wx/utils.h>

#include <cstdlib>

namespace pixfold::test {

bool g_allowModal = false;
std::set<const wxDialog*> g_answeredModals;

int RunModal(wxDialog& dialog, const std::function<void()>& body) {
    g_allowModal = true;
    dialog.CallAfter([&] { body(); });
    const int rc = dialog.ShowModal();
    g_allowModal = false;
    return rc;
}

class DriveModals::Hook : public wxModalDialogHook {
  public:
    explicit Hook(std::function<void(wxDialog*)> drive) : m_drive(std::move(drive)) {}

  protected:
    int Enter(wxDialog* dialog) override {
        dialog->CallAfter([this, dialog] { m_drive(dialog); });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

  private:
    std::function<void(wxDialog*)> m_drive;
};

DriveModals::DriveModals(std::function<void(wxDialog*)> drive)
    : m_hook(std::make_unique<Hook>(std::move(drive))) {
    m_hook->Register();
}

DriveModals::~DriveModals() {
    m_hook->Unregister();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const wxLongLong end = wxGetLocalTimeMillis() + timeoutMs;
    while (!done()) {
        if (wxGetLocalTimeMillis() > end) {
            return false;
        }
        wxYield();
        wxMilliSleep(2);
    }
    return true;
}

void Pump(int ms) {
    const wxLongLong end = wxGetLocalTimeMillis() + ms;
    while (wxGetLocalTimeMillis() < end) {
        wxYield();
        wxMilliSleep(2);
    }
}

void AppTest::SetUp() {
    setenv("PIXFOLD_CONFIG_DIR", (dir / "config").c_str(), 1);
}

void AppTest::TearDown() {
    Stop();
}

void AppTest::Preset(const std::function<void(SettingsStore&)>& write) {
    reg::Registry r(dir / "config");
    SettingsStore s(r);
    OpenStoreAtStartup(s);
    write(s);
}

void AppTest::Start(const std::string& folder, bool recorded) {
    ASSERT_TRUE(app().InitInstance(folder));
    started = true;
    if (recorded) {
        scope.emplace(shell);
    }
    // As a user would: the window stands where it belongs before anything is done.
    ASSERT_TRUE(PumpUntil([&] { return frame()->IsPlacementSettled(); }));
}

void AppTest::Stop() {
    if (!started) {
        return;
    }
    scope.reset();
    if (frame()) {
        frame()->Destroy();
    }
    Pump(20);
    app().ExitInstance();
    started = false;
}

void AppTest::Mouse(wxEventType type, wxPoint client) {
    wxMouseEvent e(type);
    e.SetPosition(client);
    e.SetEventObject(view());
    view()->GetEventHandler()->ProcessEvent(e);
}

wxImage AppTest::Render() {
    const wxSize size = view()->GetClientSize();
    wxBitmap bmp(size.x, size.y, 24);
    {
        wxMemoryDC dc(bmp);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        view()->DoPrepareDC(dc);
        view()->OnDraw(dc);
    }
    return bmp.ConvertToImage();
}

std::string AppTest::MakeFolder(const std::string& name, int count, uint32_t w, uint32_t h) {
    const std::string folder = dir / name;
    MakeDirs(folder);
    for (int i = 0; i < count; ++i) {
        std::string file = folder + "/" + std::string(1, char('a' + i % 26)) +
                           (i >= 26 ? std::to_string(i) : "") + ".jpg";
        MakeJpeg(file, w, h, static_cast<uint32_t>(i));
    }
    return folder;
}

}  // namespace pixfold::test
