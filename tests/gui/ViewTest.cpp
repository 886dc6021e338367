#include <wx/menu.h>
#include <wx/timer.h>

#include <wx/uiaction.h>

#include "GuiTestUtil.h"
#include "jpeg/JpegFile.h"
#include "publish/MakeThumbsDlg.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class ViewTest : public AppTest {
  protected:
    // Black captions on white, no file names; the dimensions caption when asked.
    void PresetBlackOnWhite(bool showDim) {
        Preset([showDim](SettingsStore& s) {
            s.SetInt("Settings", "ColorCheck", 0);
            s.SetInt("Settings", "BackColor", 0xFFFFFF);
            s.SetInt("Settings", "TextColor", 0x000000);
            s.SetInt("Settings", "ShowDim", showDim ? 1 : 0);
            s.SetInt("Settings", "ShowFileName", 0);
        });
    }
    // Gives the view a client area of exactly w x h.
    void SizeView(int w, int h) {
        const wxSize now = view()->GetClientSize();
        const wxSize frameNow = frame()->GetSize();
        frame()->SetSize(frameNow.x + (w - now.x), frameNow.y + (h - now.y));
        Pump(50);
        view()->SetScrolls();
    }
};

wxColour Pixel(const wxImage& img, int x, int y) {
    return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
}

}  // namespace

TEST_F(ViewTest, TwelveRecordsIn520PixelsMakeFiveColumnsThreeRows) {
    Start();
    app().OpenDocumentFile(MakeFolder("twelve", 12, 40, 30));
    SizeView(520, 400);
    EXPECT_EQ(view()->Model().m_nCols, 5);
    EXPECT_EQ(view()->Model().m_nRows, 3);
    EXPECT_EQ(view()->Scrolls().totalWidth, 515);
    EXPECT_EQ(view()->Scrolls().totalHeight, 309);
    EXPECT_EQ(view()->GetVirtualSize().y, 400) << "virtual size never below the client";
}

TEST_F(ViewTest, PaintedCellsArePixelExact) {
    PresetBlackOnWhite(false);
    Start();
    // 1600 x 1200 of one flat colour: a 100 x 75 thumbnail.
    const std::string folder = dir / "flat";
    MakeDirs(folder);
    std::vector<uint8_t> px(1600 * 1200 * 3);
    for (size_t i = 0; i < px.size(); i += 3) {
        px[i] = 20;
        px[i + 1] = 120;
        px[i + 2] = 220;
    }
    ASSERT_TRUE(JpegFile::WriteRgb(folder + "/a.jpg", px.data(), 1600, 1200, 100));
    ASSERT_TRUE(JpegFile::WriteRgb(folder + "/b.jpg", px.data(), 1600, 1200, 100));
    app().OpenDocumentFile(folder);
    SizeView(400, 300);
    Mouse(wxEVT_LEFT_DOWN, {110, 10});  // select b
    const wxImage img = Render();

    auto near = [](const wxColour& c, int r, int g, int b) {
        return std::abs(c.Red() - r) <= 3 && std::abs(c.Green() - g) <= 3 &&
               std::abs(c.Blue() - b) <= 3;
    };
    // Thumbnail of a at (1, 14) .. (100, 88).
    EXPECT_TRUE(near(Pixel(img, 1, 14), 20, 120, 220));
    EXPECT_TRUE(near(Pixel(img, 100, 88), 20, 120, 220));
    EXPECT_EQ(Pixel(img, 0, 14), *wxWHITE);
    EXPECT_EQ(Pixel(img, 1, 13), *wxWHITE);
    EXPECT_EQ(Pixel(img, 1, 89), *wxWHITE);
    // Grid lines.
    EXPECT_EQ(Pixel(img, 102, 50), *wxBLACK);
    EXPECT_EQ(Pixel(img, 50, 102), *wxBLACK);
    EXPECT_EQ(Pixel(img, 101, 101), *wxWHITE);
    // The red frame on b's cell, inside its grid lines.
    EXPECT_EQ(Pixel(img, 103, 0), wxColour(255, 0, 0));
    EXPECT_EQ(Pixel(img, 204, 60), wxColour(255, 0, 0));
    EXPECT_EQ(Pixel(img, 150, 101), wxColour(255, 0, 0));
    EXPECT_EQ(Pixel(img, 205, 60), *wxBLACK);
    // Rest of the row filled with the background.
    EXPECT_EQ(Pixel(img, 300, 50), *wxWHITE);
}

