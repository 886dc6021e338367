#include <unistd.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "GuiTestUtil.h"
#include "jpeg/JpegFile.h"
#include "publish/MakeThumbsDlg.h"
#include "res/WxIds.h"

using namespace pixfold;
using namespace pixfold::test;
using namespace pixfold::res;

namespace {

class MakeThumbsTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Start();
        folder = MakeFolder("imgs", 3, 400, 300);
        app().OpenDocumentFile(folder);
        Render();
    }
    std::unique_ptr<CMakeThumbsDlg> Make(bool selection) {
        auto d =
            std::make_unique<CMakeThumbsDlg>(frame(), *app().m_pSettings, folder + "/", selection);
        d->m_strThumbFolder = folder;
        d->TransferDataToWindow();
        d->OnInitDialogState();
        return d;
    }
    template <typename T>
    T* Ctl(CMakeThumbsDlg& d, int id) {
        return dynamic_cast<T*>(d.Control(id));
    }
    void Check(CMakeThumbsDlg& d, int id, bool on) { Ctl<wxCheckBox>(d, id)->SetValue(on); }
    void RunMakeThumbs(const std::function<int(CMakeThumbsDlg&)>& hook) {
        AnswerModals<CMakeThumbsDlg> answer(hook);
        wxCommandEvent e(wxEVT_MENU, ToWxId(ID_MAKE_THUMBS));
        frame()->ProcessWindowEvent(e);
    }
    std::string folder;
};

}  // namespace

TEST_F(MakeThumbsTest, NothingSelectedHidesDoAllAndProcessesAll) {
    auto d = Make(false);
    EXPECT_FALSE(d->Control(IDC_DO_ALL)->IsShown());
    EXPECT_EQ(d->m_bDoAll, 1);
    EXPECT_TRUE(Ctl<wxCheckBox>(*d, IDC_DO_ALL)->GetValue());
    auto s = Make(true);
    EXPECT_TRUE(s->Control(IDC_DO_ALL)->IsShown());
}

TEST_F(MakeThumbsTest, ControlStatesFollowTheOptions) {
    auto d = Make(true);
    EXPECT_FALSE(d->Control(IDC_HREF)->IsEnabled());
    EXPECT_FALSE(d->Control(IDC_SYNC_FOLDERS)->IsEnabled());
    Check(*d, IDC_HTML, true);
    d->OnHtmlClicked();
    EXPECT_TRUE(d->Control(IDC_HREF)->IsEnabled());
    EXPECT_TRUE(d->Control(IDC_HTML_PATH)->IsEnabled());
    EXPECT_FALSE(d->Control(IDC_ROW_COUNT)->IsEnabled());
    Check(*d, IDC_TABLE, true);
    d->OnTableClicked();
    EXPECT_TRUE(d->Control(IDC_ROW_COUNT)->IsEnabled());
    Check(*d, IDC_DO_ALL, false);
    d->OnDoAllClicked();
    EXPECT_FALSE(d->Control(IDC_TABLE)->IsEnabled());
    EXPECT_FALSE(d->Control(IDC_ROW_COUNT)->IsEnabled());
}

TEST_F(MakeThumbsTest, ValidationPromptsAndKeepsTheDialogOpen) {
    auto d = Make(true);
    Ctl<wxTextCtrl>(*d, IDC_SIZE_LIMIT)->ChangeValue("9");
    EXPECT_FALSE(d->TransferDataFromWindow());
    EXPECT_EQ(shell.Messages().back(), "Please enter an integer between 10 and 5000.");
    Ctl<wxTextCtrl>(*d, IDC_SIZE_LIMIT)->ChangeValue("abc");
    EXPECT_FALSE(d->TransferDataFromWindow());
    Ctl<wxTextCtrl>(*d, IDC_SIZE_LIMIT)->ChangeValue("5000");
    Ctl<wxTextCtrl>(*d, IDC_ROW_COUNT)->ChangeValue("2001");
    EXPECT_FALSE(d->TransferDataFromWindow()) << "checked even while the field is disabled";
    EXPECT_EQ(shell.Messages().back(), "Please enter an integer between 2 and 2000.");
    // OK with an invalid field: the dialog stays open.
    int rc = RunModal(*d, [&] {
        Ctl<wxTextCtrl>(*d, IDC_SIZE_LIMIT)->ChangeValue("5000");
        Ctl<wxTextCtrl>(*d, IDC_ROW_COUNT)->ChangeValue("1");
        d->OnOK();
        EXPECT_TRUE(d->IsModal());
        Ctl<wxTextCtrl>(*d, IDC_ROW_COUNT)->ChangeValue("2000");
        d->OnOK();
    });
    EXPECT_EQ(rc, wxID_OK);
    EXPECT_EQ(d->m_nSizeLimit, 5000u);
    EXPECT_EQ(d->m_nRowCount, 2000u);
}

