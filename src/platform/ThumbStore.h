#pragma once
// The thumbnail cache's database (SQLite, thumbnails.db in the cache folder):
// the exact bits of each thumbnail, keyed by the file's path and the numbers
// that make its pixels, with the stamp of the file they were made from.
// Everything here is best effort: a cache that cannot be opened, or is busy
// in another copy of the program, is not used; a damaged one is set aside
// and made anew. Nothing is ever shown to the user.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileStamp.h"
#include "platform/PixelBuffer.h"

struct sqlite3;

namespace pixfold {

class ThumbStore {
  public:
    struct Key {
        std::string path;  // bytes, as the file system has them
        int pitch = 0;
        int64_t version = 0;  // of everything else that makes the pixels
    };
    struct Entry {
        FileStamp stamp;
        uint32_t imageWidth = 0;
        uint32_t imageHeight = 0;
        uint32_t thumbWidth = 0;
        uint32_t thumbHeight = 0;
        PixelBuffer bits;  // allocated by the thread that asks
        uint64_t bitsLength = 0;
    };
    struct Stats {
        uint64_t entries = 0;
        uint64_t bytes = 0;  // what the size limit counts
    };

    static constexpr const char* kFileName = "thumbnails.db";

    // Opens (or creates) the database in the folder.
    explicit ThumbStore(const std::string& folder);
    ~ThumbStore();  // writes what is pending
    ThumbStore(const ThumbStore&) = delete;
    ThumbStore& operator=(const ThumbStore&) = delete;

    bool IsOpen() const { return m_db != nullptr; }
    std::string DatabasePath() const { return m_folder + "/" + kFileName; }

    // The entry made from the file as stamped; false for none, or one made
    // from another content of the file.
    bool Find(const Key& key, const FileStamp& stamp, Entry* entry);
    // Keeps an entry, replacing any other of the key. Written in batches.
    void Put(const Key& key, const Entry& entry, const uint8_t* bits);
    // Writes what is pending, then drops the least recently used entries
    // until the rest take no more than `limitBytes`.
    void Flush(uint64_t limitBytes);

    Stats GetStats();
    bool Clear();

  private:
    bool Open();
    void Close();
    // Sets a damaged database aside and starts an empty one; true for damage.
    bool Recover(int rc);
    bool Begin();
    bool Commit();
    // Marks the entries found since the last flush as the latest used; false
    // when the database turned out damaged.
    bool MarkUsed();

    std::string m_folder;
    sqlite3* m_db = nullptr;
    bool m_inTransaction = false;
    bool m_recovered = false;  // once per opening: a new database is not damaged
    double m_transactionStart = 0;
    int64_t m_clock = 0;
    std::vector<int64_t> m_used;  // entries found, marked used at the next flush
};

}  // namespace pixfold