TEST_F(ViewTest, CaptionsStandInTheirCorners) {
    PresetBlackOnWhite(true);
    Start();
    // A white picture, so only the caption is dark.
    const std::string folder = dir / "white";
    MakeDirs(folder);
    std::vector<uint8_t> px(200 * 150 * 3, 255);
    ASSERT_TRUE(JpegFile::WriteRgb(folder + "/w.jpg", px.data(), 200, 150, 100));
    app().OpenDocumentFile(folder);
    const wxImage img = Render();
    auto darkIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += img.GetRed(x, y) < 100;
            }
        }
        return n;
    };
    EXPECT_GT(darkIn(2, 2, 50, 16), 10) << "dimensions top left";
    EXPECT_EQ(darkIn(60, 2, 100, 16), 0);
    EXPECT_EQ(darkIn(2, 80, 100, 101), 0) << "no name caption";
}

TEST_F(ViewTest, ClickSelectsAndFillsTheStatusPanes) {
    Start();
    app().OpenDocumentFile(MakeFolder("c", 3));
    SizeView(400, 300);
    Render();
    Mouse(wxEVT_LEFT_DOWN, {150, 50});
    ASSERT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(1));
    EXPECT_EQ(frame()->StatusPaneText(1), "b");
    EXPECT_EQ(frame()->StatusPaneText(2), view()->Model().m_list.at(1).m_strSize);
    EXPECT_EQ(frame()->StatusPaneText(3), view()->Model().m_list.at(1).m_strDate);
    EXPECT_EQ(frame()->StatusPaneText(4), "100 x 75");
    Mouse(wxEVT_LEFT_DOWN, {350, 50});  // empty part of the row
    EXPECT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(1))
        << "empty space keeps the selection";
}

TEST_F(ViewTest, RightClickDoesNotSelectAndGraysByState) {
    Start();
    app().OpenDocumentFile(MakeFolder("r", 2));
    Render();
    // A real right click; while the menu is up its items are looked at and
    // Escape closes it.
    bool seen = false;
    wxUIActionSimulator sim;
    wxTimer look;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const wxMenu* m = view()->ShownContextMenu();
        if (!m) {
            return;
        }
        look.Stop();
        seen = true;
        EXPECT_EQ(m->GetMenuItemCount(), 6u);
        EXPECT_FALSE(m->IsEnabled(res::ToWxId(res::ID_DELETE_THUMB)));
        EXPECT_FALSE(m->IsEnabled(res::ToWxId(res::ID_MOVE_RENAME_THUMB)));
        EXPECT_TRUE(m->IsEnabled(res::ToWxId(res::ID_MAKE_THUMBS)));
        EXPECT_TRUE(m->IsEnabled(res::ToWxId(res::ID_START_SLIDE_SHOW)));
        EXPECT_TRUE(m->IsEnabled(res::ToWxId(res::ID_PREFERENCES)));
        EXPECT_EQ(m->GetLabel(res::ToWxId(res::ID_MOVE_RENAME_THUMB)), "&Move or Rename Thumb...");
        sim.Char(WXK_ESCAPE);
    });
    frame()->Raise();
    sim.MouseMove(view()->ClientToScreen(wxPoint(10, 10)));
    Pump(50);
    look.Start(100);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return seen && !view()->ShownContextMenu(); }, 3000));
    look.Stop();
    EXPECT_TRUE(seen);
    EXPECT_EQ(view()->Model().m_pSelected, nullptr);
}

TEST_F(ViewTest, HitTestAddsTheScrollPosition) {
    Start();
    app().OpenDocumentFile(MakeFolder("many", 30, 40, 30));
    SizeView(309, 206);  // 3 columns, 10 rows, two rows visible
    Render();
    view()->Scroll(0, 1000);
    Pump(30);
    const wxPoint origin = view()->CalcUnscrolledPosition(wxPoint(0, 0));
    ASSERT_GT(origin.y, 0);
    long index = -1;
    ThumbRecord* hit = view()->HitTest(wxPoint(5, 5), index);
    ASSERT_TRUE(hit);
    EXPECT_EQ(index, (origin.y + 5) / 103 * view()->Model().m_nCols);
    Mouse(wxEVT_LEFT_DOWN, {5, 5});
    EXPECT_EQ(view()->Model().m_pSelected, hit);
}

