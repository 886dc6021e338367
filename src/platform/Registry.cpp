#include "platform/Registry.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>

#include "platform/ConfigDir.h"
#include "platform/TextUtil.h"

namespace pixfold::reg {

namespace {

class Stmt {
  public:
    Stmt(sqlite3* db, const char* sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    bool Ok() const { return m_rc == SQLITE_OK && m_stmt; }
    int PrepareCode() const { return m_rc; }
    Stmt& Bind(int i, int64_t v) {
        sqlite3_bind_int64(m_stmt, i, v);
        return *this;
    }
    Stmt& Bind(int i, const std::string& s) {
        sqlite3_bind_text(m_stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& BindBlob(int i, const uint8_t* data, uint32_t n) {
        if (n == 0) {
            sqlite3_bind_zeroblob(m_stmt, i, 0);
        } else {
            sqlite3_bind_blob(m_stmt, i, data, static_cast<int>(n), SQLITE_TRANSIENT);
        }
        return *this;
    }
    int Step() { return sqlite3_step(m_stmt); }
    int64_t Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
    std::string Text(int col) const {
        const unsigned char* t = sqlite3_column_text(m_stmt, col);
        return t ? std::string(reinterpret_cast<const char*>(t),
                               static_cast<size_t>(sqlite3_column_bytes(m_stmt, col)))
                 : std::string();
    }
    std::vector<uint8_t> Blob(int col) const {
        const auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, col));
        int n = sqlite3_column_bytes(m_stmt, col);
        return p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>();
    }

  private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_ERROR;
};

// A write transaction that rolls back unless committed. Inside a batch it is
// part of the batch's transaction and does nothing of its own.
class Transaction {
  public:
    Transaction(sqlite3* db, bool inBatch) : m_db(db), m_nested(inBatch) {
        if (!m_nested) {
            m_rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        }
    }
    ~Transaction() {
        if (m_rc == SQLITE_OK && !m_done && !m_nested) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool Ok() const { return m_rc == SQLITE_OK; }
    int Code() const { return m_rc; }
    bool Commit() {
        m_done = true;
        if (m_nested) {
            return true;
        }
        m_rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        if (m_rc != SQLITE_OK && !sqlite3_get_autocommit(m_db)) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);  // a busy COMMIT stays open
        }
        return m_rc == SQLITE_OK;
    }

