#include <gtest/gtest.h>

#include <algorithm>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "catalog/UnreadableFiles.h"

using namespace pixfold;
using namespace pixfold::test;

// The real scan with the collector installed: the boxes it would show about
// files are kept by file, the rest still reaches the user.
TEST(UnreadableFiles, ScanMessagesGatheredIntoOneList) {
    TempDir dir;
    MakeJpeg(dir / "good.jpg", 40, 30);
    WriteFile(dir / "text.jpg", "this is not a picture at all");
    const std::string good = ReadFile(dir / "good.jpg");
    WriteFile(dir / "cut.jpg", good.substr(0, good.size() * 3 / 4));
    WriteFile(dir / "empty.jpg", "");

    RecordingShell shell;
    UnreadableFiles files;
    CollectingShell collect(shell, files);
    ThumbCatalog list;
    {
        ShellScope scope(collect);
        OpenFolder(list, dir.path(), ScanSettings{103, kSortName, 0});
    }
    EXPECT_TRUE(shell.Messages().empty());
    EXPECT_GT(shell.Count(RecordingShell::Event::ProgressText), 0) << "progress still shown";
    ASSERT_EQ(files.FileCount(), 3u);
    EXPECT_EQ(FormatUnreadableList(files.Files()),
              "These files could not be read, or only in part:\n"
              "\ncut.jpg: Premature end of JPEG file"
              "\nempty.jpg: Empty input file"
              "\ntext.jpg: Not a JPEG file: starts with 0x74 0x68");
    EXPECT_EQ(UnreadableCountText(files.FileCount()), "3 files could not be read");

    // A message about no file passes through.
    ThumbCatalog none;
    TempDir empty;
    {
        ShellScope scope(collect);
        OpenFolder(none, empty.path(), ScanSettings{});
    }
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"No files found."});
}

TEST(UnreadableFiles, ListLinesAndCount) {
    std::vector<UnreadableFiles::File> files = {
        {"/p/a\nb.jpg", {"JPEG :\nCan't open /p/a\nb.jpg\n", "JPEG Error"}},
        {"/p/c.jpg", {"JPEG Error"}},
        {"d.jpg", {"Corrupt JPEG data", "Corrupt JPEG data", "Premature end of JPEG file"}},
    };
    EXPECT_EQ(FormatUnreadableList(files),
              "These files could not be read, or only in part:\n"
              "\na\\x0ab.jpg: JPEG : Can't open /p/a b.jpg"
              "\nc.jpg: JPEG Error"
              "\nd.jpg: Corrupt JPEG data; Premature end of JPEG file");
    EXPECT_EQ(FormatUnreadableList({}), "");

    files.clear();
    for (size_t i = 0; i < kMaxListedFiles + 5; ++i) {
        files.push_back({"/p/" + std::to_string(i) + ".jpg", {"x"}});
    }
    const std::string list = FormatUnreadableList(files);
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), long(kMaxListedFiles) + 2);
    EXPECT_NE(list.find("\n29.jpg: x\n... and 5 more."), std::string::npos) << list;

    EXPECT_EQ(UnreadableCountText(0), "");
    EXPECT_EQ(UnreadableCountText(1), "1 file could not be read");
}
