#include <wx/dcmemory.h>
#include <wx/uiaction.h>
#include <optional>

#include "GuiTestUtil.h"
#include "catalog/SlideShow.h"
#include "dialogs/PreferencesDialog.h"
#include "jpeg/JpegFile.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class ViewerTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Start();
    }
    std::vector<CImageWnd*> ImageWindows() {
        std::vector<CImageWnd*> out;
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* iw = dynamic_cast<CImageWnd*>(w); iw && !iw->IsBeingDeleted()) {
                out.push_back(iw);
            }
        }
        return out;
    }
    void CloseImageWindows() {
        for (CImageWnd* w : ImageWindows()) {
            w->Destroy();
        }
        Pump(20);
    }
    std::string ShownTitle() {
        return view()->m_pSlideWnd ? view()->m_pSlideWnd->m_strTitle : std::string("<none>");
    }
    void Tick() { view()->OnSlideTick(); }
    // The focus is where a user's keys would go: in this image window.
    bool HasKeys(CImageWnd* w) {
        return w && w->IsActive() && wxWindow::FindFocus() == w->Canvas();
    }
    // A real double click at a client point of the grid: the one image window
    // it opened once that window has the keys, else null (after a failure).
    CImageWnd* DoubleClickOpens(wxUIActionSimulator& sim, wxPoint at) {
        sim.MouseMove(view()->ClientToScreen(at));
        Pump(50);
        sim.MouseDblClick();
        if (!PumpUntil([&] { return ImageWindows().size() == 1; })) {
            ADD_FAILURE() << "no image window";
            return nullptr;
        }
        CImageWnd* w = ImageWindows()[0];
        if (!PumpUntil([&] { return HasKeys(w); })) {
            ADD_FAILURE() << "focus not in the new window";
            return nullptr;
        }
        return w;
    }
};

}  // namespace

TEST_F(ViewerTest, DoubleClickOpensTheRecordUnderThePointer) {
    app().OpenDocumentFile(MakeFolder("d", 3, 120, 90));
    Render();
    Mouse(wxEVT_LEFT_DCLICK, {110, 50});
    auto wins = ImageWindows();
    ASSERT_EQ(wins.size(), 1u);
    EXPECT_EQ(wins[0]->GetTitle(), "b");
    EXPECT_EQ(wins[0]->m_nWidth, 120u);
    EXPECT_EQ(wins[0]->GetClientSize(), wxSize(120, 90));
    EXPECT_TRUE(wins[0]->m_pPixels);
    // Between cells: nothing; the same thumbnail again: a second window.
    Mouse(wxEVT_LEFT_DCLICK, {400, 50});
    EXPECT_EQ(ImageWindows().size(), 1u);
    Mouse(wxEVT_LEFT_DCLICK, {110, 50});
    EXPECT_EQ(ImageWindows().size(), 2u);
    CloseImageWindows();
}

TEST_F(ViewerTest, UndecodableFileGivesTheErrorAndNoWindow) {
    const std::string folder = MakeFolder("bad", 1);
    app().OpenDocumentFile(folder);
    Render();
    WriteFile(folder + "/a.jpg", "no longer a picture");
    shell.Clear();
    Mouse(wxEVT_LEFT_DCLICK, {10, 10});
    Pump(20);
    EXPECT_TRUE(ImageWindows().empty());
    auto msgs = shell.Messages();
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[1], "Error: could not create window");
}

TEST_F(ViewerTest, WindowPaintsPictureAndBlackCaptions) {
    app().OpenDocumentFile(MakeFolder("p", 1, 200, 150));
    view()->Model().m_prefs.showDim = view()->Model().m_prefs.showFileName =
        view()->Model().m_prefs.showFileSize = view()->Model().m_prefs.showFileDate = 1;
    Render();
    view()->OpenImageWindow(&view()->Model().m_list.at(0));
    CImageWnd* w = ImageWindows().at(0);
    wxBitmap bmp(200, 150, 24);
    {
        wxMemoryDC dc(bmp);
        w->Render(dc);
    }
    const wxImage img = bmp.ConvertToImage();
    // The pattern's top-left pixel is dark red-ish blue; bottom right bright.
    uint32_t w0 = 0, h0 = 0;
    PixelBuffer px = JpegFile::ReadRgb(view()->Model().m_list.at(0).m_strPath, w0, h0, 1, 1);
    EXPECT_EQ(img.GetRed(100, 75), px[(75 * 200 + 100) * 3]);
    EXPECT_EQ(img.GetGreen(100, 75), px[(75 * 200 + 100) * 3 + 1]);
    int black = 0;
    for (int y = 136; y < 148; ++y) {
        for (int x = 2; x < 20; ++x) {
            black += img.GetRed(x, y) < 40 && img.GetGreen(x, y) < 40 && img.GetBlue(x, y) < 40;
        }
    }
    EXPECT_GT(black, 5) << "the name caption, bottom left, in black";
    CloseImageWindows();
}

