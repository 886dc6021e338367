#include <sys/stat.h>
#include <unistd.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdlib>

#include "GuiTestUtil.h"
#include "app/WxShell.h"
#include "catalog/MoreOptions.h"
#include "fileops/WarningDlg.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::test;
using namespace pixfold::res;

namespace {

class FileCommandsTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Start();
        folder = MakeFolder("f", 3);
        app().OpenDocumentFile(folder);
        Render();
    }
    void Command(int id) {
        wxCommandEvent e(wxEVT_MENU, ToWxId(id));
        frame()->ProcessWindowEvent(e);
    }
    void Select(size_t index) {
        const Rect& c = view()->Model().m_list.at(index).m_rcCell;
        Mouse(wxEVT_LEFT_DOWN, view()->CalcScrolledPosition(wxPoint(c.left + 3, c.top + 3)));
        ASSERT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(index));
    }
    std::vector<std::string> Titles() {
        std::vector<std::string> t;
        for (const auto& r : view()->Model().m_list) {
            t.push_back(r->m_strTitle);
        }
        return t;
    }
    std::string folder;
};

}  // namespace

TEST(WxFilter, TableFiltersInTheToolkitsForm) {
    EXPECT_EQ(ToWxFilter("JPG Files (*.jpg)|*.jpg| All Files (*.*)|*.*||"),
              "JPG Files (*.jpg)|*.jpg;*.JPG|All Files (*.*)|*");
    EXPECT_EQ(ToWxFilter("Htm Files (*.htm)|*.htm|Text Files (*.txt)|*.txt||"),
              "Htm Files (*.htm)|*.htm;*.HTM|Text Files (*.txt)|*.txt;*.TXT");
}

TEST_F(FileCommandsTest, WarningDialogFromItsTemplate) {
    CWarningDlg dlg(frame());
    dlg.m_strMessage = "Sure?";
    EXPECT_EQ(dlg.GetTitle(), "Warning!");
    const int rc = RunModal(dlg, [&] {
        EXPECT_EQ(dynamic_cast<wxStaticText*>(dlg.Control(IDC_WARNING_TEXT))->GetLabelText(),
                  "Sure?");
        auto* box = dynamic_cast<wxCheckBox*>(dlg.Control(IDC_WARNING_DONT_SHOW));
        EXPECT_EQ(box->GetLabel(), "Dont' show this warning in the future.");
        box->SetValue(true);
        wxCommandEvent yes(wxEVT_BUTTON, IDOK_BUTTON);
        dlg.ProcessWindowEvent(yes);
    });
    EXPECT_EQ(rc, wxID_OK);
    EXPECT_EQ(dlg.m_bDontShow, 1);
}

TEST_F(FileCommandsTest, WarningStartsOnYesSoSpaceNeverTicksTheBox) {
    // The real dialog, through the program's own shell, from real keys.
    WxShell real;
    real.SetMainWindow(frame());
    ShellScope scope(real);
    wxUIActionSimulator sim;
    bool focusOnYes = false;
    DriveModals drive([&](wxDialog* d) {
        auto* dlg = dynamic_cast<CWarningDlg*>(d);
        ASSERT_TRUE(dlg);
        ASSERT_TRUE(PumpUntil([&] { return dlg->IsActive(); }));
        focusOnYes = wxWindow::FindFocus() == dlg->Control(IDOK_BUTTON);
        sim.Char(' ');
        if (!PumpUntil([&] { return !dlg->IsModal(); }, 1000)) {
            sim.Char(WXK_RETURN);
            PumpUntil([&] { return !dlg->IsModal(); });
        }
    });
    g_allowModal = true;
    sim.MouseMove(view()->ClientToScreen(wxPoint(110, 50)));
    Pump(30);
    sim.MouseClick();
    ASSERT_TRUE(
        PumpUntil([&] { return view()->Model().m_pSelected == &view()->Model().m_list.at(1); }));
    sim.Char(WXK_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 2; })) << "Yes deleted it";
    g_allowModal = false;
    EXPECT_TRUE(focusOnYes);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoDelDlg", 0), 0) << "the box stays clear";
    EXPECT_FALSE(wxFileExists(folder + "/b.jpg"));
}

