#include <unistd.h>
#include <wx/accel.h>
#include <wx/aui/auibar.h>
#include <wx/eventfilter.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

#include <map>
#include <regex>
#include <set>

#include "GuiTestUtil.h"
#include "app/UserGuide.h"
#include "catalog/FindFilesDlg.h"
#include "res/DialogTemplates.h"
#include "res/Keys.h"
#include "res/WxIds.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class FrameTest : public AppTest {
  protected:
    Placement Stored() {
        SettingsStore& s = *app().m_pSettings;
        return {s.GetInt("Screen", "x", -1), s.GetInt("Screen", "y", -1),
                s.GetInt("Screen", "cx", -1), s.GetInt("Screen", "cy", -1)};
    }
    static wxRect ToRect(const Placement& p) { return {p.x, p.y, p.cx, p.cy}; }
};

bool MenuEnabled(CMainFrame* f, int frameworkOrProgramId) {
    f->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    return f->GetMenuBar()->IsEnabled(res::ToWxId(frameworkOrProgramId));
}

}  // namespace

TEST_F(FrameTest, FirstStartOpensAtTheDefaultPlacementAndWritesIt) {
    Start();
    const wxSize screen = CMainFrame::ScreenSize();
    const Placement want = DefaultPlacement(screen.x, screen.y);
    EXPECT_EQ(frame()->GetRect(), ToRect(want));
    EXPECT_EQ(Stored(), want);
    EXPECT_EQ(frame()->GetTitle(), "Pixfold");
}

TEST_F(FrameTest, StoredPlacementHoldsUnderTheWindowManagerAcrossRestarts) {
    Preset([](SettingsStore& s) { SavePlacement(s, {101, 100, 600, 400}); });
    for (int run = 0; run < 2; ++run) {
        Start();
        EXPECT_EQ(frame()->GetRect(), wxRect(101, 100, 600, 400)) << "run " << run;
        EXPECT_EQ(Stored(), (Placement{101, 100, 600, 400})) << "no transient values";
        Stop();
    }
    // Dragged by its title bar, as a user moves it: the new place is kept.
    Start();
    wxUIActionSimulator sim;
    const wxPoint title(101 + 300, 100 + 8);
    sim.MouseMove(title);
    Pump(50);
    sim.MouseDown();
    for (int step = 1; step <= 10; ++step) {
        sim.MouseMove(title + wxPoint(4 * step, 3 * step));
        Pump(10);
    }
    sim.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return frame()->GetPosition() == wxPoint(141, 130); }))
        << frame()->GetPosition().x << "," << frame()->GetPosition().y;
    EXPECT_EQ(Stored(), (Placement{141, 130, 600, 400}));
    Stop();
    Start();
    EXPECT_EQ(frame()->GetRect(), wxRect(141, 130, 600, 400));
}

TEST_F(FrameTest, StoredPlacementIsRestoredAndMovesAreSaved) {
    Preset([](SettingsStore& s) { SavePlacement(s, {40, 50, 600, 400}); });
    Start();
    const wxRect r = frame()->GetRect();
    EXPECT_EQ(r.width, 600);
    EXPECT_EQ(r.height, 400);
    frame()->SetSize(70, 80, 640, 420);
    Pump(50);
    EXPECT_EQ(app().m_pSettings->GetInt("Screen", "cx", 0), 640);
    EXPECT_EQ(app().m_pSettings->GetInt("Screen", "cy", 0), 420);
    frame()->Move(-30, -40);
    Pump(50);
    EXPECT_EQ(app().m_pSettings->GetInt("Screen", "x", 99), 0) << "negative x saved as 0";
    EXPECT_EQ(app().m_pSettings->GetInt("Screen", "y", 99), 0);
}

TEST_F(FrameTest, TooLargeStoredPlacementFallsBackToTheDefault) {
    Preset([](SettingsStore& s) { SavePlacement(s, {0, 0, 5000, 400}); });
    Start();
    const wxSize screen = CMainFrame::ScreenSize();
    EXPECT_EQ(frame()->GetRect().width, DefaultPlacement(screen.x, screen.y).cx);
}

