#include <wx/checkbox.h>
#include <wx/filefn.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "GuiTestUtil.h"
#include "OutsideClick.h"
#include "app/WxShell.h"
#include "catalog/FindFilesDlg.h"
#include "dialogs/MoreOptionsDlg.h"
#include "platform/TextUtil.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::test;
using namespace pixfold::res;

namespace {

class MoreOptionsGuiTest : public AppTest {
  protected:
    std::vector<std::string> Titles() {
        std::vector<std::string> out;
        for (const auto& r : view()->Model().m_list) {
            out.push_back(r->m_strTitle);
        }
        return out;
    }
    // A real click in the middle of the left part of a control.
    void ClickOn(wxUIActionSimulator& sim, wxWindow* w) {
        const wxRect r = w->GetScreenRect();
        sim.MouseMove(r.GetLeft() + std::min(8, r.GetWidth() / 2), r.GetTop() + r.GetHeight() / 2);
        Pump(30);
        sim.MouseClick();
    }
};

}  // namespace

TEST_F(MoreOptionsGuiTest, ChosenFromTheViewMenuByKeysAndWorkedByClicks) {
    const std::string folder = dir / "names";
    MakeDirs(folder);
    for (const char* name : {"img10", "img2", "img1"}) {
        MakeJpeg(folder + "/" + name + ".jpg", 40, 30);
    }
    Preset([](SettingsStore& s) { s.Set(kSortOption, 1); });
    Start(folder);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 3; }));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"img1", "img10", "img2"}));

    wxUIActionSimulator sim;
    bool shown = false;
    DriveModals drive([&](wxDialog* d) {
        auto* dlg = dynamic_cast<CMoreOptionsDlg*>(d);
        ASSERT_TRUE(dlg);
        shown = true;
        ASSERT_TRUE(PumpUntil([&] { return dlg->IsActive(); }));
        auto* natural = dynamic_cast<wxCheckBox*>(dlg->Control(IDC_OPT_NATURAL));
        auto* count = dynamic_cast<wxRadioButton*>(dlg->Control(IDC_OPT_UNREAD_COUNT));
        EXPECT_FALSE(natural->GetValue()) << "the default";
        ClickOn(sim, natural);
        EXPECT_TRUE(PumpUntil([&] { return natural->GetValue(); }));
        ClickOn(sim, count);
        EXPECT_TRUE(PumpUntil([&] { return count->GetValue(); }));
        ClickOn(sim, dlg->Control(IDOK_BUTTON));
        if (!PumpUntil([&] { return !dlg->IsModal(); })) {
            dlg->EndModal(wxID_CANCEL);  // so that the test goes on
        }
    });
    g_allowModal = true;
    sim.MouseMove(view()->ClientToScreen(wxPoint(400, 300)));
    Pump(30);
    sim.MouseClick();  // the grid has the keys
    Pump(100);
    sim.Char('v', wxMOD_ALT);
    Pump(300);
    sim.Char('m');
    EXPECT_TRUE(PumpUntil([&] { return shown && view()->Options().naturalNames; }));
    g_allowModal = false;
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NaturalSort", 0), 1);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "Unreadable", 0), 2);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "Upright", -1), 0) << "untouched";
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 3; }));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"img1", "img2", "img10"})) << "scanned again";
}

