#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "TestUtil.h"
#include "platform/Trash.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class EnvScope {
  public:
    EnvScope(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~EnvScope() {
        if (m_old) {
            setenv(m_name, m_old->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

dev_t DeviceOf(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_dev : 0;
}

}  // namespace

// GLib reads the home and data folders once per process, so one test sets
// them before the first use and covers every outcome.
TEST(Trash, MovesToTheUsersTrashOrSaysWhyNot) {
    TempDir dir;
    EnvScope home("HOME", dir.path());
    EnvScope data("XDG_DATA_HOME", dir / "data");
    WriteFile(dir / "a b.jpg", "photo");

    TrashResult r = MoveToTrash(dir / "a b.jpg");
    EXPECT_EQ(r.status, TrashStatus::Trashed) << r.reason;
    EXPECT_FALSE(Exists(dir / "a b.jpg"));
    EXPECT_EQ(ReadFile(dir / "data/Trash/files/a b.jpg"), "photo");
    const std::string info = ReadFile(dir / "data/Trash/info/a b.jpg.trashinfo");
    EXPECT_NE(info.find("Path=" + dir.path() + "/a%20b.jpg\n"), std::string::npos) << info;

    r = MoveToTrash(dir / "missing.jpg");
    EXPECT_EQ(r.status, TrashStatus::Failed);
    EXPECT_NE(r.reason.find("No such file"), std::string::npos) << r.reason;

    // A memory file system apart from the home folder keeps no Trash.
    if (access("/dev/shm", W_OK) == 0 && DeviceOf("/dev/shm") != DeviceOf(dir.path())) {
        const std::string shm = "/dev/shm/pixfold-trash-test-" + std::to_string(getpid()) + ".jpg";
        WriteFile(shm, "x");
        r = MoveToTrash(shm);
        EXPECT_EQ(r.status, TrashStatus::NoTrash) << r.reason;
        EXPECT_FALSE(r.reason.empty());
        EXPECT_TRUE(Exists(shm)) << "nothing changed";
        unlink(shm.c_str());
    }
}
