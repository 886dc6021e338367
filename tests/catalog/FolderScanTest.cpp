#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "catalog/Thumbnail.h"
#include "platform/TextUtil.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class FolderScanTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> out;
        for (const auto& r : list) {
            out.push_back(r->m_strTitle + r->m_strExt);
        }
        return out;
    }
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;
    ThumbCatalog list;
};

}  // namespace

TEST(DateCaption, TwelveHourRules) {
    EXPECT_EQ(FormatDateCaption(7, 4, 1999, 15, 5), "7/4/1999 3:05 PM");
    EXPECT_EQ(FormatDateCaption(1, 2, 2003, 0, 30), "1/2/2003 0:30 AM");
    EXPECT_EQ(FormatDateCaption(1, 2, 2003, 12, 5), "1/2/2003 12:05 PM");
    EXPECT_EQ(FormatDateCaption(1, 2, 2003, 11, 59), "1/2/2003 11:59 AM");
    EXPECT_EQ(FormatDateCaption(12, 31, 2026, 23, 0), "12/31/2026 11:00 PM");
}

TEST_F(FolderScanTest, FindsJpgThenJpegKeepingCaseAndSkippingDotsAndFolders) {
    MakeJpeg(dir / "IMG.JPG", 40, 30);
    MakeJpeg(dir / "b.jpeg", 40, 30);
    MakeJpeg(dir / "a.Jpg", 40, 30);
    MakeJpeg(dir / ".hidden.jpg", 40, 30);
    MakeJpeg(dir / "note.png", 40, 30);
    mkdir((dir / "sub.jpg").c_str(), 0755);
    std::string titleFolder;
    ScanHooks hooks;
    hooks.cleared = [&](const std::string& f) { titleFolder = f; };
    ScanOutcome out = OpenFolder(list, dir.path() + "/", ScanSettings{}, hooks);
    EXPECT_TRUE(out.anyMatch);
    EXPECT_EQ(titleFolder, dir.path()) << "one trailing separator removed";
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a.Jpg", "IMG.JPG", "b.jpeg"}));
    const ThumbRecord& img = list.at(1);
    EXPECT_EQ(img.m_strPath, dir / "IMG.JPG");
    EXPECT_EQ(img.m_strFolder, dir.path() + "/");
    EXPECT_EQ(img.m_strTitle, "IMG");
    EXPECT_EQ(img.m_strExt, ".JPG");
    EXPECT_EQ(img.m_strDim, "40 x 30");
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(FolderScanTest, ProgressTextsInOrder) {
    MakeJpeg(dir / "a.jpg", 20, 20);
    OpenFolder(list, dir.path(), ScanSettings{});
    using E = RecordingShell::Event;
    std::vector<std::pair<int, std::string>> seen;
    for (const auto& e : shell.Events()) {
        seen.emplace_back(e.kind, e.kind == E::ProgressCaption ? e.caption : e.text);
    }
    const std::string p = dir / "a.jpg";
    EXPECT_EQ(seen, (std::vector<std::pair<int, std::string>>{
                        {E::ProgressOpen, "starting..."},
                        {E::ProgressText, p},
                        {E::ProgressCaption, "Processing Image Files"},
                        {E::ProgressText, p},
                        {E::ProgressClose, ""}}));
    EXPECT_EQ(shell.WaitDepth(), 0);
}

TEST_F(FolderScanTest, NoFilesFoundOnlyWhenNothingMatched) {
    ScanOutcome out = OpenFolder(list, dir.path(), ScanSettings{});
    EXPECT_FALSE(out.anyMatch);
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"No files found."});

    shell.Clear();
    mkdir((dir / "x.jpg").c_str(), 0755);
    out = OpenFolder(list, dir.path(), ScanSettings{});
    EXPECT_TRUE(out.anyMatch);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(shell.Messages().empty()) << "a matching sub-folder is a handle, not a record";
}

TEST_F(FolderScanTest, UnreadableFolderIsReported) {
    ScanOutcome out = OpenFolder(list, dir / "missing", ScanSettings{});
    EXPECT_FALSE(out.folderReadable);
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"No files found."});
}

TEST_F(FolderScanTest, SizesDatesAndSorting) {
    MakeJpeg(dir / "c.jpg", 20, 20);
    MakeJpeg(dir / "a.jpg", 20, 20);
    MakeJpeg(dir / "b.jpg", 20, 20);
    truncate((dir / "c.jpg").c_str(), 5000);  // padded with zeros; the picture still decodes
    SetLocalMTime(dir / "a.jpg", 2003, 1, 2, 0, 30);
    SetLocalMTime(dir / "b.jpg", 1999, 7, 4, 15, 5);
    SetLocalMTime(dir / "c.jpg", 2010, 6, 1, 12, 5);
    OpenFolder(list, dir.path(), ScanSettings{103, kSortDate, 0});
    ASSERT_EQ(Titles(), (std::vector<std::string>{"b.jpg", "a.jpg", "c.jpg"}));
    EXPECT_EQ(list.at(0).m_strDate, "7/4/1999 3:05 PM");
    EXPECT_EQ(list.at(1).m_strDate, "1/2/2003 0:30 AM");
    EXPECT_EQ(list.at(2).m_strDate, "6/1/2010 12:05 PM");
    EXPECT_EQ(list.at(2).m_strSize, "5000");
    EXPECT_EQ(list.at(2).m_dwFileSize, 5000u);
    EXPECT_EQ(list.at(0).m_wYear, 1999);
    EXPECT_EQ(list.at(0).m_wHour, 15);

    shell.Clear();
    OpenFolder(list, dir.path(), ScanSettings{103, kSortSize, 1});
    EXPECT_EQ(list.at(0).m_strTitle, "c");
}