TEST_F(FrameTest, MenusToolbarStatusBarAndAccelerators) {
    Start();
    wxMenuBar* bar = frame()->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&Pixfold");
    EXPECT_EQ(bar->GetMenuLabel(2), "&View");
    wxMenuItem* open = bar->FindItem(res::ToWxId(res::ID_OPEN_FOLDER));
    ASSERT_TRUE(open);
    EXPECT_EQ(open->GetItemLabel(), "&Open Folder...\tF2");
    EXPECT_EQ(open->GetHelp(), "Open Folder");
    EXPECT_TRUE(bar->FindItem(res::ToWxId(res::ID_MOVE_RENAME_THUMB)));
    EXPECT_EQ(bar->FindItem(wxID_ABOUT)->GetItemLabel(), "&About Pixfold...");

    wxAuiToolBar* tb = frame()->ToolBar();
    ASSERT_TRUE(tb);
    EXPECT_EQ(tb->GetToolCount(), 11);
    EXPECT_EQ(tb->GetToolShortHelp(res::ToWxId(res::ID_DELETE_THUMB)), "Delete");
    EXPECT_EQ(tb->GetToolLongHelp(res::ToWxId(res::ID_DELETE_THUMB)), "Delete");
    EXPECT_EQ(tb->GetToolShortHelp(res::ToWxId(res::ID_SHOW_DETAILS)), "") << "no tooltip part";
    // Start Slide Show as dark as the desktop's other tool icons: a pale
    // icon reads as disabled.
    const wxImage play = tb->FindTool(res::ToWxId(res::ID_START_SLIDE_SHOW))
                             ->GetBitmapBundle()
                             .GetBitmap(wxSize(16, 16))
                             .ConvertToImage();
    int darkest = 255;
    for (int y = 0; y < play.GetHeight(); ++y) {
        for (int x = 0; x < play.GetWidth(); ++x) {
            if (!play.HasAlpha() || play.GetAlpha(x, y) >= 128) {
                darkest = std::min(darkest, (play.GetRed(x, y) * 299 + play.GetGreen(x, y) * 587 +
                                             play.GetBlue(x, y) * 114) /
                                                1000);
            }
        }
    }
    EXPECT_LE(darkest, 60);
    EXPECT_EQ(tb->GetToolLongHelp(res::ToWxId(res::ID_SHOW_DETAILS)), "Show Details");

    wxStatusBar* sb = frame()->GetStatusBar();
    ASSERT_EQ(sb->GetFieldsCount(), 5);
    EXPECT_EQ(sb->GetStatusText(0), "For Help, press F1");
    EXPECT_EQ(frame()->StatusPaneText(1), "     ") << "blanked by the first update";

    // The accelerator table answers each key of the key table with its command,
    // and every main-menu label shows the key that reaches the same place.
    wxAcceleratorTable* accel = frame()->GetAcceleratorTable();
    ASSERT_TRUE(accel && accel->IsOk());
    for (const res::KeyBinding& k : res::kKeys) {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = res::ToWxKey(k.key);
        key.m_controlDown = (k.mods & res::kCtrl) != 0;
        key.m_shiftDown = (k.mods & res::kShift) != 0;
        key.m_altDown = (k.mods & res::kAlt) != 0;
        EXPECT_EQ(accel->GetCommand(key), res::ToWxId(k.command)) << res::KeyLabel(k);
    }
    const std::pair<int, const char*> labels[] = {
        {res::ID_OPEN_FOLDER, "&Open Folder...\tF2"},
        {res::ID_CLOSE_VIEW, "&Close View\tF9"},
        {res::ID_DELETE_THUMB, "&Delete Thumb\tDel"},
        {res::ID_MOVE_RENAME_THUMB, "&Move or Rename Thumb...\tF3"},
        {res::ID_MAKE_THUMBS, "M&ake Thumbs...\tF10"},
        {res::ID_PREFERENCES, "&Preferences...\tF4"},
        {res::ID_REFRESH, "&Refresh\tF5"},
        {res::ID_SHOW_DETAILS, "Sh&ow Details\tF6"},
        {res::ID_START_SLIDE_SHOW, "Start Sl&ide Show\tF7"},
        {res::ID_HELP_FINDER, "&Help Topics\tF1"},
        {res::ID_APP_ABOUT, "&About Pixfold..."},
    };
    for (const auto& [id, label] : labels) {
        EXPECT_EQ(bar->FindItem(res::ToWxId(id))->GetItemLabel(), label);
    }
}