TEST_F(ViewerTest, RecordLeavingTheCatalogueIsNeverReadAgain) {
    app().OpenDocumentFile(MakeFolder("r", 2));
    Render();
    view()->OpenImageWindow(&view()->Model().m_list.at(0));
    CImageWnd* w = ImageWindows().at(0);
    view()->RemoveRecord(&view()->Model().m_list.at(0));
    wxBitmap bmp(160, 120, 24);
    wxMemoryDC dc(bmp);
    w->Render(dc);  // under the sanitizers a stale read would be caught here
    EXPECT_EQ(w->m_strTitle, "a");
    CloseImageWindows();
}

TEST_F(ViewerTest, SlideShowInOrderGoesRoundAgain) {
    app().OpenDocumentFile(MakeFolder("s", 3));
    view()->Model().m_prefs.random = 0;
    view()->Model().m_prefs.slideTime = 7;
    wxCommandEvent f7(wxEVT_MENU, res::ToWxId(res::ID_START_SLIDE_SHOW));
    frame()->ProcessWindowEvent(f7);
    EXPECT_TRUE(view()->SlideTimer().IsRunning());
    EXPECT_EQ(view()->SlideTimer().GetInterval(), 100);
    std::vector<std::string> shown;
    for (int i = 0; i < 5; ++i) {
        Tick();
        shown.push_back(ShownTitle());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"a", "b", "c", "a", "b"}));
    EXPECT_EQ(view()->SlideTimer().GetInterval(), 7000);
    // Commands while the show's window is open.
    frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(res::ToWxId(res::ID_START_SLIDE_SHOW)));
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(res::ToWxId(res::ID_OPEN_FOLDER)));
    // Opening another folder is ignored during a show.
    app().OpenDocumentFile(MakeFolder("other", 1));
    EXPECT_EQ(view()->Model().m_list.size(), 3u);
    // Escape in the view stops it.
    wxKeyEvent esc(wxEVT_KEY_DOWN);
    esc.m_keyCode = WXK_ESCAPE;
    view()->ProcessWindowEvent(esc);
    EXPECT_EQ(view()->m_pSlideWnd, nullptr);
    EXPECT_FALSE(view()->SlideTimer().IsRunning());
    Pump(20);
    EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(ViewerTest, PauseAndResume) {
    app().OpenDocumentFile(MakeFolder("pause", 3));
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    Tick();
    CImageWnd* w = view()->m_pSlideWnd;
    ASSERT_TRUE(w);
    w->HandleChar(WXK_SPACE);
    EXPECT_TRUE(view()->Model().m_show.m_bSlidePaused);
    Tick();
    Tick();
    EXPECT_EQ(ShownTitle(), "a") << "paused: ticks change nothing";
    w->HandleChar(WXK_SPACE);
    Tick();
    EXPECT_EQ(ShownTitle(), "b");
    w->HandleChar(WXK_ESCAPE);
    Pump(20);
    EXPECT_EQ(view()->m_pSlideWnd, nullptr);
}

TEST_F(ViewerTest, CloseBoxThenStartAgainBeginsFromTheStart) {
    app().OpenDocumentFile(MakeFolder("close", 3));
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    Tick();
    Tick();
    EXPECT_EQ(ShownTitle(), "b");
    view()->m_pSlideWnd->Close();
    Pump(20);
    EXPECT_EQ(view()->m_pSlideWnd, nullptr);
    EXPECT_TRUE(view()->IsCommandEnabled(res::ID_START_SLIDE_SHOW));
    Tick();  // the old timer ticks without effect
    EXPECT_EQ(view()->m_pSlideWnd, nullptr);
    view()->OnStartSlideShow();
    Tick();
    EXPECT_EQ(ShownTitle(), "a");
    view()->StopSlideShow();
    Pump(20);
}

