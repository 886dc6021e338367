#pragma once
// Opening a folder: find its *.jpg and *.jpeg files, make a record of each,
// sort, and build every thumbnail. The window parts (progress window, title,
// recent list) reach the user through the shell and the caller's hook.

#include <functional>
#include <string>

#include "catalog/MoreOptions.h"
#include "catalog/ThumbCatalog.h"
#include "platform/FileSearch.h"

namespace pixfold {

struct ScanSettings {
    int pitch = 103;
    int sortOption = kSortNone;
    int sortStyle = 0;
    unsigned workers = 0;     // decoding threads; 0: one per core
    uint64_t cacheLimit = 0;  // bytes the thumbnail cache may keep; 0: no cache
    MoreOptions options = {};
};

struct ScanOutcome {
    std::string folder;          // as searched (trailing separator removed)
    bool anyMatch = false;       // one of the searches gave a handle
    bool folderReadable = true;  // false when the folder could not be listed
    size_t total = 0;            // files found
    size_t leftOut = 0;          // files dropped when the scan was cancelled
    size_t unreadable = 0;       // files that said something, when not boxed one by one
    // For the status bar: what was left out and, when only counted, what could
    // not be read; empty when neither.
    std::string StatusText() const;
};

// "%d/%d/%d %d:%.2d %s" with 0 AM and 12 PM as the caption shows them.
std::string FormatDateCaption(uint16_t month, uint16_t day, uint16_t year, uint16_t hour,
                              uint16_t minute);

// Appends one record for a search result, showing its path as progress.
void AddFileRecord(ThumbCatalog& list, const std::string& folder, const FindData& found);

// Splits m_strPath into folder, title and extension.
void SplitRecordPath(ThumbRecord& record);

// Builds every thumbnail, taking from the cache what it holds of the files as
// they are. Worker threads decode the others ahead; the records, progress
// texts and messages come out in list order, as one thread makes them.
// With the progress window up, its Cancel stops the build: the records built
// so far stay, the others leave the list; returns how many left.
size_t BuildThumbnails(ThumbCatalog& list, const ScanSettings& settings, bool showProgress);

// One trailing separator removed.
std::string TrimTrailingSeparator(std::string folder);

// What the caller of a scan adds to it (the window: its selection, title,
// recent list and layout).
struct ScanHooks {
    // The progress window is up; the catalogue is about to be cleared.
    std::function<void()> started;
    // The catalogue was cleared; the folder is as searched.
    std::function<void(const std::string& folder)> cleared;
    // The catalogue holds the folder's files, sorted; no thumbnail is made yet.
    std::function<void()> listed;
    // Every thumbnail is built; the progress window is still up.
    std::function<void(const ScanOutcome&)> finished;
    // "No files found." for a folder that could not be read at all, too.
    bool noFilesWhenUnreadable = true;
};

// Steps of a scan after the progress window is up: clears the list, calls
// cleared(folder), searches, sorts, calls listed(), builds thumbnails (the
// other hooks are OpenFolder's). Does not show "No files found." nor close
// the progress window.
ScanOutcome ScanFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const ScanHooks& hooks = {});

// The whole scan as the Open Folder command runs it, in the window, the batch
// command and the tests alike: wait cursor, progress window, the scan, and
// "No files found." when nothing matched.
ScanOutcome OpenFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const ScanHooks& hooks = {});

}  // namespace pixfold
