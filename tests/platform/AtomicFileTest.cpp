#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <vector>

#include "TestUtil.h"
#include "platform/AtomicFile.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(AtomicFile, CommitReplacesAbandonKeeps) {
    TempDir dir;
    const std::string path = dir / "f.txt";
    WriteFile(path, "old");
    {
        AtomicFile f;
        ASSERT_TRUE(f.Open(path));
        std::fputs("half", f.Stream());
        // destroyed without Commit: the old file stays, no temporary remains
    }
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(system(("test $(ls -A " + dir.path() + " | wc -l) -eq 1").c_str()), 0);
    AtomicFile f;
    ASSERT_TRUE(f.Open(path));
    std::fputs("new", f.Stream());
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ(ReadFile(path), "new");
}

TEST(AtomicFile, MissingFolderFailsToOpen) {
    TempDir dir;
    AtomicFile f;
    EXPECT_FALSE(f.Open(dir / "nope/f.txt"));
    EXPECT_FALSE(f.Commit());
}

TEST(AtomicFile, RegularFilesOnly) {
    TempDir dir;
    WriteFile(dir / "a", "x");
    mkfifo((dir / "p").c_str(), 0600);
    std::FILE* fp = OpenRegularFileForRead(dir / "a");
    ASSERT_TRUE(fp);
    std::fclose(fp);
    EXPECT_FALSE(OpenRegularFileForRead(dir / "p"));
    EXPECT_FALSE(OpenRegularFileForRead(dir.path()));
    EXPECT_FALSE(OpenRegularFileForRead(dir / "missing"));
}

namespace {

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `body` in a child process as an ordinary user; its exit status.
int AsOrdinaryUser(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(99);
        }
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(AtomicFile, LongNamesWorkAndACrashLeavesNothingBehind) {
    TempDir dir;
    const std::string longName = dir / std::string(250, 'n');
    AtomicFile f;
    ASSERT_TRUE(f.Open(longName)) << "a legal name of 250 bytes";
    std::fputs("long", f.Stream());
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ(ReadFile(longName), "long");

    WriteFile(dir / "f.txt", "old");
    const pid_t pid = fork();
    if (pid == 0) {
        AtomicFile half;
        half.Open(dir / "f.txt");
        std::fputs(std::string(100000, 'x').c_str(), half.Stream());
        std::fflush(half.Stream());
        kill(getpid(), SIGKILL);
    }
    waitpid(pid, nullptr, 0);
    EXPECT_EQ(ReadFile(dir / "f.txt"), "old");
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"f.txt", std::string(250, 'n')}))
        << "no temporary file left by the killed writer";
}

TEST(AtomicFile, AFileTheUserMayNotWriteIsNotReplaced) {
    TempDir dir;
    chmod(dir.path().c_str(), 0777);
    WriteFile(dir / "locked.jpg", "original");
    chmod((dir / "locked.jpg").c_str(), 0444);
    WriteFile(dir / "open.jpg", "original");
    chmod((dir / "open.jpg").c_str(), 0666);
    const int rc = AsOrdinaryUser([&dir] {
        AtomicFile locked;
        if (locked.Open(dir / "locked.jpg")) {
            std::fputs("replaced", locked.Stream());
            locked.Commit();
            return 1;
        }
        AtomicFile open;
        return open.Open(dir / "open.jpg") && std::fputs("new", open.Stream()) >= 0 && open.Commit()
                   ? 0
                   : 2;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadFile(dir / "locked.jpg"), "original");
    EXPECT_EQ(ReadFile(dir / "open.jpg"), "new");
}