TEST_F(ViewTest, RealScrollKeysAndWheelMoveByTheGridsSizes) {
    Start();
    app().OpenDocumentFile(MakeFolder("scroll", 150, 40, 30));
    SizeView(540, 480);
    const ScrollSizes s = view()->Scrolls();
    const int client = view()->GetClientSize().y;
    ASSERT_EQ(s.pageHeight % 103, 0) << "whole rows per page";
    wxUIActionSimulator sim;
    sim.MouseMove(view()->ClientToScreen(wxPoint(20, 20)));
    Pump(30);
    sim.MouseClick();  // the keys go to the grid now
    Pump(50);
    auto top = [&] { return view()->GetViewStart().y; };
    // Page Down scrolls a page and takes the selection as many rows down.
    const long cols = view()->Model().m_nCols, pageRows = s.pageHeight / 103;
    auto selected = [&] { return view()->Model().m_list.IndexOf(view()->Model().m_pSelected); };
    sim.Char(WXK_PAGEDOWN);
    EXPECT_TRUE(PumpUntil([&] { return top() == s.pageHeight; })) << top();
    EXPECT_EQ(selected(), pageRows * cols);
    // Down moves the selection a row; it stays in view, so nothing scrolls.
    sim.Char(WXK_DOWN);
    EXPECT_TRUE(PumpUntil([&] { return selected() == (pageRows + 1) * cols; })) << selected();
    EXPECT_EQ(top(), s.pageHeight);
    sim.Char(WXK_END);
    EXPECT_TRUE(PumpUntil([&] { return top() == s.totalHeight - client; }))
        << top() << " of " << s.totalHeight - client;
    sim.Char(WXK_HOME);
    EXPECT_TRUE(PumpUntil([&] { return top() == 0; })) << top();
    // One turn of the wheel towards the user: three lines (X button 5).
    ASSERT_EQ(std::system("xdotool click 5"), 0);
    EXPECT_TRUE(PumpUntil([&] { return top() == std::min(3 * s.lineHeight, s.pageHeight); }))
        << top();
}

TEST_F(ViewTest, OpenFolderFromTheBrowser) {
    Start();
    const std::string folder = MakeFolder("browse", 2);
    shell.QueueChoice(folder + "/");
    wxCommandEvent e(wxEVT_MENU, res::ToWxId(res::ID_OPEN_FOLDER));
    frame()->ProcessWindowEvent(e);
    EXPECT_EQ(view()->Model().m_list.size(), 2u);
    EXPECT_EQ(frame()->GetTitle(), wxString::FromUTF8("Pixfold - " + folder));
    EXPECT_EQ(app().RecentList().at(0), folder) << "the trimmed folder heads the list";
    EXPECT_EQ(app().Document()->GetPathName(), folder + "/");
    bool sawTitle = false;
    for (const auto& ev : shell.Events()) {
        sawTitle |= ev.kind == RecordingShell::Event::BrowseFolder &&
                    ev.caption == "Folder to search for JPGs";
    }
    EXPECT_TRUE(sawTitle);

    // Cancelled: nothing changes.
    frame()->ProcessWindowEvent(e);
    EXPECT_EQ(view()->Model().m_list.size(), 2u);
}

TEST_F(ViewTest, WhileThumbnailsAreMadeTheGridIsLaidOutForTheNewFolder) {
    // A message box in the middle of a scan lets the grid repaint behind it:
    // it must show the new folder's records in rows, not in the columns and
    // rows of what was there before.
    Start();
    SizeView(520, 400);
    const std::string folder = MakeFolder("mixed", 12, 40, 30);
    WriteFile(folder + "/f-bad.jpg", "not a JPEG at all");
    struct Watching : RecordingShell {
        std::function<void()> onMessage;
        int Message(const std::string& text, unsigned style, const std::string& caption,
                    MsgOwner owner) override {
            onMessage();
            return RecordingShell::Message(text, style, caption, owner);
        }
    } watching;
    int cols = -1, rows = -1;
    watching.onMessage = [&] {
        cols = view()->Model().m_nCols;
        rows = view()->Model().m_nRows;
    };
    ShellScope watch(watching);
    app().OpenDocumentFile(folder);
    ASSERT_FALSE(watching.Messages().empty());
    EXPECT_EQ(cols, 5);
    EXPECT_EQ(rows, 3) << "13 records in 5 columns";
}

TEST_F(ViewTest, EmptyFolderSaysNoFilesFound) {
    Start();
    const std::string folder = dir / "nothing";
    MakeDirs(folder);
    app().OpenDocumentFile(folder);
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"No files found."});
    EXPECT_EQ(frame()->GetTitle(), wxString::FromUTF8("Pixfold - " + folder));
    EXPECT_EQ(view()->Scrolls().totalWidth, 100);
}