TEST_F(FileCommandsTest, WithTheOptionDeleteMovesToTheTrashAfterNamingTheFile) {
    MoreOptions trash;
    trash.deleteToTrash = true;
    view()->ApplyMoreOptions(trash);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "DeleteToTrash", 0), 1);
    wxUIActionSimulator sim;
    sim.MouseMove(view()->ClientToScreen(wxPoint(110, 50)));
    Pump(30);
    sim.MouseClick();
    ASSERT_TRUE(
        PumpUntil([&] { return view()->Model().m_pSelected == &view()->Model().m_list.at(1); }));
    shell.QueueWarning(IDYES, false);
    sim.Char(WXK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 2; }));
    EXPECT_EQ(shell.Warnings(),
              std::vector<std::string>{"You are about to move this JPEG to the Trash:\n" + folder +
                                       "/b.jpg\n\nAre you sure you want to do this?"});
    EXPECT_FALSE(wxFileExists(folder + "/b.jpg"));
    const char* data = std::getenv("XDG_DATA_HOME");
    ASSERT_TRUE(data);
    EXPECT_TRUE(wxFileExists(std::string(data) + "/Trash/files/b.jpg")) << "can be put back";
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoDelDlg", 0), 0);

    // A memory file system keeps no Trash: asked again before deleting for good.
    const std::string shm = "/dev/shm/pixfold-gui-" + std::to_string(getpid());
    if (access("/dev/shm", W_OK) != 0 || !MakeDirs(shm)) {
        return;
    }
    MakeJpeg(shm + "/m.jpg", 40, 30);
    app().OpenDocumentFile(shm);
    ASSERT_TRUE(PumpUntil([&] { return view()->Model().m_list.size() == 1; }));
    Render();
    Select(0);
    shell.Clear();
    shell.QueueWarning(IDYES, false);
    shell.QueueAnswer(IDNO);
    Command(ID_DELETE_THUMB);
    ASSERT_EQ(shell.Messages().size(), 1u);
    EXPECT_EQ(shell.Messages()[0].rfind(
                  "This JPEG cannot be moved to the Trash:\n" + shm + "/m.jpg\n\n", 0),
              0u)
        << shell.Messages()[0];
    EXPECT_TRUE(wxFileExists(shm + "/m.jpg")) << "No keeps it";
    EXPECT_EQ(view()->Model().m_list.size(), 1u);
    shell.QueueWarning(IDYES, false);
    shell.QueueAnswer(IDYES);
    Command(ID_DELETE_THUMB);
    EXPECT_FALSE(wxFileExists(shm + "/m.jpg")) << "Yes deletes it";
    EXPECT_TRUE(view()->Model().m_list.empty());
    rmdir(shm.c_str());
}

TEST_F(FileCommandsTest, DetailsFollowTheFolderLastUsedInTheChooser) {
    const std::string other = dir / "other";
    MakeDirs(other);
    MakeDirs(dir / "home");
    char before[4096];
    ASSERT_TRUE(getcwd(before, sizeof before));
    ASSERT_EQ(chdir((dir / "home").c_str()), 0);  // where a launcher starts it
    {
        // The real chooser, answered with a real Enter.
        WxShell real;
        real.SetMainWindow(frame());
        ShellScope scope(real);
        wxUIActionSimulator sim;
        DriveModals drive([&](wxDialog* d) {
            auto* chooser = dynamic_cast<wxFileDialog*>(d);
            ASSERT_TRUE(chooser);
            if (!chooser->IsModal()) {
                return;  // the toolkit's own chooser reports its loop twice
            }
            chooser->SetPath(wxString::FromUTF8(other + "/moved.jpg"));
            PumpUntil([&] { return chooser->IsShownOnScreen(); });
            Pump(300);  // mapped and given the focus by the window manager
            sim.Char(WXK_RETURN);
            const bool closed = PumpUntil([&] { return !chooser->IsModal(); });
            if (!closed) {
                chooser->EndModal(wxID_CANCEL);  // so that the test goes on
            }
            EXPECT_TRUE(closed) << "Enter accepts the chooser";
        });
        g_allowModal = true;
        Select(0);
        Command(ID_MOVE_RENAME_THUMB);
        g_allowModal = false;
    }
    char now[4096];
    const std::string cwd = getcwd(now, sizeof now) ? now : "";
    Command(ID_SHOW_DETAILS);
    ASSERT_EQ(chdir(before), 0);
    EXPECT_TRUE(wxFileExists(other + "/moved.jpg")) << "moved";
    EXPECT_EQ(cwd, other);
    EXPECT_TRUE(wxFileExists(other + "/details.txt"));
    EXPECT_FALSE(wxFileExists(dir / "home/details.txt"));
}

