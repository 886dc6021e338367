#pragma once
// Deleting, moving and renaming a photo on disk. Nothing is ever replaced:
// a move onto an existing name fails, and a failed move leaves the source as
// it was and no partial target.

#include <string>

#include "catalog/ThumbRecord.h"
#include "platform/SettingsStore.h"

namespace pixfold {

struct FileOpResult {
    bool ok = false;
    int error = 0;  // errno of the step that failed
    std::string Reason() const;
};

// Permanently removes a file; succeeds only when it is gone afterwards.
FileOpResult DeleteFileAt(const std::string& path);

enum class MoveMode { Auto, ForceCopy };

// Moves or renames without ever replacing the target. Across file systems
// the file is copied to a temporary name beside the target, flushed, given
// the source's modification time and permissions, put in place without
// replacing, and only then is the source removed.
FileOpResult MoveFileNoReplace(const std::string& from, const std::string& to,
                               MoveMode mode = MoveMode::Auto);

// Whether a file at the path can be opened for reading (FIFOs are not waited on).
bool CanOpenForReading(const std::string& path);

// The confirmation with a suppress value ("NoDelDlg", "NoOverDlg"): asks
// unless the value is set; "Yes" with the box ticked stores 1.
bool ConfirmWithSuppress(SettingsStore& store, const res::Setting& suppress,
                         const std::string& question);

// The Move or Rename chooser's default extension and filter for a record's
// extension (compared ignoring case).
struct ChooserFilter {
    std::string defaultExt;
    std::string filter;
};
ChooserFilter FilterForExtension(const std::string& ext);

enum class RenameKind { Renamed, Moved };

// After a successful move: a rename (the same folder, as the file system
// tells) updates the record's path, title and extension; a move to another
// folder leaves the record for the caller to remove.
RenameKind ApplyMoveToRecord(ThumbRecord& record, const std::string& chosenPath);

// The warning when Delete moves the file to the Trash.
std::string TrashQuestion(const std::string& path);
// Asked when the file's file system has no Trash.
std::string NoTrashQuestion(const std::string& path, const std::string& reason);

inline constexpr const char* kDeleteQuestion =
    "You are about to permamently delete this JPEG.\n\nAre you sure you want to do this?";

}  // namespace pixfold
