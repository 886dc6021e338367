#pragma once
// A search of one folder with a wildcard pattern, answering as the Windows file
// search did: case-insensitive matching, results in the order an NTFS folder
// lists them, 64-bit sizes and 100-ns last-write times.

#include <cstdint>
#include <string>
#include <vector>

namespace pixfold {

struct FindData {
    std::string name;        // file name as stored on disk
    uint64_t size = 0;       // bytes
    uint64_t lastWrite = 0;  // UTC, 100-ns ticks since 1601
    bool directory = false;
};

enum class SearchStatus {
    Found,       // at least one entry matched (a handle was given)
    NoMatch,     // the folder was read but nothing matched
    CannotRead,  // the folder does not exist or cannot be listed
};

struct SearchResult {
    SearchStatus status = SearchStatus::NoMatch;
    std::vector<FindData> entries;
};

// pattern = folder + "/" + wildcard; an empty folder part means the root.
SearchResult FindFiles(const std::string& pattern);

// Windows wildcard rules, case-insensitive: '*' any run, '?' one character;
// "*.*" matches every name.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace pixfold
