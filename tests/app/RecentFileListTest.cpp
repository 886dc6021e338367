#include <gtest/gtest.h>

#include "TestUtil.h"
#include "app/RecentFileList.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(RecentFileList, AddMovesToTopAndKeepsTheLimit) {
    RecentFileList l(3);
    for (const char* p : {"/a", "/b", "/c", "/d"}) {
        l.Add(p);
    }
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l.at(0), "/d");
    EXPECT_EQ(l.at(2), "/b");
    l.Add("/b");
    EXPECT_EQ(l.at(0), "/b");
    EXPECT_EQ(l.size(), 3u);
    RecentFileList none(0);
    none.Add("/a");
    EXPECT_EQ(none.size(), 0u);
}

TEST(RecentFileList, SavesItsSectionAndKeepsTheRest) {
    TempDir dir;
    const std::string ini = dir / "Pixfold.INI";
    WriteFile(ini,
              "[Settings]\r\nPitch=120\r\n[Recent File List]\r\nFile1=/old\r\n[Other]\r\nk=v\r\n");
    RecentFileList l(4);
    l.Load(ini);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l.at(0), "/old");
    l.Add("/new folder");
    ASSERT_TRUE(l.Save(ini));
    EXPECT_EQ(ReadFile(ini),
              "[Settings]\r\nPitch=120\r\n[Recent File List]\r\nFile1=/new folder\r\nFile2=/old\r\n"
              "[Other]\r\nk=v\r\n");
    RecentFileList again(1);
    again.Load(ini);
    ASSERT_EQ(again.size(), 1u) << "only as many as the list holds";
    EXPECT_EQ(again.at(0), "/new folder");
}

TEST(RecentFileList, NoListLeavesTheFileAndBrokenNamesAreNotStored) {
    TempDir dir;
    const std::string ini = dir / "Pixfold.INI";
    const std::string stored = "[Recent File List]\r\nFile1=/a\r\nFile2=/b\r\n";
    WriteFile(ini, stored);
    RecentFileList none(0);
    none.Load(ini);
    EXPECT_TRUE(none.Save(ini));
    EXPECT_EQ(ReadFile(ini), stored) << "the entries wait for a count above 0";

    RecentFileList l(4);
    l.Load(ini);
    l.Add("/new\nline");
    l.Add("/c\r");
    l.Add("/d");
    EXPECT_EQ(l.size(), 4u) << "this run's menu still has them";
    ASSERT_TRUE(l.Save(ini));
    EXPECT_EQ(ReadFile(ini), "[Recent File List]\r\nFile1=/d\r\nFile2=/a\r\n");
}

TEST(RecentFileList, NewFileGetsTheSection) {
    TempDir dir;
    RecentFileList l(2);
    l.Add("/x");
    ASSERT_TRUE(l.Save(dir / "cfg/Pixfold.INI"));
    EXPECT_EQ(ReadFile(dir / "cfg/Pixfold.INI"), "[Recent File List]\r\nFile1=/x\r\n");
}

TEST(RecentFileList, MenuTextNumbersAndShortens) {
    RecentFileList l(16);
    l.Add("/home/anna/Pictures/2024/Summer holidays in the mountains/day 3");
    l.Add("/p&q");
    EXPECT_EQ(l.MenuText(0), "&1 /p&&q");
    const std::string t = l.MenuText(1);
    EXPECT_EQ(t.rfind("&2 /home/...", 0), 0u) << t;
    EXPECT_LE(t.size(), 3 + RecentFileList::kMaxDisplay);
    EXPECT_NE(t.find("/day 3"), std::string::npos);
    for (int i = 0; i < 10; ++i) {
        l.Add("/f" + std::to_string(i));
    }
    EXPECT_EQ(l.MenuText(9), "10 /f0");
}