  private:
    sqlite3* m_db;
    bool m_nested;
    int m_rc = SQLITE_OK;
    bool m_done = false;
};

bool IsBusyCode(int rc) {
    const int primary = rc & 0xFF;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL,"
    " uname TEXT NOT NULL, UNIQUE(parent, uname));"
    "CREATE TABLE IF NOT EXISTS vals("
    " key INTEGER NOT NULL, name TEXT NOT NULL, uname TEXT NOT NULL,"
    " type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, uname));"
    "INSERT OR IGNORE INTO keys VALUES(1, 0, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER');"
    "INSERT OR IGNORE INTO keys VALUES(2, 0, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE');";

std::vector<std::string> SplitKeyPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (c == '\\') {
            if (!cur.empty()) {
                parts.push_back(cur);
            }
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) {
        parts.push_back(cur);
    }
    return parts;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

Registry::Registry(std::string folder) : m_folder(std::move(folder)) {}

Registry::~Registry() {
    Disconnect();
}

void Registry::Disconnect() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    m_writable = false;
}

bool Registry::IsDamageCode(int rc) const {
    int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

bool Registry::MoveDamagedAside() {
    Disconnect();
    char stamp[32];
    time_t now = time(nullptr);
    struct tm tmv {};
    localtime_r(&now, &tmv);
    strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tmv);
    std::string target = DatabasePath() + ".damaged-" + stamp;
    for (int i = 1; FileExists(target); ++i) {
        target = DatabasePath() + ".damaged-" + stamp + "-" + std::to_string(i);
    }
    if (rename(DatabasePath().c_str(), target.c_str()) != 0) {
        return false;
    }
    // Journal files belong to the damaged database, not to the fresh one.
    unlink((DatabasePath() + "-journal").c_str());
    m_damagedCopy = target;
    m_damaged = false;
    if (m_onDamage) {
        m_onDamage(target);
    }
    return true;
}

LONG Registry::Failure(int rc, LONG otherwise) {
    if (IsDamageCode(rc)) {
        m_damaged = true;
        return ERROR_FILE_CORRUPT;
    }
    return IsBusyCode(rc) ? ERROR_BUSY : otherwise;
}

LONG Registry::Connect(Mode mode) {
    if (m_damaged) {
        // Only a write replaces a damaged database, and never in the middle of a batch.
        if (mode == Mode::Read || m_inBatch || !MoveDamagedAside()) {
            return ERROR_FILE_CORRUPT;
        }
    }
    if (m_db && (mode == Mode::Read || m_writable)) {
        return ERROR_SUCCESS;
    }
    if (m_inBatch) {
        return ERROR_CANTOPEN;
    }
    Disconnect();
    const std::string path = DatabasePath();
    if (mode == Mode::Read && !FileExists(path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (mode == Mode::Write) {
        MakeDirs(m_folder);
    }
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
    if (mode == Mode::Write) {
        flags |= SQLITE_OPEN_CREATE;
    }
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        Disconnect();
        if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            Disconnect();
            return ERROR_CANTOPEN;
        }
    }
    // Another copy of the program (or the batch command) may hold the lock
    // while it commits; SQLite retries until the timeout runs out.
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    sqlite3_exec(m_db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    int rc = sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        Disconnect();
        const LONG err = Failure(rc, ERROR_CANTOPEN);
        if (err == ERROR_FILE_CORRUPT && mode == Mode::Write) {
            return Connect(mode);
        }
        return err;
    }
    if (mode == Mode::Read) {
        return ERROR_SUCCESS;  // a read never writes, not even the schema
    }
    if (sqlite3_db_readonly(m_db, "main")) {
        return ERROR_ACCESS_DENIED;
    }
    // The schema is made under a write lock taken up front: a statement that
    // has to upgrade its read lock is refused at once, without waiting, while
    // another process commits.
    rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
        }
        if (!sqlite3_get_autocommit(m_db)) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    if (rc != SQLITE_OK) {
        const LONG err = Failure(rc, ERROR_CANTWRITE);  // e.g. the folder refuses a journal file
        if (err == ERROR_FILE_CORRUPT) {
            Disconnect();
            return Connect(mode);
        }
        return err;
    }
    m_writable = true;
    return ERROR_SUCCESS;
}

bool Registry::BeginBatch() {
    if (m_inBatch || Connect(Mode::Write) != ERROR_SUCCESS) {
        return false;
    }
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return false;
    }
    m_inBatch = true;
    return true;
}

bool Registry::EndBatch(bool commit) {
    if (!m_inBatch) {
        return false;
    }
    m_inBatch = false;
    if (commit && sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) {
        return true;
    }
    if (!sqlite3_get_autocommit(m_db)) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    return !commit;
}

int64_t Registry::FindChild(int64_t parent, const std::string& name, int* rc) {
    Stmt q(m_db, "SELECT id FROM keys WHERE parent=? AND uname=?");
    if (!q.Ok()) {
        *rc = q.PrepareCode();
        return 0;
    }
    q.Bind(1, parent).Bind(2, UpperAscii(name));
    *rc = q.Step();
    return *rc == SQLITE_ROW ? q.Int(0) : 0;
}

