#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "TestUtil.h"
#include "platform/FileSearch.h"
#include "platform/FileTime.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

std::vector<std::string> Names(const SearchResult& r) {
    std::vector<std::string> out;
    for (const auto& e : r.entries) {
        out.push_back(e.name);
    }
    return out;
}

}  // namespace

TEST(WildcardMatch, WindowsRulesIgnoringCase) {
    EXPECT_TRUE(WildcardMatch("*.jpg", "a.jpg"));
    EXPECT_TRUE(WildcardMatch("*.jpg", "A.JPG"));
    EXPECT_TRUE(WildcardMatch("*.jpg", "x.y.Jpg"));
    EXPECT_TRUE(WildcardMatch("*.jpg", ".jpg"));
    EXPECT_FALSE(WildcardMatch("*.jpg", "a.jpeg"));
    EXPECT_FALSE(WildcardMatch("*.jpg", "a.jpg.txt"));
    EXPECT_FALSE(WildcardMatch("*.jpg", "ajpg"));
    EXPECT_TRUE(WildcardMatch("*.jpeg", "b.JPEG"));
    EXPECT_TRUE(WildcardMatch("?.jpg", "z.jpg"));
    EXPECT_FALSE(WildcardMatch("?.jpg", "zz.jpg"));
    EXPECT_TRUE(WildcardMatch("*.*", "noext"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYc"));
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYY"));
}

TEST(FindFiles, ListsMatchesInUpperCasedNameOrder) {
    TempDir dir;
    for (const char* n : {"b.jpg", "A.JPG", "_x.jpg", "ZEBRA.jpg", "c.jpeg", "d.txt", ".h.jpg"}) {
        WriteFile(dir / n, "x");
    }
    mkdir((dir / "sub.jpg").c_str(), 0755);
    SearchResult r = FindFiles(dir.path() + "/*.jpg");
    EXPECT_EQ(r.status, SearchStatus::Found);
    // '.' < 'A' < 'B' < 'S' < 'Z' < '_' in byte order.
    EXPECT_EQ(Names(r), (std::vector<std::string>{".h.jpg", "A.JPG", "b.jpg", "sub.jpg",
                                                  "ZEBRA.jpg", "_x.jpg"}));
    for (const auto& e : r.entries) {
        EXPECT_EQ(e.directory, e.name == "sub.jpg");
    }
}

TEST(FindFiles, NoMatchAndUnreadableFolderAreDistinct) {
    TempDir dir;
    WriteFile(dir / "a.png", "x");
    EXPECT_EQ(FindFiles(dir.path() + "/*.jpg").status, SearchStatus::NoMatch);
    EXPECT_EQ(FindFiles(dir.path() + "/missing/*.jpg").status, SearchStatus::CannotRead);
    EXPECT_EQ(FindFiles((dir / "a.png") + "/*.jpg").status, SearchStatus::CannotRead);
}

TEST(FindFiles, SizesAndTimesAreExact) {
    TempDir dir;
    WriteFile(dir / "a.jpg", std::string(1234, 'x'));
    struct timespec ts[2] = {{1700000000, 123456789}, {1700000000, 123456789}};
    ASSERT_EQ(utimensat(AT_FDCWD, (dir / "a.jpg").c_str(), ts, 0), 0);
    SearchResult r = FindFiles(dir.path() + "/*.jpg");
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].size, 1234u);
    EXPECT_EQ(r.entries[0].lastWrite,
              (uint64_t{1700000000} + 11644473600ull) * 10000000ull + 1234567ull);
}

TEST(FindFiles, LinksFollowedSpecialFilesAndDanglingLinksSkipped) {
    TempDir dir;
    WriteFile(dir / "real.bin", "abc");
    ASSERT_EQ(symlink((dir / "real.bin").c_str(), (dir / "link.jpg").c_str()), 0);
    ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "dangling.jpg").c_str()), 0);
    ASSERT_EQ(mkfifo((dir / "fifo.jpg").c_str(), 0600), 0);
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::string sockPath = dir / "sock.jpg";
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", sockPath.c_str());
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    SearchResult r = FindFiles(dir.path() + "/*.jpg");
    close(s);
    EXPECT_EQ(Names(r), std::vector<std::string>{"link.jpg"});
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_EQ(r.entries[0].size, 3u);
}

TEST(FileTime, LocalConversionUsesTheOffsetAtThatInstant) {
    // 2020-07-04 15:05 UTC.
    const uint64_t utc = TicksFromUnix(1593875100, 0);
    setenv("TZ", "UTC", 1);
    tzset();
    CalendarTime c = TicksToCalendar(UtcTicksToLocal(utc));
    EXPECT_EQ(c.hour, 15);
    setenv("TZ", "Europe/Berlin", 1);  // summer time: +2
    tzset();
    c = TicksToCalendar(UtcTicksToLocal(utc));
    EXPECT_EQ(c.hour, 17);
    EXPECT_EQ(c.minute, 5);
    EXPECT_EQ(c.month, 7);
    EXPECT_EQ(c.day, 4);
    EXPECT_EQ(c.year, 2020);
    // A winter instant in the same zone is +1, whatever the offset today.
    c = TicksToCalendar(UtcTicksToLocal(TicksFromUnix(1578150000, 0)));  // 2020-01-04 15:00 UTC
    EXPECT_EQ(c.hour, 16);
    unsetenv("TZ");
    tzset();
}
