#include "platform/ThumbStore.h"

#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <new>

#include "platform/ConfigDir.h"

namespace pixfold {

namespace {

// The layout below; a database of another layout is emptied and made anew.
constexpr int kSchemaVersion = 1;

// The bits come last in a row, so that the small columns are read without
// the pages that hold the bits.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS thumbs("
    " path BLOB NOT NULL, pitch INTEGER NOT NULL, version INTEGER NOT NULL,"
    " size INTEGER NOT NULL, mtime INTEGER NOT NULL, ctime INTEGER NOT NULL,"
    " inode INTEGER NOT NULL, image_w INTEGER NOT NULL, image_h INTEGER NOT NULL,"
    " thumb_w INTEGER NOT NULL, thumb_h INTEGER NOT NULL, used INTEGER NOT NULL,"
    " bytes INTEGER NOT NULL, bits BLOB NOT NULL);"
    "CREATE UNIQUE INDEX IF NOT EXISTS thumbs_key ON thumbs(path, pitch, version);"
    "CREATE INDEX IF NOT EXISTS thumbs_used ON thumbs(used);";

// What an entry counts against the size limit: its bits, its key, and about
// what the database spends on a row besides.
constexpr uint64_t kRowOverhead = 64;

// Writes are committed after this long, so that another copy of the program
// waits little for the lock and a crash loses little.
constexpr double kSecondsPerCommit = 2.0;

class Stmt {
  public:
    Stmt(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    bool Ok() const { return m_stmt != nullptr; }
    Stmt& Bind(int i, int64_t v) {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Stmt& BindBlob(int i, const void* data, uint64_t n) {
        sqlite3_bind_blob64(m_stmt, i, n ? data : "", n, SQLITE_STATIC);
        return *this;
    }
    int Step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_ERROR; }
    void Reset() { sqlite3_reset(m_stmt); }
    int64_t Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
    const void* Blob(int col) const { return sqlite3_column_blob(m_stmt, col); }
    uint64_t Bytes(int col) const {
        return static_cast<uint64_t>(sqlite3_column_bytes(m_stmt, col));
    }

  private:
    sqlite3_stmt* m_stmt = nullptr;
};

bool IsDamage(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

int64_t NowMicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

double MonotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

ThumbStore::ThumbStore(const std::string& folder) : m_folder(folder) {
    m_clock = NowMicroseconds();
    if (!Open()) {
        Close();
    }
}

ThumbStore::~ThumbStore() {
    if (m_db && !m_used.empty() && Begin()) {
        MarkUsed();
    }
    Commit();
    Close();
}

void ThumbStore::Close() {
    if (m_db) {
        if (m_inTransaction) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_inTransaction = false;
    m_used.clear();
}

bool ThumbStore::Open() {
    if (!MakeDirs(m_folder)) {
        return false;
    }
    if (sqlite3_open_v2(DatabasePath().c_str(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        return false;
    }
    // Another copy of the program may be writing: wait a little, then go on
    // without the cache rather than keep the user waiting.
    sqlite3_busy_timeout(m_db, 200);
    // A cache may lose its last writes in a power cut, never its shape; with
    // a write-ahead log a commit costs no disk flush, and readers never wait
    // for a writer. (Where the file system cannot share the log's memory, the
    // ordinary journal stays.)
    // Freed pages go back to the file system as entries are dropped; this
    // takes only on a database with no tables yet, so before the log, which
    // writes the first page.
    sqlite3_exec(m_db, "PRAGMA auto_vacuum=INCREMENTAL", nullptr, nullptr, nullptr);
    sqlite3_exec(m_db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(m_db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    int rc = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        return Recover(rc) && m_db;
    }
    int version = 0;
    {
        Stmt q(m_db, "PRAGMA user_version");
        if (q.Step() == SQLITE_ROW) {
            version = static_cast<int>(q.Int(0));
        }
    }
    if (version == kSchemaVersion) {
        return true;
    }
    // New, or of another layout: (re)made under a write lock taken up front.
    rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && version != 0) {
        rc = sqlite3_exec(m_db, "DROP TABLE IF EXISTS thumbs", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        const std::string set = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
        rc = sqlite3_exec(m_db, set.c_str(), nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        if (!sqlite3_get_autocommit(m_db)) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        return Recover(rc) && m_db;
    }
    return true;
}

bool ThumbStore::Recover(int rc) {
    if (!IsDamage(rc)) {
        return false;
    }
    Close();
    if (m_recovered) {
        return true;  // damaged again at once: go on without a cache
    }
    m_recovered = true;
    // One damaged copy is kept beside the new database, for whoever wants to
    // look; an older one goes.
    const std::string path = DatabasePath();
    if (rename(path.c_str(), (path + ".damaged").c_str()) != 0) {
        return false;
    }
    for (const char* companion : {"-journal", "-wal", "-shm"}) {
        unlink((path + companion).c_str());
    }
    if (!Open()) {
        Close();
    }
    return true;
}

bool ThumbStore::Begin() {
    if (m_inTransaction) {
        return true;
    }
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        Recover(rc);
        return false;
    }
    m_inTransaction = true;
    m_transactionStart = MonotonicSeconds();
    return true;
}

bool ThumbStore::Commit() {
    if (!m_db || !m_inTransaction) {
        return true;
    }
    m_inTransaction = false;
    const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (!sqlite3_get_autocommit(m_db)) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        Recover(rc);
        return false;
    }
    return true;
}

bool ThumbStore::Find(const Key& key, const FileStamp& stamp, Entry* entry) {
    if (!m_db) {
        return false;
    }
    int64_t rowid = 0;
    {
        Stmt q(m_db,
               "SELECT rowid, size, mtime, ctime, inode, image_w, image_h, thumb_w, thumb_h, bits "
               "FROM thumbs WHERE path=? AND pitch=? AND version=?");
        q.BindBlob(1, key.path.data(), key.path.size()).Bind(2, key.pitch).Bind(3, key.version);
        const int rc = q.Step();
        if (rc != SQLITE_ROW) {
            Recover(rc);
            return false;
        }
        FileStamp was;
        was.size = static_cast<uint64_t>(q.Int(1));
        was.modifiedNs = q.Int(2);
        was.changedNs = q.Int(3);
        was.inode = static_cast<uint64_t>(q.Int(4));
        if (!(was == stamp)) {
            return false;  // made from another content of the file
        }
        entry->stamp = was;
        entry->imageWidth = static_cast<uint32_t>(q.Int(5));
        entry->imageHeight = static_cast<uint32_t>(q.Int(6));
        entry->thumbWidth = static_cast<uint32_t>(q.Int(7));
        entry->thumbHeight = static_cast<uint32_t>(q.Int(8));
        const void* bits = q.Blob(9);
        entry->bitsLength = q.Bytes(9);
        entry->bits.reset(new (std::nothrow) uint8_t[entry->bitsLength ? entry->bitsLength : 1]);
        if (!entry->bits) {
            return false;
        }
        if (entry->bitsLength) {
            std::memcpy(entry->bits.get(), bits, entry->bitsLength);
        }
        rowid = q.Int(0);
    }
    m_used.push_back(rowid);  // the last to be dropped
    return true;
}

void ThumbStore::Put(const Key& key, const Entry& entry, const uint8_t* bits) {
    if (!m_db || !Begin()) {
        return;
    }
    Stmt q(m_db,
           "INSERT OR REPLACE INTO thumbs(path, pitch, version, size, mtime, ctime, inode,"
           " image_w, image_h, thumb_w, thumb_h, used, bytes, bits)"
           " VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    const uint64_t bytes = entry.bitsLength + key.path.size() + kRowOverhead;
    q.BindBlob(1, key.path.data(), key.path.size())
        .Bind(2, key.pitch)
        .Bind(3, key.version)
        .Bind(4, static_cast<int64_t>(entry.stamp.size))
        .Bind(5, entry.stamp.modifiedNs)
        .Bind(6, entry.stamp.changedNs)
        .Bind(7, static_cast<int64_t>(entry.stamp.inode))
        .Bind(8, entry.imageWidth)
        .Bind(9, entry.imageHeight)
        .Bind(10, entry.thumbWidth)
        .Bind(11, entry.thumbHeight)
        .Bind(12, ++m_clock)
        .Bind(13, static_cast<int64_t>(bytes))
        .BindBlob(14, bits, entry.bitsLength);
    if (Recover(q.Step())) {
        return;
    }
    if (MonotonicSeconds() - m_transactionStart > kSecondsPerCommit) {
        Commit();
    }
}

bool ThumbStore::MarkUsed() {
    // In the order found, so the first found is the first to go.
    Stmt used(m_db, "UPDATE thumbs SET used=? WHERE rowid=?");
    for (const int64_t rowid : m_used) {
        used.Bind(1, ++m_clock).Bind(2, rowid);
        if (Recover(used.Step())) {
            return false;  // m_used went with the database
        }
        used.Reset();
    }
    m_used.clear();
    return true;
}

void ThumbStore::Flush(uint64_t limitBytes) {
    if (!m_db || !Begin() || !MarkUsed()) {
        return;
    }
    Stmt drop(m_db,
              "DELETE FROM thumbs WHERE rowid IN (SELECT rowid FROM (SELECT rowid,"
              " sum(bytes) OVER (ORDER BY used DESC, rowid DESC) AS total FROM thumbs)"
              " WHERE total > ?)");
    drop.Bind(1, static_cast<int64_t>(limitBytes > INT64_MAX ? INT64_MAX : limitBytes));
    if (Recover(drop.Step())) {
        return;
    }
    if (sqlite3_changes(m_db) > 0) {
        sqlite3_exec(m_db, "PRAGMA incremental_vacuum", nullptr, nullptr, nullptr);
    }
    Commit();
}

ThumbStore::Stats ThumbStore::GetStats() {
    Stats stats;
    if (!m_db || !Commit()) {
        return stats;
    }
    Stmt q(m_db, "SELECT count(*), coalesce(sum(bytes), 0) FROM thumbs");
    const int rc = q.Step();
    if (rc == SQLITE_ROW) {
        stats.entries = static_cast<uint64_t>(q.Int(0));
        stats.bytes = static_cast<uint64_t>(q.Int(1));
    } else {
        Recover(rc);
    }
    return stats;
}

bool ThumbStore::Clear() {
    if (!m_db || !Commit() || !Begin()) {
        return false;
    }
    const int rc = sqlite3_exec(m_db, "DELETE FROM thumbs", nullptr, nullptr, nullptr);
    if (Recover(rc)) {
        return true;  // the new database is empty too
    }
    sqlite3_exec(m_db, "PRAGMA incremental_vacuum", nullptr, nullptr, nullptr);
    return rc == SQLITE_OK && Commit();
}

}  // namespace pixfold
