#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/UserGuide.h"
#include "dialogs/LinkLogic.h"
#include "platform/AppIcon.h"
#include "platform/ConfigDir.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(LinkTarget, MailtoIsPrefixedOnceAndWebLinksStayAsTheyAre) {
    std::string mail;
    PrepareLinkTarget(mail, "pixfold@example.org", "pixfold@");
    EXPECT_EQ(mail, "mailto:pixfold@example.org");
    PrepareLinkTarget(mail, "pixfold@example.org", "pixfold@");
    EXPECT_EQ(mail, "mailto:pixfold@example.org") << "once per control";
    std::string web;
    PrepareLinkTarget(web, "https://pixfold.example.org/", "pixfold@");
    EXPECT_EQ(web, "https://pixfold.example.org/");
    std::string kept = "https://first/";
    PrepareLinkTarget(kept, "changed text", "");
    EXPECT_EQ(kept, "https://first/") << "the text is taken at the first click only";
}

TEST(LinkHover, CaptureReleaseAndTheQuietSecond) {
    EXPECT_EQ(HoverFor(false, false, true), HoverAction::Capture);
    EXPECT_EQ(HoverFor(false, true, true), HoverAction::None);
    EXPECT_EQ(HoverFor(false, true, false), HoverAction::Release);
    EXPECT_EQ(HoverFor(false, false, false), HoverAction::None);
    EXPECT_EQ(HoverFor(true, false, true), HoverAction::None) << "ignored after a click";
    EXPECT_EQ(HoverFor(true, true, false), HoverAction::None);
}

TEST(AppIcon, OpaqueTileTransparentCornersAnySize) {
    for (int size : {16, 48, 256}) {
        const auto px = RenderAppIcon(size);
        ASSERT_EQ(px.size(), size_t(size) * size);
        EXPECT_EQ(px[0] >> 24, 0u) << "rounded corner";
        EXPECT_EQ(px[size_t(size / 2) * size + size / 2] >> 24, 255u);
    }
}

TEST(UserGuide, FoundBesideTheProgramOrInItsShareFolder) {
    TempDir dir;
    MakeDirs(dir / "bin");
    EXPECT_EQ(FindUserGuide(dir / "bin"), "");
    MakeDirs(dir / "share/pixfold");
    WriteFile(dir / "share/pixfold/pixfold-guide.html", "<html>");
    EXPECT_EQ(FindUserGuide(dir / "bin"), dir / "bin/../share/pixfold/pixfold-guide.html");
    WriteFile(dir / "bin/pixfold-guide.html", "<html>");
    EXPECT_EQ(FindUserGuide(dir / "bin"), dir / "bin/pixfold-guide.html");
}
