#include <gtest/gtest.h>
#include <sys/stat.h>

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
