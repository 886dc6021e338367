#pragma once
// What tells one content of a file from another without reading it: size,
// modification and change times (ns) and inode. Any write changes the change
// time, even one that puts the old modification time back.

#include <cstdint>
#include <string>

struct stat;

namespace pixfold {

struct FileStamp {
    uint64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;
    uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const struct stat& st);
// Following links, as opening the file does; false when there is no such file.
bool StampOfPath(const std::string& path, FileStamp* stamp);

}  // namespace pixfold