TEST_F(ViewerTest, EscapeInAnotherImageWindowStopsOnlyTheTimer) {
    app().OpenDocumentFile(MakeFolder("esc", 3));
    Render();
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    Tick();
    view()->OpenImageWindow(&view()->Model().m_list.at(2));
    CImageWnd* other = nullptr;
    for (CImageWnd* w : ImageWindows()) {
        if (w != view()->m_pSlideWnd) {
            other = w;
        }
    }
    ASSERT_TRUE(other);
    other->HandleChar(WXK_ESCAPE);
    Pump(20);
    EXPECT_FALSE(view()->SlideTimer().IsRunning());
    ASSERT_TRUE(view()->m_pSlideWnd) << "the show's window stays on its picture";
    EXPECT_EQ(ShownTitle(), "a");
    view()->StopSlideShow();
    Pump(20);
}

TEST_F(ViewerTest, RandomShowsEveryPictureOncePerRound) {
    app().OpenDocumentFile(MakeFolder("rand", 3));
    view()->Model().m_prefs.random = 1;
    view()->OnStartSlideShow();
    std::vector<std::string> shown;
    for (int i = 0; i < 9; ++i) {
        Tick();
        shown.push_back(ShownTitle());
    }
    for (int round = 0; round < 3; ++round) {
        std::vector<std::string> r(shown.begin() + round * 3, shown.begin() + round * 3 + 3);
        std::sort(r.begin(), r.end());
        EXPECT_EQ(r, (std::vector<std::string>{"a", "b", "c"}));
    }
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_NE(shown[i], shown[i - 1]);
    }
    view()->StopSlideShow();
    Pump(20);
}

TEST_F(ViewerTest, DeletingRecordsDuringAShowContinuesFromAValidEntry) {
    app().OpenDocumentFile(MakeFolder("del", 3));
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    Tick();                                               // a; b next
    view()->RemoveRecord(&view()->Model().m_list.at(1));  // b leaves
    Tick();
    EXPECT_EQ(ShownTitle(), "c");
    view()->RemoveRecord(&view()->Model().m_list.at(0));
    view()->RemoveRecord(&view()->Model().m_list.at(0));
    EXPECT_EQ(view()->m_pSlideWnd, nullptr) << "an empty catalogue stops the show";
    Tick();
    Pump(20);
    EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(ViewerTest, FailedStartClearsTheShowSoCommandsComeBack) {
    const std::string folder = MakeFolder("fail", 2);
    app().OpenDocumentFile(folder);
    WriteFile(folder + "/a.jpg", "broken");
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    shell.Clear();
    Tick();
    Pump(20);
    EXPECT_EQ(view()->m_pSlideWnd, nullptr);
    EXPECT_FALSE(view()->SlideTimer().IsRunning());
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.Messages().back(), "Error: could not create window");
    EXPECT_TRUE(view()->IsCommandEnabled(res::ID_START_SLIDE_SHOW));
    EXPECT_TRUE(ImageWindows().empty());
}

TEST_F(ViewerTest, RealTimerDrivesTheShow) {
    app().OpenDocumentFile(MakeFolder("timer", 2));
    view()->Model().m_prefs.random = 0;
    view()->Model().m_prefs.slideTime = 0;  // as fast as the platform allows
    view()->OnStartSlideShow();
    ASSERT_TRUE(PumpUntil([&] { return ShownTitle() == "b"; }, 10000));
    view()->StopSlideShow();
    Pump(20);
}