TEST_F(ViewTest, RealKeysMoveTheSelectionOpenItAndShowTheContextMenu) {
    Start();
    app().OpenDocumentFile(MakeFolder("grid", 12));
    SizeView(540, 480);  // 5 columns: rows of 5, 5 and 2
    ASSERT_EQ(view()->Model().m_nCols, 5);
    wxUIActionSimulator sim;
    // A click on the empty end of the last row: the keys go to the grid, nothing selected.
    sim.MouseMove(view()->ClientToScreen(wxPoint(450, 250)));
    Pump(30);
    sim.MouseClick();
    Pump(50);
    ASSERT_EQ(view()->Model().m_pSelected, nullptr);
    auto selected = [&] { return view()->Model().m_list.IndexOf(view()->Model().m_pSelected); };
    const struct {
        int key;
        long want;
    } moves[] = {{WXK_RIGHT, 0}, {WXK_DOWN, 5}, {WXK_LEFT, 4}, {WXK_RIGHT, 5}, {WXK_DOWN, 10},
                 {WXK_UP, 5},    {WXK_END, 11}, {WXK_HOME, 0}, {WXK_DOWN, 5}};
    for (const auto& m : moves) {
        sim.Char(m.key);
        EXPECT_TRUE(PumpUntil([&] { return selected() == m.want; }))
            << "key " << m.key << ": " << selected() << " not " << m.want;
    }
    EXPECT_EQ(frame()->StatusPaneText(1), "f") << "the status bar follows, as for a click";
    EXPECT_EQ(frame()->StatusPaneText(4), view()->Model().m_list.at(5).m_strDim);

    // Enter opens the selected picture, as a double click.
    sim.Char(WXK_RETURN);
    wxWindow* opened = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (wxWindow* w : wxTopLevelWindows) {
            auto* iw = dynamic_cast<CImageWnd*>(w);
            if (iw && !iw->IsBeingDeleted() && iw->GetTitle() == "f") {
                opened = iw;
            }
        }
        return opened != nullptr;
    }));
    opened->Destroy();
    frame()->Raise();
    sim.MouseClick();
    Pump(50);

    // The menu key and Shift+F10 pop the context menu up at the selected cell
    // (the cell stays selected, Make Thumbs of F10 does not run).
    int menus = 0;
    bool made = false;
    AnswerModals<CMakeThumbsDlg> answer([&](CMakeThumbsDlg&) {
        made = true;
        return wxID_CANCEL;
    });
    // While a menu is up it is counted and closed with Escape.
    wxTimer look;
    bool counted = false;
    look.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (!view()->ShownContextMenu()) {
            counted = false;
        } else if (!counted) {
            counted = true;
            ++menus;
            sim.Char(WXK_ESCAPE);
        }
    });
    look.Start(50);
    sim.Char(WXK_MENU);
    EXPECT_TRUE(PumpUntil([&] { return menus == 1 && !view()->ShownContextMenu(); })) << "Menu key";
    sim.Char(WXK_F10, wxMOD_SHIFT);
    EXPECT_TRUE(PumpUntil([&] { return menus == 2 && !view()->ShownContextMenu(); }))
        << "Shift+F10";
    Pump(100);
    look.Stop();
    EXPECT_FALSE(made);
    EXPECT_EQ(selected(), 5);
}

TEST_F(ViewTest, CtrlPlusMinusAndCtrlWheelStepThePitchAsThePreferencesDo) {
    Start();
    app().OpenDocumentFile(MakeFolder("pitch", 4, 160, 120));
    SizeView(540, 400);
    wxUIActionSimulator sim;
    sim.MouseMove(view()->ClientToScreen(wxPoint(20, 20)));
    Pump(30);
    sim.MouseClick();
    Pump(50);
    auto stored = [&] { return app().m_pSettings->GetInt("Settings", "Pitch", 0); };
    ASSERT_EQ(view()->Model().m_prefs.pitch, 103);
    sim.Char('+', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_prefs.pitch == 114; }))
        << view()->Model().m_prefs.pitch;
    EXPECT_EQ(stored(), 115) << "stored as the slider's position";
    EXPECT_EQ(view()->Model().m_list.at(0).m_nThumbWidth, 111u)
        << "thumbnails rebuilt at the new pitch";
    sim.Char('-', wxMOD_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_prefs.pitch == 100; }))
        << view()->Model().m_prefs.pitch;
    // The wheel with Ctrl held: away from the user is larger.
    ASSERT_EQ(std::system("xdotool keydown ctrl click 4 keyup ctrl"), 0);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_prefs.pitch == 112; }))
        << view()->Model().m_prefs.pitch;
    ASSERT_EQ(std::system("xdotool keydown ctrl click 5 keyup ctrl"), 0);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_prefs.pitch == 98; }))
        << view()->Model().m_prefs.pitch;
}

TEST_F(ViewTest, TheGridHasTheKeysFromTheStart) {
    // No click first: the arrow keys work as soon as the window is up, and
    // after a scan with the real progress window.
    Start("", false);
    app().OpenDocumentFile(MakeFolder("start", 3));
    frame()->Raise();
    ASSERT_TRUE(PumpUntil([&] { return frame()->IsActive(); }));
    wxUIActionSimulator sim;
    sim.Char(WXK_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_pSelected != nullptr; }, 3000));
}
