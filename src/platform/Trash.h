#pragma once
// Moving a file to the user's Trash as the desktop keeps it (the freedesktop
// Trash), through GIO, so that the file can be put back from the file manager.

#include <string>

namespace pixfold {

enum class TrashStatus {
    Trashed,  // the file is in the Trash and gone from its folder
    NoTrash,  // its file system has no Trash; nothing was changed
    Failed,   // anything else; nothing was changed
};

struct TrashResult {
    TrashStatus status = TrashStatus::Failed;
    std::string reason;  // the system's words, for NoTrash and Failed
};

TrashResult MoveToTrash(const std::string& path);

}  // namespace pixfold
