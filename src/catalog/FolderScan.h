#pragma once
// Opening a folder: find its *.jpg and *.jpeg files, make a record of each,
// sort, and build every thumbnail. The window parts (progress window, title,
// recent list) reach the user through the shell and the caller's hook.

#include <functional>
#include <string>

#include "catalog/ThumbCatalog.h"
#include "platform/FileSearch.h"

namespace pixfold {

struct ScanSettings {
    int pitch = 103;
    int sortOption = kSortNone;
    int sortStyle = 0;
};

struct ScanOutcome {
    std::string folder;          // as searched (trailing separator removed)
    bool anyMatch = false;       // one of the searches gave a handle
    bool folderReadable = true;  // false when the folder could not be listed
};

// "%d/%d/%d %d:%.2d %s" with 0 AM and 12 PM as the caption shows them.
std::string FormatDateCaption(uint16_t month, uint16_t day, uint16_t year, uint16_t hour,
                              uint16_t minute);

// Appends one record for a search result, showing its path as progress.
void AddFileRecord(ThumbCatalog& list, const std::string& folder, const FindData& found);

// Splits m_strPath into folder, title and extension.
void SplitRecordPath(ThumbRecord& record);

// Builds every thumbnail in list order; progress texts when asked.
void BuildThumbnails(ThumbCatalog& list, int pitch, bool showProgress);

// One trailing separator removed.
std::string TrimTrailingSeparator(std::string folder);

// Steps of a scan after the progress window is up: clears the list, calls
// afterClear(folder) (title, recent list), searches, sorts, builds thumbnails.
// Does not show "No files found." nor close the progress window.
ScanOutcome ScanFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const std::function<void(const std::string&)>& afterClear = {});

// The whole scan as the Open Folder command runs it, without a window: wait
// cursor, progress texts, and "No files found." when nothing matched.
ScanOutcome OpenFolder(ThumbCatalog& list, std::string folder, const ScanSettings& settings,
                       const std::function<void(const std::string&)>& afterClear = {});

}  // namespace pixfold
