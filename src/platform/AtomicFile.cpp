#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
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

std::string BaseName(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

}  // namespace

AtomicFile::~AtomicFile() {
    Abandon();
}

bool AtomicFile::Open(const std::string& target) {
    Abandon();
    m_target = target;
    std::string tmpl = DirName(target) + "/." + BaseName(target) + ".XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    int fd = mkostemp(buf.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Keep the permissions of the file being replaced; a new file gets the usual ones.
    struct stat st {};
    mode_t mode = (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                      ? (st.st_mode & 07777)
                      : (0666 & ~CurrentUmask());
    fchmod(fd, mode);
    m_fp = fdopen(fd, "wb");
    if (!m_fp) {
        close(fd);
        unlink(buf.data());
        return false;
    }
    m_temp = buf.data();
    return true;
}

bool AtomicFile::Commit() {
    if (!m_fp) {
        return false;
    }
    bool ok = std::fflush(m_fp) == 0 && !std::ferror(m_fp) && fsync(fileno(m_fp)) == 0;
    ok = (std::fclose(m_fp) == 0) && ok;
    m_fp = nullptr;
    if (ok && rename(m_temp.c_str(), m_target.c_str()) == 0) {
        // Make the rename itself durable.
        int dfd = open(DirName(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            fsync(dfd);
            close(dfd);
        }
        m_temp.clear();
        return true;
    }
    unlink(m_temp.c_str());
    m_temp.clear();
    return false;
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

std::FILE* OpenRegularFileForRead(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) {
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    std::FILE* fp = fdopen(fd, "rb");
    if (!fp) {
        close(fd);
    }
    return fp;
}

}  // namespace pixfold
