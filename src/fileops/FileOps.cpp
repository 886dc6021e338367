#include "fileops/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/SameFolder.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"

namespace pixfold {

std::string FileOpResult::Reason() const {
    return error ? std::strerror(error) : std::string();
}

namespace {

FileOpResult Fail(int error) {
    return {false, error ? error : EIO};
}
FileOpResult Done() {
    return {true, 0};
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

// Puts `from` at `to` on one file system, failing when `to` exists.
int PlaceNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != ENOTSUP) {
        return err;
    }
    // File systems without the flag: a hard link never replaces either.
    if (link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    if (unlink(from.c_str()) != 0) {
        const int e = errno;
        unlink(to.c_str());
        return e;
    }
    return 0;
}

int CopyContents(int in, int out) {
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = read(in, buf.data(), buf.size());
        if (n == 0) {
            return 0;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(out, buf.data() + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            done += w;
        }
    }
}

FileOpResult CopyThenRemove(const std::string& from, const std::string& to) {
    const int in = open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) {
        return Fail(errno);
    }
    struct stat st {};
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int e = S_ISREG(st.st_mode) ? errno : EINVAL;
        close(in);
        return Fail(e);
    }
    if (Exists(to)) {
        close(in);
        return Fail(EEXIST);
    }
    std::string tmpl = DirName(to) + "/.pixfold-move-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int out = mkostemp(name.data(), O_CLOEXEC);
    if (out < 0) {
        const int e = errno;
        close(in);
        return Fail(e);
    }
    const std::string temp = name.data();
    int err = CopyContents(in, out);
    close(in);
    if (!err && fchmod(out, st.st_mode & 07777) != 0) {
        err = errno;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (!err && futimens(out, times) != 0) {
        err = errno;
    }
    if (!err && fsync(out) != 0) {
        err = errno;
    }
    if (close(out) != 0 && !err) {
        err = errno;
    }
    if (!err) {
        err = PlaceNoReplace(temp, to);
    }
    if (err) {
        unlink(temp.c_str());
        return Fail(err);
    }
    // The copy is in place; the source goes last. If it will not go, the
    // copy is taken back so that exactly one file remains.
    if (unlink(from.c_str()) != 0) {
        const int e = errno;
        unlink(to.c_str());
        return Fail(e);
    }
    return Done();
}

}  // namespace

std::string TrashQuestion(const std::string& path) {
    return Format(
        "You are about to move this JPEG to the Trash:\n%s\n\nAre you sure you want to do "
        "this?",
        path.c_str());
}

std::string NoTrashQuestion(const std::string& path, const std::string& reason) {
    return Format(
        "This JPEG cannot be moved to the Trash:\n%s\n\n%s\n\nDelete it permanently "
        "instead?",
        path.c_str(), reason.c_str());
}

FileOpResult DeleteFileAt(const std::string& path) {
    if (unlink(path.c_str()) != 0) {
        return Fail(errno);
    }
    if (Exists(path)) {
        return Fail(EEXIST);
    }
    return Done();
}

FileOpResult MoveFileNoReplace(const std::string& from, const std::string& to, MoveMode mode) {
    if (mode == MoveMode::ForceCopy) {
        return CopyThenRemove(from, to);
    }
    const int err = PlaceNoReplace(from, to);
    if (err == 0) {
        return Done();
    }
    if (err == EXDEV) {
        return CopyThenRemove(from, to);
    }
    return Fail(err);
}

bool CanOpenForReading(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    close(fd);
    return true;
}

bool ConfirmWithSuppress(SettingsStore& store, const res::Setting& suppress,
                         const std::string& question) {
    if (store.Get(suppress) != 0) {
        return true;
    }
    bool dontShow = false;
    if (Shell::Current().AskWarning(question, &dontShow) != IDYES) {
        return false;
    }
    if (dontShow) {
        store.Set(suppress, 1);
    }
    return true;
}

ChooserFilter FilterForExtension(const std::string& ext) {
    if (EqualsNoCase(ext, ".jpeg")) {
        return {"jpeg", "JPEG Files (*.jpeg)|*.jpeg| All Files (*.*)|*.*||"};
    }
    if (EqualsNoCase(ext, ".jpg")) {
        return {"jpg", "JPG Files (*.jpg)|*.jpg| All Files (*.*)|*.*||"};
    }
    // A name without a known extension: every file, no extension added.
    return {"", "All Files (*.*)|*.*||"};
}

RenameKind ApplyMoveToRecord(ThumbRecord& record, const std::string& chosen) {
    const std::string::size_type slash = chosen.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : chosen.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    if (!IsSameFolder(folder, record.m_strFolder)) {
        return RenameKind::Moved;
    }
    record.m_strPath = chosen;
    const std::string::size_type dot = name.rfind('.');
    if (dot != std::string::npos) {
        record.m_strTitle = name.substr(0, dot);
        record.m_strExt = name.substr(dot);
    }
    return RenameKind::Renamed;
}

}  // namespace pixfold