LONG Registry::Walk(HKEY parent, const std::string& subKey, bool create, int64_t* id,
                    bool* created) {
    int64_t cur = parent.id;
    *created = false;
    {
        Stmt exists(m_db, "SELECT 1 FROM keys WHERE id=?");
        if (!exists.Ok()) {
            return Failure(exists.PrepareCode(), ERROR_FILE_NOT_FOUND);
        }
        const int rc = exists.Bind(1, cur).Step();
        if (rc != SQLITE_ROW) {
            return Failure(rc, ERROR_KEY_DELETED);
        }
    }
    for (const std::string& part : SplitKeyPath(subKey)) {
        int rc = SQLITE_OK;
        int64_t next = FindChild(cur, part, &rc);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            return Failure(rc, ERROR_CANTOPEN);
        }
        if (next == 0) {
            if (!create) {
                return ERROR_FILE_NOT_FOUND;
            }
            Stmt ins(m_db, "INSERT INTO keys(parent, name, uname) VALUES(?,?,?)");
            if (!ins.Ok()) {
                return Failure(ins.PrepareCode(), ERROR_CANTWRITE);
            }
            ins.Bind(1, cur).Bind(2, part).Bind(3, UpperAscii(part));
            if (const int step = ins.Step(); step != SQLITE_DONE) {
                return Failure(step, ERROR_CANTWRITE);
            }
            next = sqlite3_last_insert_rowid(m_db);
            *created = true;
        }
        cur = next;
    }
    *id = cur;
    return ERROR_SUCCESS;
}