TEST_F(FolderScanTest, SizesOfTwoGigabytesAndMoreStayWholeAndUnsigned) {
    // Sparse files: the picture, then zeros up to the size.
    const std::pair<const char*, off_t> files[] = {
        {"small.jpg", 5000}, {"three.jpg", off_t{3} << 30}, {"four.jpg", (off_t{4} << 30) + 100}};
    for (const auto& [name, size] : files) {
        MakeJpeg(dir / name, 20, 20);
        ASSERT_EQ(truncate((dir / name).c_str(), size), 0);
    }
    OpenFolder(list, dir.path(), ScanSettings{103, kSortSize, 1});
    ASSERT_EQ(Titles(), (std::vector<std::string>{"four.jpg", "three.jpg", "small.jpg"}));
    EXPECT_EQ(list.at(0).m_strSize, "4294967396");
    EXPECT_EQ(list.at(1).m_strSize, "3221225472");
    EXPECT_EQ(list.at(0).m_dwFileSize, (uint64_t{4} << 30) + 100);
}

TEST_F(FolderScanTest, TimesWithinSevenMinutesOrderByLowHalf) {
    MakeJpeg(dir / "x.jpg", 8, 8);
    MakeJpeg(dir / "y.jpg", 8, 8);
    // Two instants 20 s apart inside one 2^32-tick span (TZ is UTC here).
    const uint64_t high = uint64_t{30810819} << 32;
    auto setTicks = [](const std::string& path, uint64_t ticks) {
        const int64_t unixSec = static_cast<int64_t>(ticks / 10000000) - 11644473600LL;
        struct timespec ts[2] = {{unixSec, long(ticks % 10000000) * 100},
                                 {unixSec, long(ticks % 10000000) * 100}};
        utimensat(AT_FDCWD, path.c_str(), ts, 0);
    };
    setTicks(dir / "x.jpg", high + 300000000);
    setTicks(dir / "y.jpg", high + 100000000);
    OpenFolder(list, dir.path(), ScanSettings{103, kSortDate, 0});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"y.jpg", "x.jpg"}));
    EXPECT_EQ(list.at(0).m_dwTimeHigh, list.at(1).m_dwTimeHigh);
}

TEST_F(FolderScanTest, BadFilesNeverStopTheScan) {
    MakeJpeg(dir / "good1.jpg", 300, 200);
    MakeJpeg(dir / "good2.jpg", 30, 30);
    WriteFile(dir / "empty.jpg", "");
    WriteFile(dir / "text.jpg", "this is not a picture at all");
    std::string good = ReadFile(dir / "good1.jpg");
    WriteFile(dir / "trunc.jpg", good.substr(0, good.size() * 3 / 4));
    mkfifo((dir / "fifo.jpg").c_str(), 0600);
    symlink((dir / "good1.jpg").c_str(), (dir / "link.jpg").c_str());
    OpenFolder(list, dir.path(), ScanSettings{103, kSortName, 0});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"empty.jpg", "good1.jpg", "good2.jpg", "link.jpg",
                                                  "text.jpg", "trunc.jpg"}));
    for (const auto& r : list) {
        const bool shouldHave = r->m_strTitle != "empty" && r->m_strTitle != "text";
        EXPECT_EQ(static_cast<bool>(r->m_pDib), shouldHave) << r->m_strTitle;
    }
    // Each header failure: the library's box and then "JPEG Error".
    auto msgs = shell.Messages();
    ASSERT_EQ(msgs.size(), 5u);
    EXPECT_EQ(msgs[0], "Empty input file");
    EXPECT_EQ(msgs[1], "JPEG Error");
    EXPECT_EQ(msgs[2], "Not a JPEG file: starts with 0x74 0x68");
    EXPECT_EQ(msgs[3], "JPEG Error");
    EXPECT_EQ(msgs[4], "Premature end of JPEG file");
}

TEST_F(FolderScanTest, UnreadableFileIsReportedAndSkipped) {
    MakeJpeg(dir / "a.jpg", 30, 30);
    MakeJpeg(dir / "b.jpg", 30, 30);
    chmod((dir / "b.jpg").c_str(), 0);
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    OpenFolder(list, dir.path(), ScanSettings{});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list.at(0).m_pDib);
    EXPECT_FALSE(list.at(1).m_pDib);
    EXPECT_EQ(shell.Messages(), (std::vector<std::string>{
                                    "JPEG :\nCan't open " + (dir / "b.jpg") + "\n", "JPEG Error"}));
}

