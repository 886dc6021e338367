#include "platform/SettingsStore.h"

#include <cstdio>
#include <cstring>

#include "platform/TextUtil.h"

namespace pixfold {

using namespace reg;

bool SettingsStore::Open(HKEY root, const std::string& productKeyPath, HKEY* key,
                         uint32_t* disposition) {
    m_hRootKey = root;
    m_strProductKey = productKeyPath;
    HKEY opened;
    uint32_t disp = 0;
    if (m_registry.CreateKey(root, productKeyPath, KEY_WRITE, &opened, &disp) != ERROR_SUCCESS) {
        return false;
    }
    if (key) {
        *key = opened;
    } else {
        m_registry.CloseKey(opened);
    }
    if (disposition) {
        *disposition = disp;
    }
    return true;
}

std::string SettingsStore::SectionPath(const std::string& section) const {
    return m_strProductKey + "\\" + section;
}

LONG SettingsStore::QueryText(const std::string& section, const std::string& name,
                              std::string* text) {
    HKEY key;
    if (LONG rc = m_registry.OpenKey(m_hRootKey, SectionPath(section), KEY_READ, &key);
        rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_FILE_NOT_FOUND;
    }
    uint8_t buffer[kReadLimit + 1] = {};
    uint32_t cb = kReadLimit;
    LONG rc = m_registry.QueryValue(key, name, nullptr, buffer, &cb);
    m_registry.CloseKey(key);
    if (rc != ERROR_SUCCESS) {
        return rc == ERROR_BUSY || rc == ERROR_FILE_CORRUPT ? rc : ERROR_FILE_NOT_FOUND;
    }
    // The stored bytes are taken as text up to the first NUL, whatever the type.
    buffer[cb < kReadLimit ? cb : kReadLimit] = 0;
    *text = reinterpret_cast<const char*>(buffer);
    return ERROR_SUCCESS;
}

int SettingsStore::GetInt(const std::string& section, const std::string& name, int defaultValue) {
    std::string text;
    int value = 0;
    if (!ReadText(section, name, &text) || !ScanInt(text.c_str(), value)) {
        return defaultValue;
    }
    return value;
}

bool SettingsStore::SetInt(const std::string& section, const std::string& name, int value) {
    return SetString(section, name, Format("%d", value));
}

std::string SettingsStore::GetString(const std::string& section, const std::string& name,
                                     const std::string& defaultValue) {
    std::string text;
    return ReadText(section, name, &text) ? text : defaultValue;
}

bool SettingsStore::SetString(const std::string& section, const std::string& name,
                              const std::string& text) {
    HKEY key;
    if (m_registry.CreateKey(m_hRootKey, SectionPath(section), KEY_WRITE, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const size_t len = std::strlen(text.c_str());  // stops at an embedded NUL, as C text would
    LONG rc = m_registry.SetValue(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                                  static_cast<uint32_t>(len + 1));
    m_registry.CloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool SettingsStore::GetBinary(const std::string& section, const std::string& name, int* count,
                              uint8_t* buffer) {
    if (!buffer || !count) {
        return false;
    }
    HKEY key;
    if (m_registry.OpenKey(m_hRootKey, SectionPath(section), KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    uint32_t cb = *count > 0 ? static_cast<uint32_t>(*count) : 0;
    LONG rc = m_registry.QueryValue(key, name, nullptr, buffer, &cb);
    m_registry.CloseKey(key);
    if (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        *count = static_cast<int>(cb);
    }
    return rc == ERROR_SUCCESS;
}

bool SettingsStore::SetBinary(const std::string& section, const std::string& name, int count,
                              const uint8_t* data) {
    if (count <= 0 || !data) {
        return false;
    }
    HKEY key;
    if (m_registry.CreateKey(m_hRootKey, SectionPath(section), KEY_WRITE, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    LONG rc = m_registry.SetValue(key, name, REG_BINARY, data, static_cast<uint32_t>(count));
    m_registry.CloseKey(key);
    return rc == ERROR_SUCCESS;
}

void SettingsStore::MigrateIniFile(HKEY productKey) {
    const std::string iniPath = m_registry.Folder() + "/" + kIniFileName;
    std::FILE* fp = std::fopen(iniPath.c_str(), "r");
    if (!fp) {
        return;
    }
    HKEY section;
    bool haveSection = false;
    char line[kIniLineBuffer];
    while (std::fgets(line, sizeof line, fp)) {
        std::string text = Trim(line);
        std::string::size_type close = text.find(']');
        if (!text.empty() && text[0] == '[' && close == text.size() - 1) {
            if (haveSection) {
                m_registry.CloseKey(section);
                haveSection = false;
            }
            text[0] = ' ';
            text[close] = ' ';
            if (m_registry.CreateKey(productKey, Trim(text), KEY_WRITE, &section, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            haveSection = true;
        } else if (std::string::size_type eq = text.find('='); eq != std::string::npos) {
            if (haveSection) {
                const std::string value = text.substr(eq + 1);
                m_registry.SetValue(section, text.substr(0, eq), REG_SZ,
                                    reinterpret_cast<const uint8_t*>(value.c_str()),
                                    static_cast<uint32_t>(value.size() + 1));
            }
        }
    }
    if (haveSection) {
        m_registry.CloseKey(section);
    }
    std::fclose(fp);
}

}  // namespace pixfold

namespace pixfold {

bool OpenStoreAtStartup(SettingsStore& store) {
    // The product key and the migrated values are committed together: a start
    // killed half-way leaves neither, so the next start migrates again.
    reg::RegistryBatch batch(store.Registry());
    reg::HKEY key;
    uint32_t disposition = 0;
    if (!store.Open(reg::HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, &key, &disposition)) {
        return false;
    }
    if (disposition == reg::REG_CREATED_NEW_KEY) {
        store.MigrateIniFile(key);
    }
    store.Registry().CloseKey(key);
    return !batch.Active() || batch.Commit();
}

std::string DamagedSettingsMessage(const std::string& damagedCopy) {
    return Format(
        "The settings could not be read: their file was damaged.\nThe damaged file was kept "
        "as\n%s\n\nDefault settings are in use.",
        damagedCopy.c_str());
}

}  // namespace pixfold
