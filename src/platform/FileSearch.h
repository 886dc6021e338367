#pragma once
// A search of one folder with a wildcard pattern: names match whatever their
// letter case, results come in upper-cased name order (the same on every file
// system), with 64-bit sizes and last-write times in 100-ns ticks since 1601.

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

// Wildcards: '*' any run, '?' one character, letters of either case; "*.*"
// matches every name.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace pixfold