TEST_F(FolderScanTest, FileDeletedBeforeDecodeKeepsItsRecord) {
    MakeJpeg(dir / "a.jpg", 30, 30);
    MakeJpeg(dir / "b.jpg", 30, 30);
    // Delete b between search and decode: the progress callback runs in between.
    struct DeletingShell : RecordingShell {
        std::string victim;
        void ProgressCaption(const std::string& c) override {
            RecordingShell::ProgressCaption(c);
            unlink(victim.c_str());
        }
    } deleting;
    deleting.victim = dir / "b.jpg";
    ShellScope inner(deleting);
    OpenFolder(list, dir.path(), ScanSettings{});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list.at(0).m_pDib);
    EXPECT_FALSE(list.at(1).m_pDib);
    EXPECT_EQ(
        deleting.Messages(),
        (std::vector<std::string>{"JPEG :\nCan't open " + (dir / "b.jpg") + "\n", "JPEG Error"}));
}

namespace {

// A record's thumbnail as the grid shows it, and the events of a shell, as text.
std::string ThumbOf(const ThumbRecord& r) {
    std::string out =
        Format("%u %u %u/%u %s %u %u", r.m_nImageWidth, r.m_nImageHeight, r.m_nScaleNum,
               r.m_nScaleDenom, r.m_strDim.c_str(), r.m_nThumbWidth, r.m_nThumbHeight);
    if (r.m_pDib) {
        const size_t bytes = size_t{AlignedRowLength(r.m_nThumbWidth)} * r.m_nThumbHeight;
        out += " bits " + std::string(reinterpret_cast<const char*>(r.m_pDib.get()), bytes);
    }
    return out;
}

std::vector<std::string> EventsOf(const std::vector<RecordingShell::Event>& events) {
    std::vector<std::string> out;
    for (const auto& e : events) {
        out.push_back(Format("%d|%s|%s|%u|%d|%s", e.kind, e.text.c_str(), e.caption.c_str(),
                             e.style, static_cast<int>(e.owner), e.subject.c_str()));
    }
    return out;
}

}  // namespace

TEST_F(FolderScanTest, WorkersGiveWhatOneThreadGives) {
    // Every test image, good and bad, and more bad ones among good ones.
    for (const std::string& image : AllTestImages()) {
        WriteFile(dir / image.substr(image.rfind('/') + 1), ReadFile(image));
    }
    MakeJpeg(dir / "big.jpg", 1600, 1200);
    MakeJpeg(dir / "wide.jpg", 4000, 10);
    MakeComponentsJpeg(dir / "two.jpg", 2, 40, 30);
    const std::string big = ReadFile(dir / "big.jpg");
    WriteFile(dir / "cut.jpg", big.substr(0, big.size() / 2));
    WriteFile(dir / "text.jpg", "not a picture");
    mkfifo((dir / "pipe.jpg").c_str(), 0600);
    symlink((dir / "nowhere").c_str(), (dir / "gone.jpg").c_str());

    ScanSettings settings{103, kSortName, 0};
    settings.workers = 3;
    OpenFolder(list, dir.path(), settings);
    const auto& events = shell.Events();
    auto from = std::find_if(events.begin(), events.end(), [](const auto& e) {
        return e.kind == RecordingShell::Event::ProgressCaption;
    });
    ASSERT_NE(from, events.end());
    const std::vector<RecordingShell::Event> built(from + 1, events.end() - 1);

    // The same records built one by one on this thread, as the scan used to.
    RecordingShell one;
    ShellScope inner(one);
    for (const auto& r : list) {
        ThumbRecord alone;
        alone.m_strPath = r->m_strPath;
        one.ProgressText(alone.m_strPath);
        BuildThumbnail(alone, 103);
        EXPECT_EQ(ThumbOf(*r), ThumbOf(alone)) << r->m_strPath;
    }
    EXPECT_EQ(EventsOf(built), EventsOf(one.Events()));
    EXPECT_GT(one.Count(RecordingShell::Event::Message), 10);
}

TEST_F(FolderScanTest, RootFolderSearchesTheRoot) {
    EXPECT_EQ(TrimTrailingSeparator("/"), "");
    EXPECT_EQ(TrimTrailingSeparator("/a//"), "/a/");
    EXPECT_EQ(TrimTrailingSeparator("/a"), "/a");
}

TEST(SplitRecordPath, NameWithoutDotLeavesTitleEmpty) {
    ThumbRecord r;
    r.m_strPath = "/p/q/name";
    SplitRecordPath(r);
    EXPECT_EQ(r.m_strFolder, "/p/q/");
    EXPECT_EQ(r.m_strTitle, "");
    EXPECT_EQ(r.m_strExt, "");
    r.m_strPath = "/p/x.y.jpeg";
    SplitRecordPath(r);
    EXPECT_EQ(r.m_strTitle, "x.y");
    EXPECT_EQ(r.m_strExt, ".jpeg");
}