TEST_F(FileCommandsTest, DeleteAsksDeletesAndClearsTheSelection) {
    Select(1);
    Command(ID_DELETE_THUMB);  // no queued answer: "No"
    EXPECT_TRUE(Exists(folder + "/b.jpg"));
    EXPECT_EQ(view()->Model().m_list.size(), 3u);
    shell.QueueWarning(IDYES, false);
    Command(ID_DELETE_THUMB);
    EXPECT_FALSE(Exists(folder + "/b.jpg"));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(view()->Model().m_pSelected, nullptr);
    frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(ToWxId(ID_DELETE_THUMB)));
}

TEST_F(FileCommandsTest, NoDelDlgDeletesAtOnce) {
    app().m_pSettings->SetInt("Settings", "NoDelDlg", 1);
    Select(0);
    Command(ID_DELETE_THUMB);
    EXPECT_FALSE(Exists(folder + "/a.jpg"));
    EXPECT_TRUE(shell.Warnings().empty());
}

TEST_F(FileCommandsTest, RefusedDeleteKeepsRecordAndSelection) {
    Select(2);
    chmod(folder.c_str(), 0555);
    const bool root = geteuid() == 0;
    shell.QueueWarning(IDYES, false);
    if (root) {
        // Permissions do not stop root: take the file away so the delete fails.
        unlink((folder + "/c.jpg").c_str());
    }
    Command(ID_DELETE_THUMB);
    chmod(folder.c_str(), 0755);
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.Messages().back(), "Could not delete file\n" + folder + "/c.jpg");
    EXPECT_EQ(view()->Model().m_list.size(), 3u);
    EXPECT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(2));
}

TEST_F(FileCommandsTest, RenameKeepsPlaceAndSelection) {
    Select(0);
    shell.QueueChoice(folder + "/z.jpg");
    Command(ID_MOVE_RENAME_THUMB);
    EXPECT_EQ(shell.LastSaveAs().initialPath, folder + "/a.jpg");
    EXPECT_EQ(shell.LastSaveAs().defaultExt, "jpg");
    EXPECT_FALSE(shell.LastSaveAs().overwritePrompt);
    EXPECT_TRUE(Exists(folder + "/z.jpg"));
    EXPECT_FALSE(Exists(folder + "/a.jpg"));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"z", "b", "c"})) << "no new sort";
    EXPECT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(0));
    EXPECT_TRUE(view()->Model().m_list.at(0).m_pDib);
}

TEST_F(FileCommandsTest, ADifferentlyCasedFolderIsAnotherFolder) {
    Select(0);
    std::string upper = folder;
    upper.replace(upper.rfind("/f"), 2, "/F");
    MakeDirs(upper);
    shell.QueueChoice(upper + "/a.jpg");
    Command(ID_MOVE_RENAME_THUMB);
    EXPECT_TRUE(Exists(upper + "/a.jpg"));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "c"})) << "moved away, not renamed";
    EXPECT_EQ(view()->Model().m_pSelected, nullptr);
}

TEST_F(FileCommandsTest, MoveToAnotherFolderRemovesTheThumbnail) {
    const std::string other = dir / "other";
    MakeDirs(other);
    Select(1);
    shell.QueueChoice(other + "/b.jpg");
    Command(ID_MOVE_RENAME_THUMB);
    EXPECT_TRUE(Exists(other + "/b.jpg"));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(view()->Model().m_pSelected, nullptr);
}

TEST_F(FileCommandsTest, CrossFileSystemMoveThroughTheCopy) {
    const std::string other = dir / "other";
    MakeDirs(other);
    view()->SetMoveMode(MoveMode::ForceCopy);
    Select(1);
    const std::string before = ReadFile(folder + "/b.jpg");
    shell.QueueChoice(other + "/b2.jpg");
    Command(ID_MOVE_RENAME_THUMB);
    EXPECT_EQ(ReadFile(other + "/b2.jpg"), before);
    EXPECT_FALSE(Exists(folder + "/b.jpg"));
    EXPECT_EQ(view()->Model().m_list.size(), 2u);
}

