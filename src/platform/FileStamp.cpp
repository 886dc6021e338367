#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace pixfold {

FileStamp StampOf(const struct stat& st) {
    FileStamp s;
    s.size = static_cast<uint64_t>(st.st_size);
    s.modifiedNs = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = int64_t{st.st_ctim.tv_sec} * 1000000000 + st.st_ctim.tv_nsec;
    s.inode = st.st_ino;
    return s;
}

bool StampOfPath(const std::string& path, FileStamp* stamp) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        return false;
    }
    *stamp = StampOf(st);
    return true;
}

}  // namespace pixfold
