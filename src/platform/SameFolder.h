#pragma once
// Whether two paths name the same folder (or file) is asked of the file
// system: "/pics/", "/pics/.", "//pics", a symbolic link and a relative
// spelling all name one folder, while "/x/LINK" and "/x/link" are two.

#include <sys/types.h>

#include <string>

namespace pixfold {

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string canonical;  // only when it does not exist
};

// The device and inode of what the path names (links followed); for a path
// that does not exist yet, its canonical spelling: the existing part resolved,
// "." and ".." and repeated separators of the rest removed. An empty path is
// the root, as the folder texts of this program use it.
FileIdentity IdentifyPath(const std::string& path);

bool SameIdentity(const FileIdentity& a, const FileIdentity& b);

// Whether the two folder paths name the same folder.
bool IsSameFolder(const std::string& a, const std::string& b);

}  // namespace pixfold
