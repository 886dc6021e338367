#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/FramePlacement.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(FramePlacement, DefaultIsNinetyFivePercentCentred) {
    EXPECT_EQ(DefaultPlacement(1024, 768), (Placement{26, 19, 972, 729}));
    EXPECT_EQ(DefaultPlacement(800, 600), (Placement{20, 15, 759, 569}));
    EXPECT_EQ(DefaultPlacement(640, 480), (Placement{16, 12, 607, 455}));
    EXPECT_EQ(DefaultPlacement(1920, 1080), (Placement{48, 27, 1823, 1025}));
}

TEST(FramePlacement, OnlyTheOriginIsTestedAgainstTheScreen) {
    EXPECT_TRUE(IsUsablePlacement({1024, 0, 500, 400}, 1024, 768)) << "x equal to the width";
    EXPECT_TRUE(IsUsablePlacement({900, 700, 1024, 768}, 1024, 768));
    EXPECT_FALSE(IsUsablePlacement({0, 0, 1025, 400}, 1024, 768));
    EXPECT_FALSE(IsUsablePlacement({-1, 0, 500, 400}, 1024, 768));
    EXPECT_FALSE(IsUsablePlacement({0, 0, 0, 400}, 1024, 768));
    EXPECT_FALSE(IsUsablePlacement({0, 769, 10, 10}, 1024, 768));
}

TEST(FramePlacement, RestoreWritesTheDefaultBackAndSaveRaisesNegatives) {
    TempDir dir;
    reg::Registry r(dir.path());
    SettingsStore s(r);
    s.Open(reg::HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, nullptr, nullptr);
    EXPECT_EQ(RestorePlacement(s, 800, 600), (Placement{20, 15, 759, 569}));
    EXPECT_EQ(s.GetInt("Screen", "cx", 0), 759);
    SavePlacement(s, {-5, -7, 300, 200});
    EXPECT_EQ(RestorePlacement(s, 800, 600), (Placement{0, 0, 300, 200}));
    s.SetInt("Screen", "cx", 2000);  // a bigger display than this one
    EXPECT_EQ(RestorePlacement(s, 800, 600), (Placement{20, 15, 759, 569}));
    // A primary display right of another one: centred on it, tested against it.
    EXPECT_EQ(RestorePlacement(s, 800, 600, 1024, 0), (Placement{1044, 15, 759, 569}));
    EXPECT_EQ(s.GetInt("Screen", "x", 0), 1044);
    SavePlacement(s, {1000, 15, 759, 569});
    EXPECT_EQ(RestorePlacement(s, 800, 600, 1024, 0), (Placement{1044, 15, 759, 569}))
        << "left of the primary display";
}