TEST_F(MoreOptionsGuiTest, CancelInTheProgressWindowKeepsWhatWasMade) {
    // A damaged photo second: its box holds the scan while the test finds
    // the Cancel button; the click comes once the box is gone.
    const std::string folder = dir / "many";
    MakeDirs(folder);
    const int total = 500;
    for (int i = 0; i < total; ++i) {
        MakeJpeg(folder + "/" + Format("p%03d.jpg", i), 800, 600, static_cast<uint32_t>(i));
    }
    WriteFile(folder + "/p001.jpg", "not a picture");
    Preset([](SettingsStore& s) {
        s.Set(kSortOption, 1);
        s.Set(kCacheSize, 0);
    });
    std::vector<std::thread> clickers;
    std::string count;
    int boxes = 0;
    DriveModals drive([&](wxDialog* box) {
        // The damaged photo may say more than one thing: the click follows the last.
        Pump(300);  // the box mapped and given the focus
        CFindFilesDlg* progress = view()->m_pFindFDlg;
        ASSERT_TRUE(progress);
        wxWindow* cancel = progress->FindWindow(IDC_FIND_CANCEL);
        ASSERT_TRUE(cancel);
        count = dynamic_cast<wxStaticText*>(progress->FindWindow(IDC_FIND_COUNT))
                    ->GetLabel()
                    .utf8_string();
        const wxRect r = cancel->GetScreenRect();
        const wxPoint centre(r.GetLeft() + r.GetWidth() / 2, r.GetTop() + r.GetHeight() / 2);
        wxUIActionSimulator().Char(WXK_RETURN);
        PumpUntil([&] { return !box->IsModal(); }, 2000);
        ++boxes;
        // A click that comes while another box is up is lost; the one after
        // the last box lands while the other photos are being read.
        clickers.emplace_back([centre] { ClickFromOutside(centre.x, centre.y); });
    });
    g_allowModal = true;
    Start(folder, false);
    const bool done = PumpUntil(
        [&] { return !view()->Model().m_list.empty() && view()->m_pFindFDlg == nullptr; }, 30000);
    g_allowModal = false;
    for (std::thread& t : clickers) {
        t.join();
    }
    ASSERT_TRUE(done);
    EXPECT_EQ(count, Format("2 of %d", total));
    const size_t kept = view()->Model().m_list.size();
    EXPECT_GE(kept, 2u);
    EXPECT_LT(kept, static_cast<size_t>(total)) << "the scan stopped";
    for (size_t i = 0; i < kept; ++i) {
        EXPECT_EQ(view()->Model().m_list.at(i).m_strTitle, Format("p%03zu", i)) << "in order";
    }
    EXPECT_EQ(frame()->GetStatusBar()->GetStatusText(0).utf8_string(),
              Format("Scan cancelled: %zu of %d files left out", total - kept, total));
    EXPECT_TRUE(frame()->IsEnabled()) << "the window takes input again";
}

TEST_F(MoreOptionsGuiTest, UprightImageWindowAndOutlinedCaptions) {
    const std::string folder = dir / "turned";
    MakeDirs(folder);
    wxCopyFile(TestImage("exif-orientation-1-1800x1200.jpg"), folder + "/one.jpg");
    wxCopyFile(TestImage("exif-orientation-6-1200x1800.jpg"), folder + "/six.jpg");
    Preset([](SettingsStore& s) { s.Set(kSortOption, 1); });
    Start(folder);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 2; }));
    const wxImage plain = Render();

    MoreOptions options;
    options.upright = true;
    options.outlineCaptions = true;
    view()->ApplyMoreOptions(options);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 2; }));
    EXPECT_EQ(view()->Model().m_list.at(1).m_strDim, "100 x 66") << "the upright size";
    const wxImage outlined = Render();
    EXPECT_NE(memcmp(plain.GetData(), outlined.GetData(),
                     size_t{3} * plain.GetWidth() * plain.GetHeight()),
              0);

    std::vector<CImageWnd*> windows;
    for (size_t i = 0; i < 2; ++i) {
        auto* w = new CImageWnd(view());
        ASSERT_TRUE(w->Create(&view()->Model().m_list.at(i), false));
        windows.push_back(w);
    }
    ASSERT_EQ(windows[1]->m_nWidth, 1800u);
    ASSERT_EQ(windows[1]->m_nHeight, 1200u);
    // The same picture as the unturned photo, up to the decoder's rounding.
    const size_t bytes = size_t{1800} * 1200 * 3;
    double sum = 0;
    for (size_t i = 0; i < bytes; ++i) {
        sum += std::abs(int{windows[0]->m_pPixels[i]} - int{windows[1]->m_pPixels[i]});
    }
    EXPECT_LT(sum / static_cast<double>(bytes), 4.0);
    for (CImageWnd* w : windows) {
        w->Close(true);
    }
    Pump(100);
}