TEST_F(MakeThumbsTest, SyncFoldersAndBrowsers) {
    auto d = Make(true);
    Ctl<wxTextCtrl>(*d, IDC_THUMB_FOLDER)->ChangeValue("");
    d->OnSyncFolders();
    EXPECT_EQ(shell.Messages().back(), "First, please specify a Folder for the ThumbNails.");
    Ctl<wxTextCtrl>(*d, IDC_THUMB_FOLDER)->ChangeValue("/web/thumbs");
    Ctl<wxTextCtrl>(*d, IDC_HTML_PATH)->ChangeValue("/old/index.html");
    d->OnSyncFolders();
    EXPECT_EQ(d->m_strHtmlPath, "/web/thumbs/index.html");
    Ctl<wxTextCtrl>(*d, IDC_HTML_PATH)->ChangeValue("");
    d->OnSyncFolders();
    EXPECT_EQ(Ctl<wxTextCtrl>(*d, IDC_HTML_PATH)->GetValue(), "/web/thumbs/temp.html");
    shell.QueueChoice("/chosen/page.htm");
    d->OnBrowseHtml();
    EXPECT_EQ(d->m_strHtmlPath, "/chosen/page.htm");
    EXPECT_TRUE(shell.LastSaveAs().overwritePrompt);
    EXPECT_EQ(shell.LastSaveAs().defaultExt, "htm");
    shell.QueueChoice("/chosen/folder");
    d->OnBrowseFolder();
    EXPECT_EQ(Ctl<wxTextCtrl>(*d, IDC_THUMB_FOLDER)->GetValue(), "/chosen/folder");
}

TEST_F(MakeThumbsTest, OriginalNameAsksAboutOverwriting) {
    auto d = Make(true);
    // "No": back to "Append File Name with _tn".
    Ctl<wxRadioButton>(*d, IDC_ORIGINAL_NAME)->SetValue(true);
    d->OnOriginalNameClicked();
    EXPECT_EQ(d->m_nPrepend, 0);
    EXPECT_TRUE(Ctl<wxRadioButton>(*d, IDC_APPEND_TN)->GetValue());
    ASSERT_EQ(shell.Warnings().size(), 1u);
    EXPECT_EQ(shell.Warnings()[0],
              "You are about to overwrite your original JPEGs.\nYour original images will be "
              "destroyed.\n\nAre you sure you want to do this?");
    // "Yes": approved; OK closes without a second warning.
    shell.QueueWarning(IDYES, false);
    Ctl<wxRadioButton>(*d, IDC_ORIGINAL_NAME)->SetValue(true);
    d->OnOriginalNameClicked();
    EXPECT_EQ(d->m_bOverwriteApproved, 1);
    d->OnOK();
    EXPECT_EQ(d->GetReturnCode(), wxID_OK);
    EXPECT_EQ(shell.Warnings().size(), 2u);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "NoOverDlg", 0), 0);
}

TEST_F(MakeThumbsTest, TheImagesFolderInAnySpellingWarns) {
    auto d = Make(true);
    ASSERT_EQ(symlink(folder.c_str(), (dir / "link").c_str()), 0);
    for (const std::string& same :
         {folder, folder + "/", folder + "/.", "/" + folder, dir / "link"}) {
        d->m_strThumbFolder = same;
        EXPECT_FALSE(d->CheckOverwrite()) << same << ": warned and answered No";
    }
    EXPECT_EQ(shell.Warnings().size(), 5u);
    std::string upper = folder;
    upper.replace(upper.rfind("/imgs"), 5, "/IMGS");
    MakeDirs(upper);
    d->m_strThumbFolder = upper;
    EXPECT_TRUE(d->CheckOverwrite()) << "another letter case is another folder";
    EXPECT_EQ(shell.Warnings().size(), 5u);
    app().m_pSettings->SetInt("Settings", "NoOverDlg", 1);
    d->m_strThumbFolder = folder;
    EXPECT_TRUE(d->CheckOverwrite());
}

TEST_F(MakeThumbsTest, ApprovalIsGivenOnlyForTheImagesFolder) {
    auto d = Make(true);
    // Original names chosen while another folder is named: nothing to approve...
    Ctl<wxTextCtrl>(*d, IDC_THUMB_FOLDER)->ChangeValue(wxString::FromUTF8(dir.path()));
    Ctl<wxRadioButton>(*d, IDC_ORIGINAL_NAME)->SetValue(true);
    d->OnOriginalNameClicked();
    EXPECT_TRUE(shell.Warnings().empty());
    EXPECT_EQ(d->m_bOverwriteApproved, 0);
    // ...so naming the images' folder afterwards is still checked at OK.
    Ctl<wxTextCtrl>(*d, IDC_THUMB_FOLDER)->ChangeValue(wxString::FromUTF8(folder + "/."));
    d->OnOK();
    EXPECT_EQ(shell.Warnings().size(), 1u);
    EXPECT_NE(d->GetReturnCode(), wxID_OK) << "answered No: the dialog stays open";
}

