#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <set>
#include <vector>

namespace pixfold {

std::string DirName(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

namespace {

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// A short name of its own beside the target, whatever the target's length.
std::string ShortTempName(const std::string& dir) {
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    uint32_t bits = 0;
    if (getrandom(&bits, sizeof bits, 0) != sizeof bits) {
        bits = static_cast<uint32_t>(getpid()) * 2654435761u ^ static_cast<uint32_t>(time(nullptr));
    }
    std::string name = dir + "/.pxf-";
    for (int i = 0; i < 6; ++i, bits /= 36) {
        name += digits[bits % 36];
    }
    return name;
}

// Gives an unnamed file a name; fails with EEXIST when the name is taken.
int LinkUnnamed(int fd, const std::string& path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return 0;
    }
    const int err = errno;
    if (err != EEXIST && linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
        return 0;
    }
    return err;
}

// Unnamed files need a way to be named later: /proc, or the right to link by descriptor.
bool CanNameUnnamedFiles() {
    static const bool can = access("/proc/self/fd", X_OK) == 0;
    return can;
}

}  // namespace

AtomicFile::~AtomicFile() {
    Abandon();
}

bool AtomicFile::Open(const std::string& target) {
    Abandon();
    m_target = target;
    struct stat st {};
    const bool exists = stat(target.c_str(), &st) == 0;
    // A file the user may not write is not replaced behind its back: writing
    // it in place would have failed, and so does this.
    if (exists && access(target.c_str(), W_OK) != 0) {
        return false;
    }
    m_replaces = exists;
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    const mode_t mode =
        exists && S_ISREG(st.st_mode) ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    const std::string dir = DirName(target);
    int fd = CanNameUnnamedFiles() ? open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
    if (fd < 0) {
        const std::string name = dir + "/.pxf-XXXXXX";
        std::vector<char> buf(name.begin(), name.end());
        buf.push_back('\0');
        fd = mkostemp(buf.data(), O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        m_temp = buf.data();
    }
    fchmod(fd, mode);
    m_fp = fdopen(fd, "wb");
    if (!m_fp) {
        const int err = errno;
        close(fd);
        if (!m_temp.empty()) {
            unlink(m_temp.c_str());
            m_temp.clear();
        }
        errno = err;
        return false;
    }
    return true;
}

bool AtomicFile::Place(bool synced) {
    if (!m_temp.empty()) {
        // A target that appeared meanwhile is replaced only by a synced file.
        if (!synced && access(m_target.c_str(), F_OK) == 0) {
            const int fd = open(m_temp.c_str(), O_RDONLY | O_CLOEXEC);
            const bool ok = fd >= 0 && fsync(fd) == 0;
            if (fd >= 0) {
                close(fd);
            }
            if (!ok) {
                return false;
            }
        }
        if (rename(m_temp.c_str(), m_target.c_str()) != 0) {
            return false;
        }
        m_temp.clear();
        return true;
    }
    const int fd = fileno(m_fp);
    int err = LinkUnnamed(fd, m_target);
    if (err != EEXIST) {
        return err == 0;
    }
    // The target exists: name the file beside it, then rename over it.
    if (!synced && fsync(fd) != 0) {
        return false;
    }
    const std::string dir = DirName(m_target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = ShortTempName(dir);
        err = LinkUnnamed(fd, name);
        if (err == EEXIST) {
            continue;
        }
        if (err != 0) {
            return false;
        }
        if (rename(name.c_str(), m_target.c_str()) != 0) {
            unlink(name.c_str());
            return false;
        }
        return true;
    }
    return false;
}

bool AtomicFile::Commit() {
    if (!m_fp) {
        return false;
    }
    const bool deferred = SyncBatch::Active() && !m_replaces;
    bool ok =
        std::fflush(m_fp) == 0 && !std::ferror(m_fp) && (deferred || fsync(fileno(m_fp)) == 0);
    if (!m_temp.empty()) {
        // A named file is closed first, so that a failing close stops the rename.
        ok = (std::fclose(m_fp) == 0) && ok;
        m_fp = nullptr;
    }
    ok = ok && Place(!deferred);
    Abandon();  // closes an unnamed file (gone unless named) and removes a leftover name
    if (!ok) {
        return false;
    }
    if (deferred) {
        SyncBatch::Note(DirName(m_target));
        return true;
    }
    // Make the new name itself durable.
    int dfd = open(DirName(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

namespace {

std::mutex g_syncMutex;
int g_syncDepth = 0;
std::set<std::string> g_syncFolders;

}  // namespace

SyncBatch::SyncBatch() {
    std::lock_guard lock(g_syncMutex);
    ++g_syncDepth;
}

SyncBatch::~SyncBatch() {
    std::set<std::string> folders;
    {
        std::lock_guard lock(g_syncMutex);
        if (--g_syncDepth > 0) {
            return;
        }
        folders.swap(g_syncFolders);
    }
    // One flush of each file system holds every file and name written in it.
    std::set<dev_t> done;
    for (const std::string& folder : folders) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (fstat(fd, &st) == 0 && done.insert(st.st_dev).second) {
            syncfs(fd);
        }
        close(fd);
    }
}

bool SyncBatch::Active() {
    std::lock_guard lock(g_syncMutex);
    return g_syncDepth > 0;
}

void SyncBatch::Note(const std::string& folder) {
    std::lock_guard lock(g_syncMutex);
    g_syncFolders.insert(folder);
}

void AtomicFile::Abandon() {
    if (m_fp) {
        std::fclose(m_fp);
        m_fp = nullptr;
    }
    if (!m_temp.empty()) {
        unlink(m_temp.c_str());
        m_temp.clear();
    }
}

int OpenRegularFileDescriptor(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return fd;
}

std::FILE* OpenRegularFileForRead(const std::string& path) {
    const int fd = OpenRegularFileDescriptor(path);
    if (fd < 0) {
        return nullptr;
    }
    std::FILE* fp = fdopen(fd, "rb");
    if (!fp) {
        close(fd);
    }
    return fp;
}

}  // namespace pixfold
