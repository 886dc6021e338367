#pragma once
// The scan's files that could not be read, and why, gathered for one report
// at the end (or a count in the status bar) instead of a box for each.

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace pixfold {

// How a scan tells of the files it could not read.
enum class UnreadableReport {
    EachBox = 0,    // a box for each message, as it happens
    OneList = 1,    // one list at the end naming each file and why
    CountOnly = 2,  // only the count, in the status bar
};

// Messages kept file by file, in the order the files were first reported.
// May be filled from several threads.
class UnreadableFiles {
  public:
    struct File {
        std::string path;
        std::vector<std::string> texts;
    };

    void Add(const std::string& path, const std::string& text);
    size_t FileCount() const;
    std::vector<File> Files() const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    std::vector<File> m_files;
};

// One message: a line for each file, its name and the reasons; at most
// kMaxListedFiles lines, then how many more. Empty when there are none.
inline constexpr size_t kMaxListedFiles = 30;
std::string FormatUnreadableList(const std::vector<UnreadableFiles::File>& files);

// For the status bar; empty for none.
std::string UnreadableCountText(size_t count);

// While installed, the messages shown about a file (under a MessageSubject)
// go to the collection instead of a box; everything else reaches the shell
// it wraps.
class CollectingShell : public Shell {
  public:
    CollectingShell(Shell& inner, UnreadableFiles& files) : m_inner(inner), m_files(files) {}

    int Message(const std::string& text, unsigned style, const std::string& caption,
                MsgOwner owner) override;
    void ProgressOpen(const std::string& text) override { m_inner.ProgressOpen(text); }
    void ProgressText(const std::string& text) override { m_inner.ProgressText(text); }
    void ProgressCaption(const std::string& caption) override { m_inner.ProgressCaption(caption); }
    void ProgressClose() override { m_inner.ProgressClose(); }
    void BeginWaitCursor() override { m_inner.BeginWaitCursor(); }
    void EndWaitCursor() override { m_inner.EndWaitCursor(); }
    bool OpenWithSystem(const std::string& pathOrUrl) override {
        return m_inner.OpenWithSystem(pathOrUrl);
    }
    void Beep() override { m_inner.Beep(); }
    void KeepAlive() override { m_inner.KeepAlive(); }
    void ProgressCount(size_t current, size_t total) override {
        m_inner.ProgressCount(current, total);
    }
    bool ProgressCancelled() override { return m_inner.ProgressCancelled(); }
    bool BrowseForFolder(const std::string& title, std::string* folder) override {
        return m_inner.BrowseForFolder(title, folder);
    }
    bool ChooseFileToOpen(std::string* path) override { return m_inner.ChooseFileToOpen(path); }
    bool ChooseSaveAs(const SaveAsRequest& request, std::string* path) override {
        return m_inner.ChooseSaveAs(request, path);
    }
    int AskWarning(const std::string& message, bool* dontShow) override {
        return m_inner.AskWarning(message, dontShow);
    }
    bool ChooseColor(uint32_t initial, uint32_t* chosen) override {
        return m_inner.ChooseColor(initial, chosen);
    }

  private:
    Shell& m_inner;
    UnreadableFiles& m_files;
};

}  // namespace pixfold
