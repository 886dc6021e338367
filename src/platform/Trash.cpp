#include "platform/Trash.h"

#include <gio/gio.h>
#include <sys/stat.h>

namespace pixfold {

TrashResult MoveToTrash(const std::string& path) {
    GFile* file = g_file_new_for_path(path.c_str());
    GError* error = nullptr;
    const bool trashed = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    TrashResult result;
    if (trashed) {
        // Only a file that has really left its folder counts as trashed.
        struct stat st {};
        if (lstat(path.c_str(), &st) == 0) {
            result.reason = "The file is still in its folder.";
            return result;
        }
        result.status = TrashStatus::Trashed;
        return result;
    }
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED)) {
        result.status = TrashStatus::NoTrash;
    }
    result.reason = error && error->message ? error->message : "Unknown error";
    g_clear_error(&error);
    return result;
}

}  // namespace pixfold