TEST_F(ViewerTest, RealKeysInImageWindows) {
    app().OpenDocumentFile(MakeFolder("keys", 3, 120, 90));
    Render();
    wxUIActionSimulator sim;
    // A double click opens the picture; its window takes the keys.
    CImageWnd* w = DoubleClickOpens(sim, wxPoint(50, 50));
    ASSERT_NE(w, nullptr);
    sim.Char(' ');
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_show.m_bSlidePaused == 1; })) << "Space";
    sim.Char(' ');
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_show.m_bSlidePaused == 0; }))
        << "Space again";
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return ImageWindows().empty(); })) << "Escape closes";

    // F7 in the main window starts the show; its window takes the keys.
    view()->Model().m_prefs.random = 0;
    view()->Model().m_prefs.slideTime = 0;  // ticks as fast as the platform allows
    frame()->Raise();
    sim.MouseClick();  // back in the grid, where the keys now go
    Pump(50);
    sim.Char(WXK_F7);
    ASSERT_TRUE(PumpUntil([&] { return HasKeys(view()->m_pSlideWnd); }));
    sim.Char(' ');
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_show.m_bSlidePaused == 1; }))
        << "Space pauses";
    const std::string paused = ShownTitle();
    Pump(200);
    EXPECT_EQ(ShownTitle(), paused) << "a paused show stays on its picture";
    sim.Char(' ');
    EXPECT_TRUE(PumpUntil([&] { return ShownTitle() != paused; })) << "Space resumes";
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return view()->m_pSlideWnd == nullptr; })) << "Escape stops";
    EXPECT_FALSE(view()->SlideTimer().IsRunning());
    EXPECT_TRUE(PumpUntil([&] { return ImageWindows().empty(); }));
}

TEST_F(ViewerTest, OneDisplayBitmapNoLargerThanTheScreens) {
    app().OpenDocumentFile(MakeFolder("big", 2, 2600, 1900));
    Render();
    view()->OpenImageWindow(&view()->Model().m_list.at(0));
    CImageWnd* w = ImageWindows().at(0);
    for (int i = 0; i < 3; ++i) {
        w->Canvas()->Refresh();
        w->Canvas()->Update();
        Pump(30);
    }
    const wxSize screen = CMainFrame::ScreenSize();
    EXPECT_EQ(w->DisplayBuilds(), 1) << "made once, not at every paint";
    EXPECT_LE(w->DisplayArea().width, screen.x);
    EXPECT_LE(w->DisplayArea().height, screen.y);
    EXPECT_GT(w->DisplayArea().width, 0);
    // What is drawn is the picture, pixel for pixel.
    wxBitmap bmp(300, 200, 24);
    {
        wxMemoryDC dc(bmp);
        w->Render(dc);
    }
    const wxImage img = bmp.ConvertToImage();
    uint32_t pw = 0, ph = 0;
    PixelBuffer px = JpegFile::ReadRgb(view()->Model().m_list.at(0).m_strPath, pw, ph, 1, 1);
    for (const wxPoint p : {wxPoint(0, 0), wxPoint(123, 45), wxPoint(299, 199)}) {
        const size_t i = (size_t(p.y) * pw + size_t(p.x)) * 3;
        EXPECT_EQ(img.GetRed(p.x, p.y), px[i]) << p.x << "," << p.y;
        EXPECT_EQ(img.GetGreen(p.x, p.y), px[i + 1]) << p.x << "," << p.y;
        EXPECT_EQ(img.GetBlue(p.x, p.y), px[i + 2]) << p.x << "," << p.y;
    }
    // A picture that fits the screen is held whole.
    app().OpenDocumentFile(MakeFolder("small", 1, 200, 150));
    Render();
    view()->OpenImageWindow(&view()->Model().m_list.at(0));
    Pump(50);
    for (CImageWnd* s : ImageWindows()) {
        if (s->m_nWidth == 200) {
            EXPECT_EQ(s->DisplayArea(), wxRect(0, 0, 200, 150));
        }
    }
    CloseImageWindows();
}

