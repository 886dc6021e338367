#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestUtil.h"
#include "fileops/FileOps.h"
#include "platform/ConfigDir.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

// A folder on another file system than /tmp, when the machine has one.
std::string OtherFileSystemDir() {
    struct stat a {
    }, b{};
    if (stat("/tmp", &a) == 0 && stat("/dev/shm", &b) == 0 && a.st_dev != b.st_dev &&
        access("/dev/shm", W_OK) == 0) {
        char tmpl[] = "/dev/shm/pixfold-test-XXXXXX";
        if (mkdtemp(tmpl)) {
            return tmpl;
        }
    }
    return "";
}

size_t Entries(const std::string& dir) {
    size_t n = 0;
    FILE* p = popen(("ls -A '" + dir + "' | wc -l").c_str(), "r");
    if (p) {
        if (fscanf(p, "%zu", &n) != 1) {
            n = 0;
        }
        pclose(p);
    }
    return n;
}

}  // namespace

TEST(DeleteFileAt, RemovesOrReports) {
    TempDir dir;
    WriteFile(dir / "a.jpg", "x");
    EXPECT_TRUE(DeleteFileAt(dir / "a.jpg").ok);
    EXPECT_FALSE(Exists(dir / "a.jpg"));
    FileOpResult r = DeleteFileAt(dir / "a.jpg");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.Reason().empty());
}

TEST(MoveFileNoReplace, RenamesAndNeverReplaces) {
    TempDir dir;
    WriteFile(dir / "a.jpg", "A");
    WriteFile(dir / "b.jpg", "B");
    FileOpResult r = MoveFileNoReplace(dir / "a.jpg", dir / "b.jpg");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EEXIST);
    EXPECT_EQ(ReadFile(dir / "a.jpg"), "A");
    EXPECT_EQ(ReadFile(dir / "b.jpg"), "B");
    // A target that exists but cannot be read is not replaced either.
    WriteFile(dir / "locked.jpg", "L");
    chmod((dir / "locked.jpg").c_str(), 0);
    EXPECT_FALSE(MoveFileNoReplace(dir / "a.jpg", dir / "locked.jpg").ok);
    chmod((dir / "locked.jpg").c_str(), 0644);
    EXPECT_EQ(ReadFile(dir / "locked.jpg"), "L");

    EXPECT_TRUE(MoveFileNoReplace(dir / "a.jpg", dir / "c.jpg").ok);
    EXPECT_FALSE(Exists(dir / "a.jpg"));
    EXPECT_EQ(ReadFile(dir / "c.jpg"), "A");
}

