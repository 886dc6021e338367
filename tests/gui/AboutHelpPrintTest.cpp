#include <wx/dcmemory.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <algorithm>
#include <optional>

#include "GuiTestUtil.h"
#include "app/GridPrintout.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/LinkLogic.h"
#include "dialogs/StaticLink.h"
#include "res/WxIds.h"

using namespace pixfold;
using namespace pixfold::test;
using namespace pixfold::res;

namespace {

class AboutHelpPrintTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        Start();
    }
    std::vector<std::string> Opened() {
        std::vector<std::string> out;
        for (const auto& e : shell.Events()) {
            if (e.kind == RecordingShell::Event::Open) {
                out.push_back(e.text);
            }
        }
        return out;
    }
};

}  // namespace

TEST_F(AboutHelpPrintTest, AboutBoxFromItsTemplate) {
    bool shown = false;
    std::optional<AnswerModals<CAboutDialog>> answer1(std::in_place, [&](CAboutDialog& d) {
        shown = true;
        EXPECT_EQ(d.GetTitle(), "About Pixfold");
        EXPECT_EQ(d.m_mailLink->GetLabel(), kMakerMail);
        EXPECT_EQ(d.m_webLink->GetLabel(), kMakerWeb);
        EXPECT_EQ(d.m_mailLink->GetId(), IDC_MAIL_LINK);
        const wxPoint pos = d.ConvertDialogToPixels(wxPoint(115, 70));
        EXPECT_EQ(d.m_webLink->GetPosition(), pos);
        bool version = false;
        for (wxWindow* w : d.GetChildren()) {
            if (auto* t = dynamic_cast<wxStaticText*>(w)) {
                version |= t->GetLabel() == "Pixfold Version 2.0";
            }
        }
        EXPECT_TRUE(version);
        return wxID_OK;
    });
    wxCommandEvent about(wxEVT_MENU, wxID_ABOUT);
    frame()->ProcessWindowEvent(about);
    answer1.reset();
    EXPECT_TRUE(shown);
}

TEST_F(AboutHelpPrintTest, EnterWithThePointerOnALinkClosesCleanlyAndOpensAgain) {
    wxUIActionSimulator sim;
    int shown = 0;
    std::optional<AnswerModals<CAboutDialog>> answer2(std::in_place, [&](CAboutDialog& d) {
        ++shown;
        [&] {
            ASSERT_TRUE(PumpUntil([&] { return d.IsActive(); }));
            // Resting on the link: it holds the mouse to track the pointer.
            const wxRect link = d.m_webLink->GetScreenRect();
            sim.MouseMove(link.GetLeft() + link.GetWidth() / 2,
                          link.GetTop() + link.GetHeight() / 2);
            EXPECT_TRUE(PumpUntil([&] { return d.m_webLink->m_bCaptured == 1; }));
            sim.Char(WXK_RETURN);  // OK, the default button
            EXPECT_TRUE(PumpUntil([&] { return !d.IsModal(); }));
        }();
        return wxID_OK;
    });
    for (int i = 0; i < 2; ++i) {
        wxCommandEvent about(wxEVT_MENU, wxID_ABOUT);
        frame()->ProcessWindowEvent(about);
        EXPECT_EQ(wxWindow::GetCapture(), nullptr) << "nothing holds the mouse afterwards";
    }
    answer2.reset();
    EXPECT_EQ(shown, 2);
}

