#pragma once
// Integer, text and byte settings by section and value name under the product
// key. Never reports anything: reads fall back to their defaults, writes
// answer false.

#include <cstdint>
#include <string>

#include "platform/Registry.h"
#include "res/Settings.h"

namespace pixfold {

class SettingsStore {
  public:
    explicit SettingsStore(reg::Registry& registry) : m_registry(registry) {}

    // Remembers root and path first, then creates or opens the product key with
    // write access. The caller closes the returned key.
    bool Open(reg::HKEY root, const std::string& productKeyPath, reg::HKEY* key,
              uint32_t* disposition);

    // Only remembers where the product key is: for a reader that must create
    // nothing (reads of a key that does not exist give the defaults).
    void UseProductKey(reg::HKEY root, const std::string& productKeyPath) {
        m_hRootKey = root;
        m_strProductKey = productKeyPath;
    }

    // Copies Pixfold.INI of the configuration folder into the open product key.
    void MigrateIniFile(reg::HKEY productKey);

    int GetInt(const std::string& section, const std::string& name, int defaultValue);
    bool SetInt(const std::string& section, const std::string& name, int value);
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& defaultValue);
    bool SetString(const std::string& section, const std::string& name, const std::string& text);
    bool GetBinary(const std::string& section, const std::string& name, int* count,
                   uint8_t* buffer);
    bool SetBinary(const std::string& section, const std::string& name, int count,
                   const uint8_t* data);

    // A setting of the table, read with the table's default. A text setting
    // whose default only the caller knows takes it as `fallback`.
    int Get(const res::Setting& setting) {
        return GetInt(setting.section, setting.name, setting.intDefault);
    }
    std::string GetText(const res::Setting& setting) {
        return GetString(setting.section, setting.name, setting.textDefault);
    }
    std::string GetText(const res::Setting& setting, const std::string& fallback) {
        return GetString(setting.section, setting.name, fallback);
    }
    bool Set(const res::Setting& setting, int value) {
        return SetInt(setting.section, setting.name, value);
    }
    bool SetText(const res::Setting& setting, const std::string& text) {
        return SetString(setting.section, setting.name, text);
    }

    // The text of a value that fits the read limit, or why there is none:
    // ERROR_FILE_NOT_FOUND (missing or too long), ERROR_BUSY, ERROR_FILE_CORRUPT.
    reg::LONG QueryText(const std::string& section, const std::string& name, std::string* text);

    reg::HKEY RootKey() const { return m_hRootKey; }
    const std::string& ProductKeyPath() const { return m_strProductKey; }
    reg::Registry& Registry() const { return m_registry; }

    static constexpr const char* kIniFileName = "Pixfold.INI";
    static constexpr const char* kProductKeyPath = "Software\\Norwend Software\\Pixfold";
    static constexpr uint32_t kReadLimit = 260;  // bytes, terminator included
    static constexpr size_t kIniLineBuffer = 520;

  private:
    std::string SectionPath(const std::string& section) const;
    bool ReadText(const std::string& section, const std::string& name, std::string* text) {
        return QueryText(section, name, text) == reg::ERROR_SUCCESS;
    }

    reg::Registry& m_registry;
    reg::HKEY m_hRootKey = reg::HKEY_LOCAL_MACHINE;
    std::string m_strProductKey;
};

}  // namespace pixfold

namespace pixfold {

// What start-up does with the store: open the product key under
// HKEY_LOCAL_MACHINE and, when it was only now created, migrate the INI file,
// both in one transaction. Returns whether the key could be opened.
bool OpenStoreAtStartup(SettingsStore& store);

// What the user is told when a damaged store was set aside for a fresh one.
std::string DamagedSettingsMessage(const std::string& damagedCopy);

}  // namespace pixfold