TEST_F(FrameTest, ToolbarDocksOnAnySideAndFloats) {
    Start();
    wxAuiManager& aui = frame()->Docking();
    wxAuiToolBar* tb = frame()->ToolBar();
    ASSERT_EQ(aui.GetPane(tb).dock_direction, wxAUI_DOCK_TOP);
    wxUIActionSimulator sim;
    // Drags the toolbar by its gripper (its leading end) to a point relative
    // to the frame's client area, as a user would; it docks on a side when
    // let go just beyond that edge of the client area.
    auto drag = [&](wxPoint clientTo) {
        const wxRect r = tb->GetScreenRect();
        const bool vertical = r.height > r.width;
        const wxPoint grip =
            vertical ? wxPoint(r.x + r.width / 2, r.y + 3) : wxPoint(r.x + 3, r.y + r.height / 2);
        const wxPoint to = frame()->ClientToScreen(clientTo);
        sim.MouseMove(grip);
        Pump(50);
        sim.MouseDown();
        // Quickly most of the way, then slowly onto the spot, as a hand does:
        // the toolkit only docks a pane that is moved, not one that jumps.
        const wxPoint near =
            to - (to - grip) * 30 / std::max(1, std::abs((to - grip).x) + std::abs((to - grip).y));
        for (int step = 1; step <= 10; ++step) {
            sim.MouseMove(grip + (near - grip) * step / 10);
            Pump(15);
        }
        for (int step = 1; step <= 15; ++step) {
            sim.MouseMove(near + (to - near) * step / 15);
            Pump(15);
        }
        sim.MouseUp();
        Pump(200);
    };
    const wxSize client = frame()->GetClientSize();
    drag(wxPoint(-10, client.y / 2));
    EXPECT_TRUE(PumpUntil([&] { return aui.GetPane(tb).dock_direction == wxAUI_DOCK_LEFT; }))
        << "docked on the left: " << aui.GetPane(tb).dock_direction;
    EXPECT_TRUE(PumpUntil([&] { return tb->GetSize().y > tb->GetSize().x; })) << "upright";
    drag(wxPoint(client.x / 2, client.y / 2));
    EXPECT_TRUE(PumpUntil([&] { return aui.GetPane(tb).IsFloating(); })) << "floating";
    EXPECT_EQ(wxGetTopLevelParent(tb)->GetParent(), frame()) << "a toolbar of the frame";
    drag(wxPoint(client.x + 10, client.y / 2));
    EXPECT_TRUE(PumpUntil([&] { return aui.GetPane(tb).dock_direction == wxAUI_DOCK_RIGHT; }));
    drag(wxPoint(client.x / 2, client.y + 10));
    EXPECT_TRUE(PumpUntil([&] { return aui.GetPane(tb).dock_direction == wxAUI_DOCK_BOTTOM; }));
    // The status bar stays the frame's, below everything.
    ASSERT_TRUE(frame()->GetStatusBar());
    EXPECT_GT(frame()->GetStatusBar()->GetScreenRect().y, tb->GetScreenRect().GetBottom());
}

TEST_F(FrameTest, StatusPaneFitsItsText) {
    Start();
    ASSERT_TRUE(frame()->SetStatusPane(1, "short"));
    const int narrow = frame()->StatusPaneWidth(1);
    ASSERT_TRUE(frame()->SetStatusPane(1, "a much longer file name than before"));
    const int wide = frame()->StatusPaneWidth(1);
    EXPECT_GT(wide, narrow + 50);
    EXPECT_EQ(frame()->StatusPaneText(1), "a much longer file name than before");
    ASSERT_TRUE(frame()->SetStatusPane(1, "short"));
    EXPECT_EQ(frame()->StatusPaneWidth(1), narrow) << "shorter text narrows the pane again";
}

TEST_F(FrameTest, CommandEnablingFollowsTheRules) {
    Start();
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_OPEN_FOLDER));
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_PREFERENCES));
    EXPECT_FALSE(MenuEnabled(frame(), res::ID_REFRESH));
    EXPECT_FALSE(MenuEnabled(frame(), res::ID_DELETE_THUMB));
    EXPECT_FALSE(MenuEnabled(frame(), res::ID_START_SLIDE_SHOW));
    const std::string folder = MakeFolder("f", 3);
    app().OpenDocumentFile(folder);
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_REFRESH));
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_CLOSE_VIEW));
    EXPECT_FALSE(MenuEnabled(frame(), res::ID_DELETE_THUMB));
    Render();
    Mouse(wxEVT_LEFT_DOWN, {5, 5});
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_DELETE_THUMB));
    EXPECT_TRUE(MenuEnabled(frame(), res::ID_MOVE_RENAME_THUMB));
    EXPECT_TRUE(PumpUntil(
        [&] { return frame()->ToolBar()->GetToolEnabled(res::ToWxId(res::ID_DELETE_THUMB)); }));
}

