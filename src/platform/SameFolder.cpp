#include "platform/SameFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace pixfold {

namespace {

std::string Absolute(const std::string& path) {
    if (path.empty()) {
        return "/";
    }
    if (path[0] == '/') {
        return path;
    }
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : "/" + path;
}

std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type slash = path.find('/', start);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        const std::string part = path.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    return parts;
}

// The missing tail of a path joined to its deepest existing folder, resolved.
std::string Canonical(const std::string& path) {
    const std::vector<std::string> parts = Parts(Absolute(path));
    for (size_t keep = parts.size() + 1; keep-- > 0;) {
        std::string head;
        for (size_t i = 0; i < keep; ++i) {
            head += "/" + parts[i];
        }
        char resolved[PATH_MAX];
        if (!realpath(head.empty() ? "/" : head.c_str(), resolved)) {
            continue;
        }
        std::string out = resolved;
        for (size_t i = keep; i < parts.size(); ++i) {
            out += (out == "/" ? "" : "/") + parts[i];
        }
        return out;
    }
    return "/";
}

}  // namespace

FileIdentity IdentifyPath(const std::string& path) {
    FileIdentity id;
    struct stat st {};
    if (stat(path.empty() ? "/" : path.c_str(), &st) == 0) {
        id.exists = true;
        id.device = st.st_dev;
        id.inode = st.st_ino;
    } else {
        id.canonical = Canonical(path);
    }
    return id;
}

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
    if (a.exists != b.exists) {
        return false;
    }
    if (a.exists) {
        return a.device == b.device && a.inode == b.inode;
    }
    return a.canonical == b.canonical;
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    return SameIdentity(IdentifyPath(a), IdentifyPath(b));
}

}  // namespace pixfold
