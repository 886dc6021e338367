#pragma once
// Writes a file through a temporary file in the target's folder, renamed over
// the target only once everything was written and flushed: a failed write never
// leaves a truncated file where the old one was.

#include <cstdio>
#include <string>

namespace pixfold {

class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();  // an uncommitted file is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the folder cannot take it.
    bool Open(const std::string& target);
    std::FILE* Stream() const { return m_fp; }

    // Flushes, syncs and renames into place; false (target untouched) on any failure.
    bool Commit();
    void Abandon();

    const std::string& TempPath() const { return m_temp; }

  private:
    std::FILE* m_fp = nullptr;
    std::string m_target;
    std::string m_temp;
};

// Opens a path for reading only when it names a regular file (after following
// links): a FIFO or device must never be opened in blocking mode.
std::FILE* OpenRegularFileForRead(const std::string& path);

// Folder part of a path ("." when there is no separator).
std::string DirName(const std::string& path);

}  // namespace pixfold