TEST_F(MakeThumbsTest, StoredPrependTwoIsCheckedAtOk) {
    app().m_pSettings->SetInt("Settings", "Prepend", 2);
    RunMakeThumbs([&](CMakeThumbsDlg& d) {
        d.TransferDataToWindow();
        d.OnInitDialogState();
        EXPECT_TRUE(Ctl<wxRadioButton>(d, IDC_ORIGINAL_NAME)->GetValue());
        d.OnOK();  // warning answered No: stays open
        EXPECT_NE(d.GetReturnCode(), wxID_OK);
        return wxID_CANCEL;
    });
    EXPECT_EQ(shell.Warnings().size(), 1u);
    EXPECT_FALSE(Exists(folder + "/a_tn.jpg")) << "cancelled: nothing written";
}

TEST_F(MakeThumbsTest, CommandWritesThumbnailsPageAndStoresOptions) {
    const std::string out = dir / "web";
    RunMakeThumbs([&](CMakeThumbsDlg& d) {
        d.TransferDataToWindow();
        d.OnInitDialogState();
        EXPECT_EQ(Ctl<wxTextCtrl>(d, IDC_SIZE_LIMIT)->GetValue(), "100");
        EXPECT_EQ(Ctl<wxTextCtrl>(d, IDC_THUMB_FOLDER)->GetValue(), wxString::FromUTF8(folder))
            << "the images' folder without its separator";
        Ctl<wxTextCtrl>(d, IDC_THUMB_FOLDER)->ChangeValue(wxString::FromUTF8(out));
        Check(d, IDC_HTML, true);
        d.OnHtmlClicked();
        Check(d, IDC_HREF, true);
        Ctl<wxTextCtrl>(d, IDC_HTML_PATH)->ChangeValue(wxString::FromUTF8(out + "/index.htm"));
        d.OnOK();
        return d.GetReturnCode();
    });
    EXPECT_TRUE(Exists(out + "/a_tn.jpg") || !Exists(out)) << "the folder must exist first";
    MakeDirs(out);
    RunMakeThumbs([&](CMakeThumbsDlg& d) {
        d.TransferDataToWindow();
        d.OnInitDialogState();
        EXPECT_EQ(d.m_bHtml, 1) << "stored by the first run";
        d.OnOK();
        return d.GetReturnCode();
    });
    EXPECT_TRUE(Exists(out + "/a_tn.jpg"));
    EXPECT_TRUE(Exists(out + "/c_tn.jpg"));
    const std::string page = ReadFile(out + "/index.htm");
    EXPECT_NE(page.find("file://" + folder + "/a.jpg"), std::string::npos) << "absolute links";
    EXPECT_EQ(app().m_pSettings->GetString("Settings", "Folder", ""), out);
    EXPECT_EQ(app().m_pSettings->GetInt("Settings", "Href", 0), 1);
}

TEST_F(MakeThumbsTest, HtmlOffStillStoresThePageValues) {
    RunMakeThumbs([&](CMakeThumbsDlg& d) {
        d.TransferDataToWindow();
        d.OnInitDialogState();
        Ctl<wxTextCtrl>(d, IDC_HTML_PATH)->ChangeValue("/x/page.htm");
        Ctl<wxTextCtrl>(d, IDC_THUMB_FOLDER)->ChangeValue(wxString::FromUTF8(dir.path()));
        d.OnOK();
        return d.GetReturnCode();
    });
    EXPECT_EQ(app().m_pSettings->GetString("Settings", "File", ""), "/x/page.htm");
    EXPECT_FALSE(Exists("/x/page.htm"));
}

TEST_F(MakeThumbsTest, OriginalNamesInTheImagesFolderThenReload) {
    shell.QueueWarning(IDYES, false);
    RunMakeThumbs([&](CMakeThumbsDlg& d) {
        d.TransferDataToWindow();
        d.OnInitDialogState();
        Ctl<wxRadioButton>(d, IDC_ORIGINAL_NAME)->SetValue(true);
        d.OnOriginalNameClicked();
        d.OnOK();
        return d.GetReturnCode();
    });
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(folder + "/a.jpg", w, h));
    EXPECT_EQ(w, 100u);
    EXPECT_EQ(shell.Messages().back(), "Images have changed and will be reloaded now.");
    EXPECT_EQ(view()->Model().m_list.size(), 3u);
    EXPECT_EQ(view()->Model().m_list.at(0).m_nImageWidth, 100u) << "reloaded from disk";
}