TEST_F(AboutHelpPrintTest, LinksColourOpenAndRememberForTheRun) {
    {
        CAboutDialog d(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
        CStaticLink* web = d.m_webLink;
        EXPECT_FALSE(web->Notifies()) << "the template's static does not notify";
        web->Colorize();
        EXPECT_TRUE(web->Notifies()) << "the first colouring adds the notify bit";
        EXPECT_TRUE(web->m_fontUnderline.GetUnderlined());
        EXPECT_EQ(web->CurrentColor(), kLinkUnvisited);
        web->OnClicked();
        EXPECT_EQ(Opened(), std::vector<std::string>{kMakerWeb});
        EXPECT_EQ(web->CurrentColor(), kLinkVisited);
        EXPECT_EQ(app().m_bWebLinkVisited, 1);
        EXPECT_EQ(app().m_bMailLinkVisited, 0);
    }
    // Reopened: still purple, for the rest of the run.
    CAboutDialog again(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
    EXPECT_EQ(again.m_webLink->CurrentColor(), kLinkVisited);
    EXPECT_EQ(again.m_mailLink->CurrentColor(), kLinkUnvisited);
}

TEST_F(AboutHelpPrintTest, MailLinkTwiceOpensTheSameMailtoTarget) {
    CAboutDialog d(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
    d.m_mailLink->OnClicked();
    d.m_mailLink->OnQuietTimer();
    d.m_mailLink->OnClicked();
    EXPECT_EQ(Opened(), (std::vector<std::string>{std::string("mailto:") + kMakerMail,
                                                  std::string("mailto:") + kMakerMail}));
}

TEST_F(AboutHelpPrintTest, QuietSecondAfterAClickAndTheHandWhileHovering) {
    CAboutDialog d(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
    CStaticLink* web = d.m_webLink;
    web->OnPointerMove(true);
    EXPECT_EQ(web->m_bCaptured, 1);
    web->OnPointerMove(false);
    EXPECT_EQ(web->m_bCaptured, 0);
    web->OnClicked();
    EXPECT_EQ(web->m_bClickedRecently, 1);
    EXPECT_TRUE(web->QuietTimer().IsRunning());
    EXPECT_EQ(web->QuietTimer().GetInterval(), 1000);
    web->OnPointerMove(true);
    EXPECT_EQ(web->m_bCaptured, 0) << "movement ignored during the quiet second";
    web->OnQuietTimer();
    EXPECT_FALSE(web->QuietTimer().IsRunning());
    web->OnPointerMove(true);
    EXPECT_EQ(web->m_bCaptured, 1);
    web->OnPointerMove(false);
    EXPECT_TRUE(CStaticLink::HandCursor().IsOk());
}

TEST_F(AboutHelpPrintTest, AFailedOpenBeepsAndChangesNothing) {
    shell.SetOpenResult(false);
    CAboutDialog d(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
    d.m_webLink->OnClicked();
    EXPECT_EQ(shell.Count(RecordingShell::Event::Beep), 1);
    EXPECT_TRUE(shell.Messages().empty());
    EXPECT_EQ(app().m_bWebLinkVisited, 0);
    EXPECT_EQ(d.m_webLink->CurrentColor(), kLinkUnvisited);
}

TEST_F(AboutHelpPrintTest, OtherStaticTypesKeepTheirLook) {
    CAboutDialog d(frame(), &app().m_bMailLinkVisited, &app().m_bWebLinkVisited);
    CStaticLink* icon = CStaticLink::Subclass(d.Control(IDC_ABOUT_ICON), CStaticLink::kIcon);
    icon->Colorize();
    EXPECT_TRUE(icon->Notifies());
    EXPECT_FALSE(icon->m_fontUnderline.IsOk()) << "no underlined font for an icon";
}

TEST_F(AboutHelpPrintTest, HelpOpensTheGuideAndShiftF1EntersContextHelp) {
    wxCommandEvent f1(wxEVT_MENU, wxID_HELP);
    frame()->ProcessWindowEvent(f1);
    wxCommandEvent topics(wxEVT_MENU, wxID_HELP_CONTENTS);
    frame()->ProcessWindowEvent(topics);
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].rfind("file://", 0), 0u);
    EXPECT_NE(opened[0].find("pixfold-guide.html"), std::string::npos);
    wxCommandEvent shiftF1(wxEVT_MENU, wxID_CONTEXT_HELP);
    frame()->ProcessWindowEvent(shiftF1);
    const auto events = shell.Events();
    EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const auto& e) {
        return e.kind == RecordingShell::Event::ContextHelp;
    })) << "the context-help mode";
    EXPECT_FALSE(view()->GetHelpText().empty());
}

TEST_F(AboutHelpPrintTest, PrintoutKeepsWholeRowsOnThePage) {
    app().OpenDocumentFile(MakeFolder("print", 30, 160, 120));
    // Letter paper at 100 dots per inch: the screen's 96 pixels per inch give
    // it 816 pixels of width, fewer than the window's columns need, and a
    // narrow window whose columns fit.
    auto printPage = [&](std::vector<int>& gridLines) {
        Render();
        CGridPrintout printout(view());
        wxBitmap page(850, 1100, 24);
        wxMemoryDC dc(page);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        printout.SetDC(&dc);
        printout.SetPageSizePixels(850, 1100);
        printout.SetPaperRectPixels(wxRect(0, 0, 850, 1100));
        printout.SetPPIScreen(96, 96);
        printout.SetPPIPrinter(100, 100);
        printout.SetPageSizeMM(216, 279);
        printout.OnPreparePrinting();
        int minPage = 0, maxPage = 0, from = 0, to = 0;
        printout.GetPageInfo(&minPage, &maxPage, &from, &to);
        EXPECT_EQ(minPage, 1);
        EXPECT_TRUE(printout.HasPage(maxPage));
        EXPECT_FALSE(printout.HasPage(maxPage + 1));
        ASSERT_TRUE(printout.OnPrintPage(1));
        dc.SelectObject(wxNullBitmap);
        // The vertical grid lines, in the white band above the pictures of
        // the first row (drawn grey where the page is scaled).
        const wxImage img = page.ConvertToImage();
        gridLines.clear();
        for (int x = 0; x < img.GetWidth(); ++x) {
            int dark = 0;
            for (int y = 2; y < 10; ++y) {
                dark += img.GetRed(x, y) + img.GetGreen(x, y) + img.GetBlue(x, y) < 3 * 200;
            }
            if (dark == 8 && (gridLines.empty() || gridLines.back() < x - 1)) {
                gridLines.push_back(x);
            }
        }
    };
    std::vector<int> lines;
    ASSERT_GT(view()->Model().m_nCols * 103 * 100 / 96, 850)
        << "wider than the page at screen size";
    printPage(lines);
    EXPECT_EQ(static_cast<int>(lines.size()), view()->Model().m_nCols) << "every column on paper";
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines.back(), 850);

    // Narrow enough to fit: one screen pixel takes its screen size on paper.
    const wxSize now = view()->GetClientSize();
    const wxSize frameNow = frame()->GetSize();
    frame()->SetSize(frameNow.x - (now.x - 430), frameNow.y);
    Pump(50);
    view()->SetScrolls();
    ASSERT_EQ(view()->Model().m_nCols, 4);
    printPage(lines);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NEAR(lines[0], 102 * 100 / 96, 2);
}
