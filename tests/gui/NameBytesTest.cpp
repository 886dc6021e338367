// Names that are not UTF-8 (a Latin-1 "café", as old cameras and copied disks
// have them) through the real window: the toolkit's own message boxes, choosers
// closed with the Enter key, captions, status bar, the desktop's opener.

#include <sys/stat.h>
#include <unistd.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>
#include <optional>

#include <cstdlib>

#include "GuiTestUtil.h"
#include "jpeg/JpegFile.h"
#include "platform/WxText.h"
#include "publish/MakeThumbsDlg.h"
#include "res/CommandIds.h"
#include "res/WxIds.h"
#include "viewer/ImageWnd.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

const std::string kCafe = "caf\xE9";               // Latin-1
const std::string kCafeShown = "caf\xEF\xBF\xBD";  // as shown: "caf" and U+FFFD

// Closes message boxes with OK, recording their texts; lets choosers show,
// after `onChooser` has had a look at them.
class DialogAnswers : public wxModalDialogHook {
  public:
    std::vector<std::string> messages;
    std::function<void(wxDialog*)> onChooser;

  protected:
    int Enter(wxDialog* dialog) override {
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            messages.push_back(box->GetMessage().utf8_string());
            return wxID_OK;
        }
        if (onChooser &&
            (dynamic_cast<wxFileDialog*>(dialog) || dynamic_cast<wxDirDialog*>(dialog))) {
            onChooser(dialog);
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
};

// Presses Enter once the chooser is on screen. A chooser still open five
// seconds later is cancelled, so a fault fails the test instead of hanging it.
void AnswerWithEnter(wxDialog* chooser) {
    chooser->CallAfter([chooser] {
        PumpUntil([chooser] { return chooser->IsShown(); }, 3000);
        Pump(300);
        wxUIActionSimulator keys;
        keys.Char(WXK_RETURN);
        if (!PumpUntil([chooser] { return !chooser->IsShown(); }, 5000)) {
            ADD_FAILURE() << "the chooser did not close";
            chooser->EndModal(wxID_CANCEL);
        }
    });
}

class NameBytesTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // White pictures, so that only captions are dark.
        Preset([](SettingsStore& s) {
            s.SetInt("Settings", "ColorCheck", 0);
            s.SetInt("Settings", "BackColor", 0xFFFFFF);
            s.SetInt("Settings", "TextColor", 0x000000);
            s.SetInt("Settings", "NoDelDlg", 1);
        });
        Start();
        folder = dir / kCafe;
        MakeDirs(folder);
        std::vector<uint8_t> white(160 * 120 * 3, 255);
        ASSERT_TRUE(JpegFile::WriteRgb(folder + "/" + kCafe + ".jpg", white.data(), 160, 120, 90));
        // The program's own shell: real message boxes and choosers.
        scope.reset();
        answers.Register();
    }
    void TearDown() override {
        answers.Unregister();
        g_allowModal = false;
        AppTest::TearDown();
    }
    void Command(int id) {
        wxCommandEvent e(wxEVT_MENU, res::ToWxId(id));
        frame()->ProcessWindowEvent(e);
    }
    DialogAnswers answers;
    std::string folder;
};

}  // namespace

TEST(FileNameText, PathsRoundTripAndShownTextDropsNothing) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (const std::string& p : {all, kCafe, std::string("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"),
                                 std::string("\xF4\x80\x83\xA9"), std::string("été")}) {
        EXPECT_EQ(PathFromWx(PathToWx(p)), p);
    }
    EXPECT_EQ(ShownText("été " + kCafe).utf8_string(), "été " + kCafeShown);
    // Overlong, surrogate, past U+10FFFF, cut short: one U+FFFD a byte.
    EXPECT_EQ(ShownText("\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82").length(), 14u);
}