TEST_F(FileCommandsTest, ExistingTargetIsNeverReplaced) {
    Select(0);
    shell.QueueChoice(folder + "/b.jpg");
    Command(ID_MOVE_RENAME_THUMB);
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.Messages().back(),
              "The file name you chose\n" + folder +
                  "/b.jpg\nis a file that already exists.\n\nPlease choose a different name.");
    EXPECT_TRUE(Exists(folder + "/a.jpg"));

    // Exists but cannot be read: the move itself refuses, naming the source.
    if (geteuid() != 0) {
        chmod((folder + "/c.jpg").c_str(), 0);
        shell.QueueChoice(folder + "/c.jpg");
        Command(ID_MOVE_RENAME_THUMB);
        chmod((folder + "/c.jpg").c_str(), 0644);
        EXPECT_EQ(
            shell.Messages().back().rfind("Could not move or rename file\n" + folder + "/a.jpg", 0),
            0u);
        EXPECT_TRUE(Exists(folder + "/a.jpg"));
    }
}

TEST_F(FileCommandsTest, DetailsFileTwiceAndOpened) {
    TempDir cwd;
    char old[4096];
    ASSERT_TRUE(getcwd(old, sizeof old));
    ASSERT_EQ(chdir(cwd.path().c_str()), 0);
    Command(ID_SHOW_DETAILS);
    const std::string first = ReadFile(cwd / "details.txt");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 3);
    EXPECT_EQ(first.rfind("a\t", 0), 0u);
    std::vector<std::string> opened;
    for (const auto& e : shell.Events()) {
        if (e.kind == RecordingShell::Event::Open) {
            opened.push_back(e.text);
        }
    }
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], cwd / "details.txt");
    view()->RemoveRecord(&view()->Model().m_list.at(0));
    Command(ID_SHOW_DETAILS);
    const std::string second = ReadFile(cwd / "details.txt");
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 2) << "replaced whole";
    ASSERT_EQ(chdir(old), 0);
}

TEST_F(FileCommandsTest, DetailsThatCannotBeWrittenSaySo) {
    TempDir cwd;
    char old[4096];
    ASSERT_TRUE(getcwd(old, sizeof old));
    ASSERT_EQ(chdir(cwd.path().c_str()), 0);
    mkdir((cwd / "details.txt").c_str(), 0755);  // a folder in the way
    Command(ID_SHOW_DETAILS);
    ASSERT_EQ(chdir(old), 0);
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.Messages().back(), "Error opening file.");
}

TEST_F(FileCommandsTest, RefreshSeesOutsideChangesAndDropsTheSelection) {
    Select(0);
    MakeJpeg(folder + "/d.jpg", 30, 30);
    Command(ID_REFRESH);
    EXPECT_EQ(view()->Model().m_list.size(), 4u);
    EXPECT_EQ(view()->Model().m_pSelected, nullptr);
    EXPECT_TRUE(shell.Messages().empty());
    view()->Reload(true);
    EXPECT_EQ(shell.Messages(),
              std::vector<std::string>{"Images have changed and will be reloaded now."});
}

TEST_F(FileCommandsTest, CloseViewEmptiesAndDisablesTheSelectionCommands) {
    Select(0);
    Command(ID_CLOSE_VIEW);
    EXPECT_TRUE(view()->Model().m_list.empty());
    EXPECT_EQ(app().Document()->GetPathName(), "");
    frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(ToWxId(ID_DELETE_THUMB)));
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(ToWxId(ID_MOVE_RENAME_THUMB)));
    EXPECT_FALSE(frame()->GetMenuBar()->IsEnabled(ToWxId(ID_REFRESH)));
    EXPECT_EQ(view()->Scrolls().totalWidth, 100);
    // The same folder opens again from the recent list.
    app().OnOpenRecentFile(0);
    EXPECT_EQ(view()->Model().m_list.size(), 3u);
}

TEST_F(FileCommandsTest, DeleteWorksDuringAShow) {
    view()->Model().m_prefs.random = 0;
    view()->OnStartSlideShow();
    view()->OnSlideTick();
    ASSERT_TRUE(view()->m_pSlideWnd);
    Select(1);
    EXPECT_TRUE(view()->IsCommandEnabled(ID_DELETE_THUMB));
    shell.QueueWarning(IDYES, false);
    Command(ID_DELETE_THUMB);
    EXPECT_EQ(view()->Model().m_list.size(), 2u);
    view()->OnSlideTick();
    EXPECT_EQ(view()->m_pSlideWnd->m_strTitle, "c") << "b left; the show goes on with c";
    view()->StopSlideShow();
    Pump(20);
}
