#pragma once
// A hierarchical key/value store with the rules of the Windows registry that
// the settings rely on, kept in one SQLite database (registry.db):
// key and value names compare case-insensitively and keep their spelling,
// values keep their type and exact bytes, create-or-open tells whether the key
// was new, handles carry their access rights.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;

namespace pixfold::reg {

using LONG = long;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_BUSY = 170;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_CANTOPEN = 1011;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_FILE_CORRUPT = 1392;

inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_BINARY = 3;

inline constexpr uint32_t REG_CREATED_NEW_KEY = 1;
inline constexpr uint32_t REG_OPENED_EXISTING_KEY = 2;

inline constexpr uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr uint32_t KEY_READ = 0x20019;
inline constexpr uint32_t KEY_WRITE = 0x20006;
inline constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;

// A key handle: the key's row and the access it was opened with.
struct HKEY {
    int64_t id = 0;
    uint32_t access = 0;
    bool IsValid() const { return id > 0; }
    bool operator==(const HKEY&) const = default;
};

inline constexpr HKEY HKEY_CURRENT_USER{1, KEY_ALL_ACCESS};
inline constexpr HKEY HKEY_LOCAL_MACHINE{2, KEY_ALL_ACCESS};

struct ValueEntry {
    std::string keyPath;  // relative to the key listed, "\"-separated
    std::string name;
    uint32_t type = REG_NONE;
    std::vector<uint8_t> data;
};

class Registry {
  public:
    // The database lives in `folder`, which is created on the first write.
    explicit Registry(std::string folder);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    LONG CreateKey(HKEY parent, const std::string& subKey, uint32_t access, HKEY* result,
                   uint32_t* disposition);
    LONG OpenKey(HKEY parent, const std::string& subKey, uint32_t access, HKEY* result);
    // data may be null to ask only for the size; *cb in: buffer size, out: data size.
    LONG QueryValue(HKEY key, const std::string& name, uint32_t* type, uint8_t* data, uint32_t* cb);
    LONG SetValue(HKEY key, const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t cb);
    LONG CloseKey(HKEY key);

    // Every value below the key, sorted by key path and value name; *status
    // (if given) says whether the listing could be read.
    std::vector<ValueEntry> ListValues(HKEY key, LONG* status = nullptr);

    // Writes between BeginBatch and EndBatch are one transaction: all of
    // them are kept, or (after EndBatch(false), a failure or a crash) none.
    bool BeginBatch();
    bool EndBatch(bool commit);

    const std::string& Folder() const { return m_folder; }
    std::string DatabasePath() const { return m_folder + "/registry.db"; }
    // Path a damaged database was moved to, if that happened in this run.
    const std::string& DamagedCopy() const { return m_damagedCopy; }
    // Told once, with the damaged copy's path, when a damaged database was
    // set aside for a fresh one (which happens only on a write).
    void SetDamageHandler(std::function<void(const std::string&)> handler) {
        m_onDamage = std::move(handler);
    }

    // How long a call waits for another process's lock before it gives up.
    void SetBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    static constexpr int kBusyTimeoutMs = 15000;

  private:
    enum class Mode { Read, Write };
    LONG Connect(Mode mode);
    void Disconnect();
    bool MoveDamagedAside();
    bool IsDamageCode(int rc) const;
    LONG Failure(int rc, LONG otherwise);
    int64_t FindChild(int64_t parent, const std::string& name, int* rc);
    LONG Walk(HKEY parent, const std::string& subKey, bool create, int64_t* id, bool* created);

    std::string m_folder;
    sqlite3* m_db = nullptr;
    bool m_writable = false;
    bool m_damaged = false;
    bool m_inBatch = false;
    int m_busyTimeoutMs = kBusyTimeoutMs;
    std::string m_damagedCopy;
    std::function<void(const std::string&)> m_onDamage;
};

// A batch for the length of a scope; abandoned unless committed.
class RegistryBatch {
  public:
    explicit RegistryBatch(Registry& registry) : m_registry(registry) {
        m_open = registry.BeginBatch();
    }
    ~RegistryBatch() {
        if (m_open) {
            m_registry.EndBatch(false);
        }
    }
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;
    bool Active() const { return m_open; }
    bool Commit() {
        const bool ok = m_open && m_registry.EndBatch(true);
        m_open = false;
        return ok;
    }

  private:
    Registry& m_registry;
    bool m_open = false;
};

}  // namespace pixfold::reg
