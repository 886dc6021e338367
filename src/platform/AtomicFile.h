#pragma once
// Writes a file through a temporary file in the target's folder, put in place
// of the target only once everything was written and flushed: a failed write
// never leaves a truncated file where the old one was. The temporary file has
// no name where the file system allows it, so a crash leaves nothing behind;
// elsewhere it has a short one, so that a target name of any legal length works.

#include <cstdio>
#include <string>

namespace pixfold {

class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();  // an uncommitted file is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the folder cannot take it or
    // the target exists and the user may not write it (errno tells which).
    bool Open(const std::string& target);
    std::FILE* Stream() const { return m_fp; }

    // Flushes, syncs and puts the file in place; false (target untouched) on
    // any failure. Inside a SyncBatch a new file's syncs are left to the batch.
    bool Commit();
    void Abandon();

    // The temporary file's name; empty while it has none.

  private:
    bool Place(bool synced);

    std::FILE* m_fp = nullptr;
    std::string m_target;
    std::string m_temp;
    bool m_replaces = false;  // the target existed when the file was opened
};

// While one lives (on any thread), a committed file that replaces nothing
// skips its own syncs, and the batch syncs the file systems written to once,
// when the last one ends: writing many small files is then not one disk
// flush each. A file that replaces another is still synced before it takes
// the name, so that a crash never leaves a half-written file where a whole
// one was; a file is never named before it is completely written.
class SyncBatch {
  public:
    SyncBatch();
    ~SyncBatch();
    SyncBatch(const SyncBatch&) = delete;
    SyncBatch& operator=(const SyncBatch&) = delete;

    static bool Active();
    // A folder whose new entries and files the batch must make durable.
    static void Note(const std::string& folder);
};

// Opens a path for reading only when it names a regular file (after following
// links): a FIFO or device must never be opened in blocking mode.
std::FILE* OpenRegularFileForRead(const std::string& path);
// The same as a descriptor (-1 on failure), for reading with read or pread.
int OpenRegularFileDescriptor(const std::string& path);

// Folder part of a path ("." when there is no separator).
std::string DirName(const std::string& path);

}  // namespace pixfold