LONG Registry::CreateKey(HKEY parent, const std::string& subKey, uint32_t access, HKEY* result,
                         uint32_t* disposition) {
    if (!parent.IsValid() || !result) {
        return ERROR_INVALID_HANDLE;
    }
    if (const LONG rc = Connect(Mode::Write); rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_CANTOPEN;
    }
    Transaction tx(m_db, m_inBatch);
    if (!tx.Ok()) {
        return Failure(tx.Code(), ERROR_CANTWRITE);
    }
    int64_t id = 0;
    bool created = false;
    LONG rc = Walk(parent, subKey, true, &id, &created);
    if (rc != ERROR_SUCCESS) {
        return rc;
    }
    if (created && !tx.Commit()) {
        return Failure(tx.Code(), ERROR_CANTWRITE);
    }
    *result = HKEY{id, access};
    if (disposition) {
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LONG Registry::OpenKey(HKEY parent, const std::string& subKey, uint32_t access, HKEY* result) {
    if (!parent.IsValid() || !result) {
        return ERROR_INVALID_HANDLE;
    }
    if (const LONG rc = Connect(Mode::Read); rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_FILE_NOT_FOUND;
    }
    int64_t id = 0;
    bool created = false;
    LONG rc = Walk(parent, subKey, false, &id, &created);
    if (rc != ERROR_SUCCESS) {
        return rc;
    }
    *result = HKEY{id, access};
    return ERROR_SUCCESS;
}

LONG Registry::QueryValue(HKEY key, const std::string& name, uint32_t* type, uint8_t* data,
                          uint32_t* cb) {
    if (!key.IsValid()) {
        return ERROR_INVALID_HANDLE;
    }
    if ((key.access & KEY_QUERY_VALUE) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (data && !cb) {
        return ERROR_INVALID_PARAMETER;
    }
    if (const LONG rc = Connect(Mode::Read); rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_FILE_NOT_FOUND;
    }
    Stmt q(m_db, "SELECT type, data FROM vals WHERE key=? AND uname=?");
    if (!q.Ok()) {
        return Failure(q.PrepareCode(), ERROR_FILE_NOT_FOUND);
    }
    q.Bind(1, key.id).Bind(2, UpperAscii(name));
    int rc = q.Step();
    if (rc != SQLITE_ROW) {
        return Failure(rc, ERROR_FILE_NOT_FOUND);
    }
    const std::vector<uint8_t> bytes = q.Blob(1);
    if (type) {
        *type = static_cast<uint32_t>(q.Int(0));
    }
    if (!cb) {
        return ERROR_SUCCESS;
    }
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    if (data && *cb < size) {
        *cb = size;
        return ERROR_MORE_DATA;
    }
    if (data && size) {
        std::memcpy(data, bytes.data(), size);
    }
    *cb = size;
    return ERROR_SUCCESS;
}

LONG Registry::SetValue(HKEY key, const std::string& name, uint32_t type, const uint8_t* data,
                        uint32_t cb) {
    if (!key.IsValid()) {
        return ERROR_INVALID_HANDLE;
    }
    if ((key.access & KEY_SET_VALUE) == 0) {
        return ERROR_ACCESS_DENIED;
    }
    if (!data && cb) {
        return ERROR_INVALID_PARAMETER;
    }
    if (const LONG rc = Connect(Mode::Write); rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_CANTOPEN;
    }
    Transaction tx(m_db, m_inBatch);
    if (!tx.Ok()) {
        return Failure(tx.Code(), ERROR_CANTWRITE);
    }
    {
        Stmt exists(m_db, "SELECT 1 FROM keys WHERE id=?");
        if (!exists.Ok()) {
            return Failure(exists.PrepareCode(), ERROR_CANTWRITE);
        }
        if (const int rc = exists.Bind(1, key.id).Step(); rc != SQLITE_ROW) {
            return Failure(rc, ERROR_FILE_NOT_FOUND);  // the key was deleted meanwhile
        }
    }
    Stmt up(m_db,
            "INSERT INTO vals(key, name, uname, type, data) VALUES(?,?,?,?,?) "
            "ON CONFLICT(key, uname) DO UPDATE SET type=excluded.type, "
            "data=excluded.data");
    if (!up.Ok()) {
        return Failure(up.PrepareCode(), ERROR_CANTWRITE);
    }
    up.Bind(1, key.id).Bind(2, name).Bind(3, UpperAscii(name)).Bind(4, int64_t{type});
    up.BindBlob(5, data, cb);
    if (const int rc = up.Step(); rc != SQLITE_DONE) {
        return Failure(rc, ERROR_CANTWRITE);
    }
    if (!tx.Commit()) {
        return Failure(tx.Code(), ERROR_CANTWRITE);
    }
    return ERROR_SUCCESS;
}

LONG Registry::CloseKey(HKEY key) {
    return key.IsValid() ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

std::vector<ValueEntry> Registry::ListValues(HKEY key, LONG* status) {
    std::vector<ValueEntry> out;
    LONG ignored = ERROR_SUCCESS;
    LONG& result = status ? *status : ignored;
    result = key.IsValid() ? Connect(Mode::Read) : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS) {
        return out;
    }
    // Key paths of every descendant, built from the parent links.
    std::map<int64_t, std::vector<std::pair<int64_t, std::string>>> children;
    {
        Stmt q(m_db, "SELECT id, parent, name FROM keys");
        if (!q.Ok()) {
            result = Failure(q.PrepareCode(), ERROR_FILE_NOT_FOUND);
            return out;
        }
        int rc;
        while ((rc = q.Step()) == SQLITE_ROW) {
            children[q.Int(1)].emplace_back(q.Int(0), q.Text(2));
        }
        if (rc != SQLITE_DONE) {
            result = Failure(rc, ERROR_CANTOPEN);
            return out;
        }
    }
    std::vector<std::pair<std::string, int64_t>> keys;
    std::function<void(int64_t, const std::string&)> collect = [&](int64_t id,
                                                                   const std::string& path) {
        keys.emplace_back(path, id);
        for (const auto& [child, name] : children[id]) {
            std::string childPath = path;
            if (!childPath.empty()) {
                childPath += '\\';
            }
            childPath += name;
            collect(child, childPath);
        }
    };
    collect(key.id, "");
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return UpperAscii(a.first) < UpperAscii(b.first);
    });
    for (const auto& [path, id] : keys) {
        Stmt q(m_db, "SELECT name, type, data FROM vals WHERE key=? ORDER BY uname");
        if (!q.Ok()) {
            continue;
        }
        q.Bind(1, id);
        int rc;
        while ((rc = q.Step()) == SQLITE_ROW) {
            out.push_back({path, q.Text(0), static_cast<uint32_t>(q.Int(1)), q.Blob(2)});
        }
        if (rc != SQLITE_DONE) {
            result = Failure(rc, ERROR_CANTOPEN);
            out.clear();
            return out;
        }
    }
    return out;
}

}  // namespace pixfold::reg
