#pragma once
// A shell for tests: records everything shown and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace pixfold {

class RecordingShell : public Shell {
  public:
    struct Event {
        enum Kind {
            Message,
            ProgressOpen,
            ProgressText,
            ProgressCaption,
            ProgressClose,
            Open,
            BrowseFolder,
            OpenFileBox,
            SaveAsBox,
            ColorBox,
            Warning,
            Beep,
            ContextHelp,
        };
        Kind kind = Message;
        std::string text;
        std::string caption;
        unsigned style = 0;
        MsgOwner owner = MsgOwner::App;
        std::string subject;  // the file a message box was about
    };

    int Message(const std::string& text, unsigned style, const std::string& caption,
                MsgOwner owner) override;
    void ProgressOpen(const std::string& text) override;
    void ProgressText(const std::string& text) override;
    void ProgressCaption(const std::string& caption) override;
    void ProgressClose() override;
    void BeginWaitCursor() override { ++m_waitDepth; }
    void EndWaitCursor() override { --m_waitDepth; }
    bool OpenWithSystem(const std::string& pathOrUrl) override;
    void Beep() override { Add(Event::Beep, {}, {}); }
    void ContextHelp() override { Add(Event::ContextHelp, {}, {}); }
    int Count(Event::Kind kind) const;
    bool BrowseForFolder(const std::string& title, std::string* folder) override;
    bool ChooseFileToOpen(std::string* path) override;
    bool ChooseSaveAs(const SaveAsRequest& request, std::string* path) override;
    bool ChooseColor(uint32_t initial, uint32_t* chosen) override;
    int AskWarning(const std::string& message, bool* dontShow) override;
    // Answers for warnings: the button and the box's state; an empty queue says No.
    void QueueWarning(int answer, bool dontShow) { m_warnings.push_back({answer, dontShow}); }
    std::vector<std::string> Warnings() const;
    // Answers for the colour dialog; an empty queue cancels.
    void QueueColor(uint32_t color) { m_colors.push_back(color); }

    // Answers for the choosers, in order; an empty queue cancels.
    void QueueChoice(const std::string& path) { m_choices.push_back(path); }
    const SaveAsRequest& LastSaveAs() const { return m_lastSaveAs; }

    // Answers for the next message boxes, in order; an empty queue answers
    // IDOK (IDNO for a yes/no box).
    void QueueAnswer(int answer) { m_answers.push_back(answer); }
    void SetOpenResult(bool ok) { m_openResult = ok; }

    std::vector<std::string> Messages() const;  // texts of all boxes, in order
    std::vector<Event> MessageEvents() const;
    const std::vector<Event>& Events() const { return m_events; }
    int WaitDepth() const { return m_waitDepth; }
    bool WaitCursorSeen() const { return m_waitSeen; }
    void Clear() { m_events.clear(); }

  private:
    void Add(Event::Kind kind, const std::string& text, const std::string& caption) {
        Event e;
        e.kind = kind;
        e.text = text;
        e.caption = caption;
        m_events.push_back(e);
    }

    std::vector<Event> m_events;
    std::deque<int> m_answers;
    std::deque<std::string> m_choices;
    std::deque<uint32_t> m_colors;
    std::deque<std::pair<int, bool>> m_warnings;
    SaveAsRequest m_lastSaveAs;
    int m_waitDepth = 0;
    bool m_waitSeen = false;
    bool m_openResult = true;
};

}  // namespace pixfold