TEST_F(ViewerTest, PreferencesStaysInTheContextMenuDuringAShow) {
    app().OpenDocumentFile(MakeFolder("ctx", 2));
    Render();
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    ASSERT_TRUE(PumpUntil([&] { return view()->m_pSlideWnd != nullptr; }));
    bool opened = false;
    std::optional<AnswerModals<CPreferencesDialog>> answer1(std::in_place,
                                                            [&](CPreferencesDialog&) {
                                                                opened = true;
                                                                return wxID_CANCEL;
                                                            });
    // Right click in the grid; the menu is up while these keys come: the
    // first enabled item, then Enter (Escape if nothing could be chosen).
    wxUIActionSimulator sim;
    int step = 0;
    wxTimer keys;
    keys.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        switch (step++) {
            case 0:
                sim.Char(WXK_DOWN);
                break;
            case 1:
                sim.Char(WXK_RETURN);
                break;
            default:
                sim.Char(WXK_ESCAPE);
                keys.Stop();
                break;
        }
    });
    frame()->Raise();
    sim.MouseMove(view()->ClientToScreen(wxPoint(400, 300)));
    Pump(50);
    keys.Start(400);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return opened; }, 3000)) << "Preferences... chosen";
    keys.Stop();
    Pump(100);
    answer1.reset();
    EXPECT_TRUE(view()->m_pSlideWnd) << "the show goes on";
    // F4 still does nothing while the show runs.
    opened = false;
    std::optional<AnswerModals<CPreferencesDialog>> answer2(std::in_place,
                                                            [&](CPreferencesDialog&) {
                                                                opened = true;
                                                                return wxID_CANCEL;
                                                            });
    wxCommandEvent f4(wxEVT_MENU, res::ToWxId(res::ID_PREFERENCES));
    frame()->ProcessWindowEvent(f4);
    answer2.reset();
    EXPECT_FALSE(opened);
    view()->StopSlideShow();
    Pump(20);
}

TEST_F(ViewerTest, FitZoomPanAndFullScreenByRealKeysAndMouse) {
    app().OpenDocumentFile(MakeFolder("zoom", 2, 1600, 1200));
    Render();
    wxUIActionSimulator sim;
    CImageWnd* w = DoubleClickOpens(sim, wxPoint(50, 50));
    ASSERT_NE(w, nullptr);
    Pump(100);
    const Viewport& v = w->View();
    const wxSize client = w->Canvas()->GetClientSize();
    ASSERT_EQ(v.clientWidth, client.x);
    ASSERT_LT(client.x, 1600) << "the window is larger than the screen";
    EXPECT_EQ(v.scale, 1);
    EXPECT_EQ(v.OriginX(), 0) << "1:1 at the top-left corner, as before";

    // Arrows pan a picture larger than the window; the title stays.
    sim.Char(WXK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return v.x > 0; }));
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return v.y > 0; }));
    EXPECT_EQ(w->GetTitle(), "a");
    // A drag moves the picture with the pointer.
    const int x0 = v.x, y0 = v.y;
    const wxPoint mid = w->Canvas()->ClientToScreen(wxPoint(client.x / 2, client.y / 2));
    sim.MouseMove(mid);
    Pump(30);
    sim.MouseDown();
    Pump(30);
    for (int i = 1; i <= 5; ++i) {
        sim.MouseMove(mid - wxPoint(20 * i, 10 * i));
        Pump(20);
    }
    sim.MouseUp();
    EXPECT_TRUE(PumpUntil([&] { return v.x == x0 + 100 && v.y == y0 + 50; }))
        << v.x - x0 << "," << v.y - y0;
    // The wheel scrolls: towards the user is down.
    const int y1 = v.y;
    ASSERT_EQ(std::system("xdotool click 5"), 0);
    EXPECT_TRUE(PumpUntil([&] { return v.y > y1; }));

    // F fits the whole picture in the window, made once at that scale.
    sim.Char('f');
    ASSERT_TRUE(PumpUntil([&] { return v.fit; }));
    EXPECT_LE(v.ScaledWidth(), client.x);
    EXPECT_LE(v.ScaledHeight(), client.y);
    EXPECT_TRUE(v.ScaledWidth() == client.x || v.ScaledHeight() == client.y);
    w->Canvas()->Update();
    Pump(50);
    EXPECT_EQ(w->DisplayArea().GetSize(), wxSize(v.ScaledWidth(), v.ScaledHeight()));
    const int builds = w->DisplayBuilds();
    w->Canvas()->Refresh();
    w->Canvas()->Update();
    Pump(50);
    EXPECT_EQ(w->DisplayBuilds(), builds) << "a repaint does not scale again";
    EXPECT_EQ(w->GetTitle(), "a") << "the caption is unchanged";
    // + and - step the zoom, 1 goes back to 1:1.
    const double fitted = v.scale;
    sim.Char('+', wxMOD_SHIFT);
    EXPECT_TRUE(PumpUntil([&] { return v.scale == ZoomStep(fitted, 1); })) << v.scale;
    sim.Char('-');
    EXPECT_TRUE(PumpUntil([&] { return v.scale == ZoomStep(ZoomStep(fitted, 1), -1); }));
    sim.Char('1');
    EXPECT_TRUE(PumpUntil([&] { return v.scale == 1; }));
    // Ctrl+wheel zooms about the pointer: the picture point under it stays.
    const wxPoint at(client.x / 3, client.y / 4);
    sim.MouseMove(w->Canvas()->ClientToScreen(at));
    Pump(30);
    const double before = (at.x - v.OriginX()) / v.scale;
    ASSERT_EQ(std::system("xdotool keydown ctrl click 4 keyup ctrl"), 0);
    ASSERT_TRUE(PumpUntil([&] { return v.scale == 1.5; })) << v.scale;
    EXPECT_NEAR((at.x - v.OriginX()) / v.scale, before, 1.0);

    // F11 goes full screen; Escape leaves it, then closes.
    sim.Char(WXK_F11);
    EXPECT_TRUE(PumpUntil([&] { return w->IsFullScreen(); }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !w->IsFullScreen(); }));
    EXPECT_EQ(ImageWindows().size(), 1u) << "the first Escape only leaves full screen";
    ASSERT_TRUE(PumpUntil([&] { return HasKeys(w); }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return ImageWindows().empty(); }));
}