TEST_F(NameBytesTest, BrowseShowMoveAndDeleteALatinOneName) {
    g_allowModal = true;
    // Open Folder: the browser, pointed at the folder as a user would browse
    // to it, closed with Enter.
    answers.onChooser = [&](wxDialog* d) {
        static_cast<wxDirDialog*>(d)->SetPath(PathToWx(folder));
        AnswerWithEnter(d);
    };
    Command(res::ID_OPEN_FOLDER);
    ASSERT_EQ(view()->Model().m_list.size(), 1u);
    EXPECT_EQ(view()->Model().m_list.at(0).m_strPath, folder + "/" + kCafe + ".jpg");
    EXPECT_EQ(frame()->GetTitle().utf8_string(), "Pixfold - " + dir.path() + "/" + kCafeShown);

    // The name caption is drawn, and a click shows the name in the status bar.
    const wxImage img = Render();
    int dark = 0;
    for (int y = 82; y < 101; ++y) {
        for (int x = 1; x < 100; ++x) {
            dark += img.GetRed(x, y) < 100;
        }
    }
    EXPECT_GT(dark, 10) << "name caption";
    Mouse(wxEVT_LEFT_DOWN, {20, 20});
    ASSERT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(0));
    EXPECT_EQ(frame()->StatusPaneText(1), kCafeShown);
    EXPECT_EQ(frame()->GetMenuBar()->GetLabel(wxID_FILE1).utf8_string(),
              "&1 " + dir.path() + "/" + kCafeShown);
    // The image window's title.
    view()->OpenImageWindow(view()->Model().m_pSelected);
    for (wxWindow* w : wxTopLevelWindows) {
        if (auto* image = dynamic_cast<CImageWnd*>(w)) {
            EXPECT_EQ(image->GetTitle().utf8_string(), kCafeShown);
            image->Destroy();
        }
    }
    Pump(20);

    // Move or Rename opens on the photo's own folder and name: Enter keeps
    // them, which names a file that exists.
    answers.onChooser = [](wxDialog* d) { AnswerWithEnter(d); };
    Command(res::ID_MOVE_RENAME_THUMB);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], "The file name you chose\n" + dir.path() + "/" + kCafeShown +
                                       "/" + kCafeShown +
                                       ".jpg\nis a file that already exists.\n\nPlease "
                                       "choose a different name.");
    // Another name renames the photo in its own folder. (Set in the name field
    // rather than typed: the chooser may reset that field while it reads the
    // folder, and keys typed before then are lost.)
    answers.onChooser = [](wxDialog* d) {
        static_cast<wxFileDialog*>(d)->SetFilename("b.jpg");
        AnswerWithEnter(d);
    };
    Command(res::ID_MOVE_RENAME_THUMB);
    EXPECT_TRUE(Exists(folder + "/b.jpg"));
    ASSERT_EQ(view()->Model().m_list.size(), 1u);
    EXPECT_EQ(view()->Model().m_list.at(0).m_strPath, folder + "/b.jpg");
    EXPECT_EQ(view()->Model().m_pSelected, &view()->Model().m_list.at(0));

    // A delete the file system refuses names the path; then one that works.
    ASSERT_EQ(rename((folder + "/b.jpg").c_str(), (folder + "/c.jpg").c_str()), 0);
    Command(res::ID_DELETE_THUMB);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[1],
              "Could not delete file\n" + dir.path() + "/" + kCafeShown + "/b.jpg");
    ASSERT_EQ(rename((folder + "/c.jpg").c_str(), (folder + "/b.jpg").c_str()), 0);
    Command(res::ID_DELETE_THUMB);
    EXPECT_FALSE(Exists(folder + "/b.jpg"));
    EXPECT_TRUE(view()->Model().m_list.empty());
}

TEST_F(NameBytesTest, DetailsAndPublishingKeepTheBytes) {
    app().OpenDocumentFile(folder);
    ASSERT_EQ(view()->Model().m_list.size(), 1u);

    // Details are written in the working folder (here the Latin-1 one) and
    // handed to the desktop's opener by their exact path.
    const std::string bin = dir / "bin";
    MakeDirs(bin);
    WriteFile(bin + "/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + dir.path() + "/opened'\n");
    chmod((bin + "/xdg-open").c_str(), 0755);
    const std::string oldPath = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", (bin + ":" + oldPath).c_str(), 1);
    char old[4096];
    ASSERT_TRUE(getcwd(old, sizeof old));
    ASSERT_EQ(chdir(folder.c_str()), 0);
    Command(res::ID_SHOW_DETAILS);
    ASSERT_EQ(chdir(old), 0);
    EXPECT_TRUE(PumpUntil([&] { return Exists(dir / "opened"); }));
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(ReadFile(folder + "/details.txt").rfind(kCafe + "\t", 0), 0u);
    EXPECT_EQ(ReadFile(dir / "opened"), folder + "/details.txt");

    // Make Thumbs: the folder and page fields give back the bytes they were given.
    std::optional<AnswerModals<CMakeThumbsDlg>> answer1(std::in_place, [&](CMakeThumbsDlg& dlg) {
        dlg.m_strThumbFolder = folder;
        dlg.m_bHtml = 1;
        dlg.m_strHtmlPath = folder + "/" + kCafe + ".html";
        dlg.TransferDataToWindow();
        dlg.m_strThumbFolder.clear();
        dlg.m_strHtmlPath.clear();
        EXPECT_TRUE(dlg.TransferDataFromWindow());
        return wxID_OK;
    });
    Command(res::ID_MAKE_THUMBS);
    answer1.reset();
    EXPECT_TRUE(Exists(folder + "/" + kCafe + "_tn.jpg"));
    EXPECT_NE(ReadFile(folder + "/" + kCafe + ".html").find("src=\"caf%E9_tn.jpg\""),
              std::string::npos);
    EXPECT_TRUE(answers.messages.empty());
}
