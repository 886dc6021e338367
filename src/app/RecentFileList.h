#pragma once
// The recent-folder list, kept in Pixfold.INI (section "Recent File List",
// keys "File1".."FileN") beside whatever else that file holds.

#include <string>
#include <vector>

namespace pixfold {

class RecentFileList {
  public:
    explicit RecentFileList(int maxCount) : m_max(maxCount < 0 ? 0 : maxCount) {}

    int MaxCount() const { return m_max; }
    size_t size() const { return m_paths.size(); }
    const std::string& at(size_t i) const { return m_paths.at(i); }

    // Puts the path at the top, removing an equal entry further down.
    void Add(const std::string& path);
    void Remove(size_t index);

    // "&1 /path" with long paths shortened in the middle.
    std::string MenuText(size_t index) const;

    void Load(const std::string& iniPath);
    // Rewrites the file, keeping its other sections; false when it cannot be
    // written. With no list (a count of 0) the file is left as it is.
    bool Save(const std::string& iniPath) const;

    static constexpr const char* kSection = "Recent File List";
    static constexpr size_t kMaxDisplay = 48;

  private:
    int m_max;
    std::vector<std::string> m_paths;
};

// Shortens a path for a menu: the first folder, "...", and the last parts that fit.
std::string AbbreviatePath(const std::string& path, size_t maxLength);

}  // namespace pixfold