TEST_F(FrameTest, RecentListHoldsOpenedFoldersNewestFirst) {
    Start();
    const std::string a = MakeFolder("a", 1);
    const std::string b = MakeFolder("b", 1);
    app().OpenDocumentFile(a);
    app().OpenDocumentFile(b);
    wxMenuItem* first = frame()->GetMenuBar()->FindItem(wxID_FILE1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetItemLabel(), wxString::FromUTF8("&1 " + AbbreviatePath(b, 48)));
    EXPECT_TRUE(frame()->GetMenuBar()->FindItem(wxID_FILE1 + 1));
    // Kept in Pixfold.INI for the next start.
    EXPECT_NE(ReadFile(app().IniPath()).find("File2=" + a), std::string::npos);
}

TEST_F(FrameTest, RecentEntryOfTheOpenFolderDoesNotRescan) {
    Start();
    const std::string a = MakeFolder("a", 2);
    const std::string b = MakeFolder("b", 1);
    app().OpenDocumentFile(b);
    app().OpenDocumentFile(a);
    ASSERT_EQ(view()->Model().m_list.size(), 2u);
    MakeJpeg(a + "/new.jpg", 20, 20);
    app().OnOpenRecentFile(0);  // a, open now
    EXPECT_EQ(view()->Model().m_list.size(), 2u) << "not read again";
    app().OnOpenRecentFile(1);  // b
    EXPECT_EQ(view()->Model().m_list.size(), 1u);
    EXPECT_EQ(app().RecentList().at(0), b);
    EXPECT_EQ(app().Document()->GetPathName(), b);
    // After Ctrl+N the path is empty, so the same entry opens again.
    wxCommandEvent n(wxEVT_MENU, wxID_NEW);
    app().ProcessEvent(n);
    EXPECT_EQ(app().Document()->GetPathName(), "");
    app().OnOpenRecentFile(0);
    EXPECT_EQ(view()->Model().m_list.size(), 1u);
}

TEST_F(FrameTest, MruZeroShowsOnlyTheDisabledPlaceholder) {
    Preset([](SettingsStore& s) { s.SetInt("Settings", "MRU", 0); });
    Start();
    app().OpenDocumentFile(MakeFolder("a", 1));
    wxMenuItem* item = frame()->GetMenuBar()->FindItem(wxID_FILE1);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->GetItemLabel(), "Recent File");
    EXPECT_FALSE(MenuEnabled(frame(), res::ID_FILE_MRU_FILE1));
    EXPECT_FALSE(frame()->GetMenuBar()->FindItem(wxID_FILE1 + 1));
}

TEST_F(FrameTest, RecentCountChangesAtTheNextStart) {
    Start();
    const std::string a = MakeFolder("a", 1);
    const std::string b = MakeFolder("b", 1);
    app().OpenDocumentFile(a);
    PrefsChoice none;
    none.sliderPosition = view()->Model().m_prefs.pitch;
    none.useDefaultColor = 1;
    none.showFileName = 1;
    none.slideInterval = "5";
    none.mruCount = "0";
    view()->ApplyPrefsChoice(none);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "MRU", 8), 0);
    app().OpenDocumentFile(b);
    ASSERT_EQ(app().RecentList().size(), 2u) << "the list still runs in this session";
    EXPECT_EQ(app().RecentList().at(0), b);
    Stop();
    Start();
    EXPECT_EQ(app().RecentList().size(), 0u) << "no list from the next start";
    EXPECT_EQ(frame()->GetMenuBar()->FindItem(wxID_FILE1)->GetItemLabel(), "Recent File");
}