TEST_F(ViewerTest, NextAndPreviousInAWindowAndInAShow) {
    app().OpenDocumentFile(MakeFolder("next", 3, 120, 90));
    Render();
    wxUIActionSimulator sim;
    CImageWnd* w = DoubleClickOpens(sim, wxPoint(150, 50));
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->GetTitle(), "b");
    // The picture fits the window: the arrows step in catalogue order, no wrap.
    const struct {
        int key;
        const char* want;
    } steps[] = {{WXK_RIGHT, "c"},  {WXK_PAGEDOWN, "c"}, {WXK_LEFT, "b"},
                 {WXK_PAGEUP, "a"}, {WXK_LEFT, "a"},     {WXK_PAGEDOWN, "b"}};
    for (const auto& s : steps) {
        sim.Char(s.key);
        EXPECT_TRUE(PumpUntil([&] { return w->GetTitle() == s.want && w->m_strTitle == s.want; }))
            << "key " << s.key << " shows " << w->GetTitle() << ", not " << s.want;
    }
    EXPECT_EQ(ImageWindows().size(), 1u) << "in the same window";
    sim.Char(WXK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return ImageWindows().empty(); }));

    // In a show the keys step the show at once; Space still pauses.
    view()->Model().m_prefs.random = 0;
    view()->Model().m_prefs.slideTime = 60;
    frame()->Raise();
    sim.MouseClick();
    Pump(50);
    sim.Char(WXK_F7);
    ASSERT_TRUE(PumpUntil([&] { return HasKeys(view()->m_pSlideWnd); }));
    ASSERT_EQ(ShownTitle(), "a");
    const struct {
        int key;
        const char* want;
    } show[] = {{WXK_RIGHT, "b"},
                {WXK_PAGEDOWN, "c"},
                {WXK_RIGHT, "a"},
                {WXK_LEFT, "c"},
                {WXK_PAGEUP, "b"}};
    for (const auto& s : show) {
        sim.Char(s.key);
        EXPECT_TRUE(PumpUntil([&] { return ShownTitle() == s.want; }))
            << "key " << s.key << " shows " << ShownTitle() << ", not " << s.want;
    }
    EXPECT_TRUE(view()->SlideTimer().IsRunning());
    Tick();
    EXPECT_EQ(ShownTitle(), "c") << "the show goes on after the picture stepped to";
    sim.Char(' ');
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_show.m_bSlidePaused == 1; }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return view()->m_pSlideWnd == nullptr; }));
}
