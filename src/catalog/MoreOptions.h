#pragma once
// The options of the More Options dialog, as the view, the scan, publishing
// and the batch command read them. Every default is the plain behaviour.

#include "catalog/ThumbCatalog.h"
#include "catalog/UnreadableFiles.h"
#include "platform/SettingsStore.h"

namespace pixfold {

struct MoreOptions {
    bool deleteToTrash = false;
    bool upright = false;       // turn photos by their EXIF orientation
    bool dateTaken = false;     // the date sort and caption by the date taken
    bool naturalNames = false;  // "img2" before "img10"
    UnreadableReport unreadable = UnreadableReport::EachBox;
    bool outlineCaptions = false;

    SortRules Rules() const { return {naturalNames, dateTaken}; }
    // Whether the scan must read each file's EXIF block.
    bool NeedsExif() const { return upright || dateTaken; }
    // Options whose change means the folder must be scanned again.
    bool SameScan(const MoreOptions& o) const {
        return upright == o.upright && dateTaken == o.dateTaken && naturalNames == o.naturalNames;
    }
    bool operator==(const MoreOptions&) const = default;
};

// Values out of range read as the defaults.
MoreOptions LoadMoreOptions(SettingsStore& store);
void StoreMoreOptions(SettingsStore& store, const MoreOptions& options);

}  // namespace pixfold