TEST_F(FrameTest, FolderOnTheCommandLineOpensOnceTheWindowExists) {
    const std::string folder = MakeFolder("cmd", 4);
    Start(folder);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 4; }));
    EXPECT_EQ(frame()->GetTitle(), wxString::FromUTF8("Pixfold - " + folder));
    EXPECT_EQ(app().Document()->GetPathName(), folder);
    EXPECT_EQ(app().RecentList().at(0), folder);
}

TEST_F(FrameTest, StartUpScanShowsItsProgressCentredOnThePlacedWindow) {
    // A folder with a damaged photo: the scan stops at its message boxes,
    // with the progress window up, as a user would see it.
    const std::string folder = MakeFolder("progress", 3);
    WriteFile(folder + "/b.jpg", "not a picture");
    wxUIActionSimulator sim;
    wxRect progress, main;
    wxPoint label, labelWanted;
    int boxes = 0;
    DriveModals drive([&](wxDialog* box) {
        if (boxes++ == 0) {
            CFindFilesDlg* p = view()->m_pFindFDlg;
            ASSERT_TRUE(p);
            progress = p->GetScreenRect();
            main = view()->GetScreenRect();
            label = p->FindWindow(res::IDC_FIND_TEXT)->GetPosition();
            labelWanted = p->ConvertDialogToPixels(wxPoint(8, 10));
        }
        (void)box;
        Pump(400);             // the box mapped and given the focus
        sim.Char(WXK_RETURN);  // OK
    });
    g_allowModal = true;
    Start(folder, false);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 3 && boxes >= 2; }, 20000));
    g_allowModal = false;
    ASSERT_GE(boxes, 1);
    const wxPoint centre = main.GetPosition() + main.GetSize() / 2;
    const wxPoint progressCentre = progress.GetPosition() + progress.GetSize() / 2;
    // (The window manager's title bar makes the outer frame a little taller.)
    EXPECT_NEAR(progressCentre.x, centre.x, 4) << "centred on the grid";
    EXPECT_NEAR(progressCentre.y, centre.y, 14) << "centred on the grid";
    EXPECT_EQ(label, labelWanted) << "the text where the template puts it";
}

TEST_F(FrameTest, RelativePathsOpenAsPlainFullPaths) {
    const std::string folder = MakeFolder("rel", 2);
    MakeDirs(dir / "other");
    char old[4096];
    ASSERT_TRUE(getcwd(old, sizeof old));
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    Start("./other/../rel/");
    const bool opened = PumpUntil([&] { return view()->Model().m_list.size() == 2; });
    ASSERT_TRUE(opened);
    EXPECT_EQ(app().Document()->GetPathName(), folder);
    EXPECT_EQ(frame()->GetTitle(), wxString::FromUTF8("Pixfold - " + folder));
    EXPECT_EQ(view()->Model().m_list.at(0).m_strPath, folder + "/a.jpg");
    // Another spelling of the same folder is the same document: one recent entry.
    MakeJpeg(folder + "/c.jpg", 20, 20);
    app().OpenDocumentFile("rel");
    ASSERT_EQ(chdir(old), 0);
    EXPECT_EQ(view()->Model().m_list.size(), 2u) << "not read again";
    EXPECT_EQ(app().RecentList().size(), 1u);
}

TEST_F(FrameTest, SaveNeverWritesOverAFolderOrAPhoto) {
    Start();
    const std::string folder = MakeFolder("s", 1);
    app().OpenDocumentFile(folder);
    wxCommandEvent save(wxEVT_MENU, wxID_SAVE);
    app().ProcessEvent(save);
    ASSERT_EQ(shell.Messages().size(), 1u);
    EXPECT_EQ(shell.Messages()[0], "Access to " + folder + " was denied.");
    // A photo opened with Ctrl+O is not truncated by Ctrl+S: the Save-As box asks.
    shell.QueueChoice(folder + "/a.jpg");
    wxCommandEvent open(wxEVT_MENU, wxID_OPEN);
    app().ProcessEvent(open);
    const std::string before = ReadFile(folder + "/a.jpg");
    app().ProcessEvent(save);  // the Save-As box is cancelled (no queued answer)
    EXPECT_EQ(ReadFile(folder + "/a.jpg"), before);
    EXPECT_TRUE(shell.LastSaveAs().overwritePrompt);
}