TEST(MoveFileNoReplace, CopyingMoveKeepsTimeAndPermissions) {
    TempDir dir;
    const std::string other = OtherFileSystemDir();
    const std::string targetDir = other.empty() ? dir / "other" : other;
    mkdir(targetDir.c_str(), 0755);
    WriteFile(dir / "a.jpg", std::string(200000, 'z'));
    chmod((dir / "a.jpg").c_str(), 0640);
    SetLocalMTime(dir / "a.jpg", 2011, 3, 4, 5, 6, 7);
    struct stat before {};
    stat((dir / "a.jpg").c_str(), &before);
    // Forced copy, so the cross-file-system path runs even on one file system.
    FileOpResult r = MoveFileNoReplace(dir / "a.jpg", targetDir + "/a.jpg", MoveMode::ForceCopy);
    ASSERT_TRUE(r.ok) << r.Reason();
    EXPECT_FALSE(Exists(dir / "a.jpg"));
    struct stat after {};
    ASSERT_EQ(stat((targetDir + "/a.jpg").c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadFile(targetDir + "/a.jpg"), std::string(200000, 'z'));
    EXPECT_EQ(Entries(targetDir), 1u) << "no temporary left";
    if (!other.empty()) {
        // A real move between file systems takes the same road.
        WriteFile(dir / "b.jpg", "B");
        ASSERT_TRUE(MoveFileNoReplace(dir / "b.jpg", other + "/b.jpg").ok);
        EXPECT_EQ(ReadFile(other + "/b.jpg"), "B");
        EXPECT_FALSE(Exists(dir / "b.jpg"));
        WriteFile(dir / "c.jpg", "C");
        EXPECT_FALSE(MoveFileNoReplace(dir / "c.jpg", other + "/b.jpg").ok) << "never replaces";
        EXPECT_EQ(ReadFile(other + "/b.jpg"), "B");
        EXPECT_EQ(ReadFile(dir / "c.jpg"), "C");
        unlink((other + "/a.jpg").c_str());
        unlink((other + "/b.jpg").c_str());
        rmdir(other.c_str());
    }
}

TEST(MoveFileNoReplace, FailedCopyLeavesTheSourceAndNoPartialTarget) {
    TempDir dir;
    WriteFile(dir / "a.jpg", "A");
    EXPECT_FALSE(MoveFileNoReplace(dir / "a.jpg", dir / "missing/a.jpg", MoveMode::ForceCopy).ok);
    EXPECT_EQ(ReadFile(dir / "a.jpg"), "A");
    WriteFile(dir / "taken.jpg", "T");
    EXPECT_FALSE(MoveFileNoReplace(dir / "a.jpg", dir / "taken.jpg", MoveMode::ForceCopy).ok);
    EXPECT_EQ(ReadFile(dir / "taken.jpg"), "T");
    EXPECT_EQ(Entries(dir.path()), 2u) << "no temporary left";
    mkfifo((dir / "fifo.jpg").c_str(), 0600);
    EXPECT_FALSE(MoveFileNoReplace(dir / "fifo.jpg", dir / "f2.jpg", MoveMode::ForceCopy).ok)
        << "a FIFO is never read";
}

TEST(CanOpenForReading, FilesFifosAndMissing) {
    TempDir dir;
    WriteFile(dir / "a", "x");
    mkfifo((dir / "p").c_str(), 0600);
    EXPECT_TRUE(CanOpenForReading(dir / "a"));
    EXPECT_TRUE(CanOpenForReading(dir / "p")) << "opened without waiting for a writer";
    EXPECT_FALSE(CanOpenForReading(dir / "missing"));
}

TEST(FilterForExtension, JpgJpegAndOthers) {
    EXPECT_EQ(FilterForExtension(".jpg").defaultExt, "jpg");
    EXPECT_EQ(FilterForExtension(".jpg").filter, "JPG Files (*.jpg)|*.jpg| All Files (*.*)|*.*||");
    EXPECT_EQ(FilterForExtension(".JPG").defaultExt, "jpg") << "compared ignoring case";
    EXPECT_EQ(FilterForExtension(".jpeg").filter,
              "JPEG Files (*.jpeg)|*.jpeg| All Files (*.*)|*.*||");
    EXPECT_EQ(FilterForExtension("").defaultExt, "");
}

TEST(ApplyMoveToRecord, RenameInTheSameFolderAsTheFileSystemSaysOrMoveAway) {
    TempDir dir;
    const std::string pics = dir / "pics";
    MakeDirs(pics);
    MakeDirs(dir / "PICS");
    ASSERT_EQ(symlink(pics.c_str(), (dir / "link").c_str()), 0);
    ThumbRecord r;
    r.m_strPath = pics + "/a.jpg";
    r.m_strFolder = pics + "/";
    r.m_strTitle = "a";
    r.m_strExt = ".jpg";
    EXPECT_EQ(ApplyMoveToRecord(r, pics + "/b.JPG"), RenameKind::Renamed);
    EXPECT_EQ(r.m_strPath, pics + "/b.JPG");
    EXPECT_EQ(r.m_strTitle, "b");
    EXPECT_EQ(r.m_strExt, ".JPG") << "in the case the chooser returned";
    EXPECT_EQ(ApplyMoveToRecord(r, dir / "link/c.jpg"), RenameKind::Renamed);
    EXPECT_EQ(r.m_strPath, dir / "link/c.jpg");
    EXPECT_EQ(r.m_strFolder, pics + "/") << "the folder stays as stored";
    EXPECT_EQ(ApplyMoveToRecord(r, pics + "/./nodot"), RenameKind::Renamed);
    EXPECT_EQ(r.m_strTitle, "c") << "a name without a dot keeps title and extension";
    EXPECT_EQ(ApplyMoveToRecord(r, dir / "PICS/a.jpg"), RenameKind::Moved)
        << "another letter case is another folder";
    EXPECT_EQ(ApplyMoveToRecord(r, dir / "a.jpg"), RenameKind::Moved);
}

TEST(ConfirmWithSuppress, AsksStoresOnlyOneAfterYes) {
    TempDir dir;
    reg::Registry registry(dir.path());
    SettingsStore store(registry);
    OpenStoreAtStartup(store);
    RecordingShell shell;
    ShellScope scope(shell);
    shell.QueueWarning(IDNO, true);
    EXPECT_FALSE(ConfirmWithSuppress(store, res::kNoDelDlg, kDeleteQuestion));
    EXPECT_EQ(store.GetInt("Settings", "NoDelDlg", 7), 7)
        << "No with the box ticked stores nothing";
    shell.QueueWarning(IDYES, false);
    EXPECT_TRUE(ConfirmWithSuppress(store, res::kNoDelDlg, kDeleteQuestion));
    EXPECT_EQ(store.GetInt("Settings", "NoDelDlg", 7), 7);
    shell.QueueWarning(IDYES, true);
    EXPECT_TRUE(ConfirmWithSuppress(store, res::kNoDelDlg, kDeleteQuestion));
    EXPECT_EQ(store.GetInt("Settings", "NoDelDlg", 7), 1);
    EXPECT_TRUE(ConfirmWithSuppress(store, res::kNoDelDlg, kDeleteQuestion));
    EXPECT_EQ(shell.Warnings().size(), 3u) << "not asked once suppressed";
    EXPECT_EQ(
        shell.Warnings()[0],
        "You are about to permamently delete this JPEG.\n\nAre you sure you want to do this?");
}
