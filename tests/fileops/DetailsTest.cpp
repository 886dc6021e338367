#include <gtest/gtest.h>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "fileops/Details.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(Details, OneCrLfLinePerRecordInCatalogueOrder) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    MakeJpeg(dir / "c.jpg", 50, 40);
    MakeJpeg(dir / "b.jpeg", 40, 50);
    WriteFile(dir / "a.jpg", std::string(512, 'x'));  // not a picture, still listed
    ThumbCatalog list;
    OpenFolder(list, dir.path(), ScanSettings{103, kSortName, 0});
    ASSERT_EQ(list.size(), 3u);
    const std::string text = FormatDetails(list);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
        lines.push_back(text.substr(start, pos - start));
    }
    EXPECT_EQ(start, text.size()) << "no trailing text without a line end";
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("a\t512\t", 0), 0u);
    EXPECT_EQ(lines[0], "a\t512\t" + list.at(0).m_strDate + "\t");
    EXPECT_EQ(lines[1], "b\t" + list.at(1).m_strSize + "\t" + list.at(1).m_strDate + "\t40 x 50");
    EXPECT_EQ(lines[2].substr(0, 2), "c\t");

    const std::string out = dir / "details.txt";
    ASSERT_TRUE(WriteDetailsFile(list, out));
    EXPECT_EQ(ReadFile(out), text);
    list.Remove(&list.at(0));
    ASSERT_TRUE(WriteDetailsFile(list, out));
    EXPECT_EQ(ReadFile(out), FormatDetails(list)) << "the second run replaces the file";
    EXPECT_FALSE(WriteDetailsFile(list, dir / "missing/details.txt"));
}

TEST(Details, ControlCharactersInNamesBecomeSpaces) {
    ThumbRecord r;
    r.m_strTitle = "tab\there\rcr\nlf";
    r.m_strSize = "1";
    r.m_strDate = "d";
    r.m_strDim = "1 x 1";
    EXPECT_EQ(FormatDetailsLine(r), "tab here cr lf\t1\td\t1 x 1");
}