TEST_F(FrameTest, RealKeysReachTheirCommands) {
    Start();
    const std::string folder = MakeFolder("keys", 3);
    app().OpenDocumentFile(folder);
    frame()->Raise();
    frame()->SetFocus();
    view()->SetFocus();
    Pump(100);
    wxUIActionSimulator sim;
    const wxPoint inside = frame()->ClientToScreen(wxPoint(200, 200));
    sim.MouseMove(inside);
    Pump(50);
    // F5: Refresh sees a file added from outside.
    MakeJpeg(folder + "/d.jpg", 20, 20);
    sim.Char(WXK_F5);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 4; }, 3000)) << "F5";
    // F9: Close View.
    sim.Char(WXK_F9);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_list.empty(); }, 3000)) << "F9";
    // F2: the folder browser is asked (and cancelled).
    sim.Char(WXK_F2);
    EXPECT_TRUE(PumpUntil(
        [&] {
            for (const auto& e : shell.Events()) {
                if (e.kind == RecordingShell::Event::BrowseFolder) {
                    return true;
                }
            }
            return false;
        },
        3000))
        << "F2";
}

namespace {

// Records the commands that keys produce and keeps them from running, so that
// no dialog or browser opens while the keys are sent.
class CommandCatcher : public wxEventFilter {
  public:
    CommandCatcher() { wxEvtHandler::AddFilter(this); }
    ~CommandCatcher() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& e) override {
        if (e.GetEventType() != wxEVT_MENU) {
            return Event_Skip;
        }
        ids.insert(e.GetId());
        return Event_Processed;
    }
    std::set<int> ids;
};

struct GuideKey {
    std::string text;  // as the guide writes it, "Ctrl+Shift+P"
    unsigned mods = 0;
    int key = 0;
};

int NamedKey(const std::string& name) {
    static const std::map<std::string, int> names = {
        {"Left", res::kKeyLeft},   {"Right", res::kKeyRight},   {"Up", res::kKeyUp},
        {"Down", res::kKeyDown},   {"Home", res::kKeyHome},     {"End", res::kKeyEnd},
        {"PgUp", res::kKeyPageUp}, {"PgDn", res::kKeyPageDown}, {"Enter", res::kKeyReturn},
        {"Menu", res::kKeyMenu},   {"+", res::kKeyPlus},        {"-", res::kKeyMinus}};
    const auto it = names.find(name);
    return it == names.end() ? 0 : it->second;
}

// The grid's and the image window's own keys, which their tests send.
bool IsWindowKey(unsigned mods, int key) {
    auto in = [&](const auto& table) {
        return std::any_of(std::begin(table), std::end(table),
                           [&](const auto& k) { return k.mods == mods && k.key == key; });
    };
    return in(res::kGridKeys) || in(res::kImageKeys);
}

// Every key or combination the guide names in <kbd> elements.
std::vector<GuideKey> KeysInTheGuide(const std::string& html) {
    std::vector<GuideKey> out;
    const std::regex combo("(<kbd>[^<]+</kbd>\\+)*<kbd>[^<]+</kbd>");
    const std::regex part("<kbd>([^<]+)</kbd>");
    for (std::sregex_iterator m(html.begin(), html.end(), combo), end; m != end; ++m) {
        GuideKey k;
        const std::string s = m->str();
        for (std::sregex_iterator p(s.begin(), s.end(), part); p != end; ++p) {
            const std::string name = (*p)[1];
            k.text += (k.text.empty() ? "" : "+") + name;
            if (name == "Ctrl") {
                k.mods |= res::kCtrl;
            } else if (name == "Shift") {
                k.mods |= res::kShift;
            } else if (name == "Alt") {
                k.mods |= res::kAlt;
            } else if (name == "Del") {
                k.key = res::kKeyDelete;
            } else if (name == "Ins") {
                k.key = res::kKeyInsert;
            } else if (name == "Back") {
                k.key = res::kKeyBack;
            } else if (const int named = NamedKey(name); named != 0) {
                k.key = named;
            } else if (name.size() > 1 && name[0] == 'F') {
                k.key = res::kKeyF1 + std::stoi(name.substr(1)) - 1;
            } else if (name.size() == 1) {
                k.key = name[0];
            }
        }
        out.push_back(k);
    }
    return out;
}

}  // namespace

