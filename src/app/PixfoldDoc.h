#pragma once
// The document: no data of its own. It remembers the open folder's path and
// hands requests to open a path to the view.

#include <functional>
#include <string>

namespace pixfold {

class CPixfoldView;

class CPixfoldDoc {
  public:
    // Called with a path to enter in the recent-folder list.
    explicit CPixfoldDoc(std::function<void(const std::string&)> addToRecent)
        : m_addToRecent(std::move(addToRecent)) {}

    // Empties the path name (there are no contents to discard).
    bool OnNewDocument();
    // Opens the folder in the view unless a slide show runs; always succeeds.
    bool OnOpenDocument(const std::string& path);
    void SetPathName(const std::string& path, bool addToRecent = true);
    void AddToRecentFileList(const std::string& path) {
        if (m_addToRecent) {
            m_addToRecent(path);
        }
    }
    const std::string& GetPathName() const { return m_strPathName; }
    // The stored form is empty: nothing is written or read.
    std::string Serialize() const { return std::string(); }

    void SetView(CPixfoldView* view) { m_pView = view; }
    CPixfoldView* GetView() const { return m_pView; }

  private:
    std::function<void(const std::string&)> m_addToRecent;
    std::string m_strPathName;
    CPixfoldView* m_pView = nullptr;
};

}  // namespace pixfold
