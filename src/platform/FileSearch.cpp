#include "platform/FileSearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/FileTime.h"
#include "platform/TextUtil.h"

namespace pixfold {

namespace {

char Up(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchFrom(const char* p, const char* n) {
    // Iterative matcher with single-star backtracking: linear in practice.
    const char* starP = nullptr;
    const char* starN = nullptr;
    while (*n) {
        if (*p == '*') {
            starP = ++p;
            starN = n;
        } else if (*p == '?' || (*p && Up(*p) == Up(*n))) {
            ++p;
            ++n;
        } else if (starP) {
            p = starP;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (*p == '*') {
        ++p;
    }
    return *p == '\0';
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    return MatchFrom(pattern.c_str(), name.c_str());
}

SearchResult FindFiles(const std::string& pattern) {
    SearchResult result;
    std::string::size_type slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(1, '.')
                               : slash == 0               ? std::string(1, '/')
                                                          : pattern.substr(0, slash);
    const std::string wildcard = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

    int dfd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd < 0) {
        result.status = SearchStatus::CannotRead;
        return result;
    }
    DIR* dir = fdopendir(dfd);
    if (!dir) {
        close(dfd);
        result.status = SearchStatus::CannotRead;
        return result;
    }
    while (struct dirent* de = readdir(dir)) {
        std::string name = de->d_name;
        if (name == "." || name == ".." || !WildcardMatch(wildcard, name)) {
            continue;
        }
        struct stat st {};
        // Links are followed; entries that vanished, dangle, or are neither
        // files nor folders (FIFOs, sockets, devices) are not listed.
        if (fstatat(dirfd(dir), de->d_name, &st, 0) != 0) {
            continue;
        }
        if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
            continue;
        }
        FindData fd;
        fd.name = std::move(name);
        fd.directory = S_ISDIR(st.st_mode);
        fd.size = fd.directory ? 0 : static_cast<uint64_t>(st.st_size);
        fd.lastWrite = TicksFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        result.entries.push_back(std::move(fd));
    }
    closedir(dir);

    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(result.entries.size());
    for (size_t i = 0; i < result.entries.size(); ++i) {
        keys.emplace_back(UpperAscii(result.entries[i].name), i);
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FindData> ordered;
    ordered.reserve(keys.size());
    for (const auto& k : keys) {
        ordered.push_back(std::move(result.entries[k.second]));
    }
    result.entries = std::move(ordered);
    result.status = result.entries.empty() ? SearchStatus::NoMatch : SearchStatus::Found;
    return result;
}

}  // namespace pixfold