TEST_F(FrameTest, EveryKeyTheGuideListsReachesItsCommand) {
    const std::string exe = wxStandardPaths::Get().GetExecutablePath().utf8_string();
    const std::string guide = FindUserGuide(exe.substr(0, exe.rfind('/')));
    ASSERT_FALSE(guide.empty()) << "no user guide beside " << exe;
    const std::vector<GuideKey> keys = KeysInTheGuide(ReadFile(guide));
    ASSERT_GE(keys.size(), 15u);

    Start();
    app().OpenDocumentFile(MakeFolder("keys", 3));
    frame()->Raise();
    view()->SetFocus();
    Pump(100);
    // A click on the first thumbnail selects it, so every command is enabled.
    wxUIActionSimulator sim;
    sim.MouseMove(view()->ClientToScreen(wxPoint(20, 20)));
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_pSelected != nullptr; }, 3000));

    for (const GuideKey& k : keys) {
        if (k.key == 0) {
            // Space and Esc belong to the image windows, which test them themselves;
            // a lone Ctrl or Shift is held with the mouse wheel.
            EXPECT_TRUE(k.text == "Space" || k.text == "Esc" || k.text == "Ctrl" ||
                        k.text == "Shift")
                << "unknown key " << k.text;
            continue;
        }
        if (IsWindowKey(k.mods, k.key)) {
            continue;
        }
        const res::KeyBinding* entry = nullptr;
        for (const res::KeyBinding& a : res::kKeys) {
            if (a.mods == k.mods && a.key == k.key) {
                entry = &a;
            }
        }
        ASSERT_TRUE(entry) << k.text << " is in the guide but not in the key table";
        CommandCatcher caught;
        int mods = (k.mods & res::kCtrl ? wxMOD_CONTROL : 0) |
                   (k.mods & res::kShift ? wxMOD_SHIFT : 0) | (k.mods & res::kAlt ? wxMOD_ALT : 0);
        const int code = res::ToWxKey(k.key);
        sim.Char(code < 128 ? std::tolower(code) : code, mods);
        const int want = res::ToWxId(entry->command);
        EXPECT_TRUE(PumpUntil([&] { return caught.ids.count(want) > 0; }, 2000))
            << k.text << " did not reach command " << entry->command;
    }
    // And the other way: the guide names every key of the table.
    for (const res::KeyBinding& b : res::kKeys) {
        const bool named = std::any_of(keys.begin(), keys.end(), [&](const GuideKey& k) {
            return k.mods == b.mods && k.key == b.key;
        });
        EXPECT_TRUE(named) << res::KeyLabel(b) << " is in the key table but not in the guide";
    }
    auto inGuide = [&](unsigned mods, int key) {
        return std::any_of(keys.begin(), keys.end(),
                           [&](const GuideKey& k) { return k.mods == mods && k.key == key; });
    };
    for (const auto& b : res::kGridKeys) {
        EXPECT_TRUE(inGuide(b.mods, b.key)) << "grid key " << b.key << " is not in the guide";
    }
    for (const auto& b : res::kImageKeys) {
        EXPECT_TRUE(inGuide(b.mods, b.key)) << "image key " << b.key << " is not in the guide";
    }
}

TEST_F(FrameTest, DamagedSettingsAreSetAsideAndTheUserIsToldOnce) {
    const std::string junk(4096, 'J');
    MakeDirs(dir / "config");
    WriteFile(dir / "config/registry.db", junk);
    Start();
    Pump(50);
    const std::string copy = app().m_pSettings->Registry().DamagedCopy();
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(ReadFile(copy), junk) << "the damaged file is kept";
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{DamagedSettingsMessage(copy)});
}

TEST_F(FrameTest, ACommandThatThrowsIsReportedAndTheProgramGoesOn) {
    Start();
    const int id = wxWindow::NewControlId();
    frame()->Bind(
        wxEVT_MENU, [](wxCommandEvent&) { throw std::runtime_error("disk on fire"); }, id);
    const std::string told = "The last operation could not be completed:\ndisk on fire";
    // Queued, as CallAfter and posted events are...
    wxPostEvent(frame(), wxCommandEvent(wxEVT_MENU, id));
    Pump(50);
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{told});
    // ...and as the toolkit hands over menu choices, keys and clicks.
    wxCommandEvent e(wxEVT_MENU, id);
    e.SetEventObject(frame());
    frame()->HandleWindowEvent(e);
    Pump(50);
    EXPECT_EQ(shell.Messages(), (std::vector<std::string>{told, told}));
}
