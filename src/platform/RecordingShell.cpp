#include "platform/RecordingShell.h"

namespace pixfold {

int RecordingShell::Message(const std::string& text, unsigned style, const std::string& caption,
                            MsgOwner owner) {
    Add(Event::Message, text, caption);
    m_events.back().style = style;
    m_events.back().owner = owner;
    m_events.back().subject = Subject();
    if (m_waitDepth > 0) {
        m_waitSeen = true;
    }
    if (!m_answers.empty()) {
        int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return (style & 0xF) == MB_YESNO ? IDNO : IDOK;
}

void RecordingShell::ProgressOpen(const std::string& text) {
    Add(Event::ProgressOpen, text, {});
}

void RecordingShell::ProgressText(const std::string& text) {
    Add(Event::ProgressText, text, {});
}

void RecordingShell::ProgressCaption(const std::string& caption) {
    Add(Event::ProgressCaption, {}, caption);
}

void RecordingShell::ProgressClose() {
    Add(Event::ProgressClose, {}, {});
}

bool RecordingShell::OpenWithSystem(const std::string& pathOrUrl) {
    Add(Event::Open, pathOrUrl, {});
    return m_openResult;
}

namespace {

bool TakeChoice(std::deque<std::string>& choices, std::string* out) {
    if (choices.empty()) {
        return false;
    }
    *out = choices.front();
    choices.pop_front();
    return true;
}

}  // namespace

bool RecordingShell::BrowseForFolder(const std::string& title, std::string* folder) {
    Add(Event::BrowseFolder, {}, title);
    return TakeChoice(m_choices, folder);
}

bool RecordingShell::ChooseFileToOpen(std::string* path) {
    Add(Event::OpenFileBox, {}, {});
    return TakeChoice(m_choices, path);
}

bool RecordingShell::ChooseSaveAs(const SaveAsRequest& request, std::string* path) {
    Add(Event::SaveAsBox, request.initialPath, request.title);
    m_lastSaveAs = request;
    return TakeChoice(m_choices, path);
}

bool RecordingShell::ChooseColor(uint32_t initial, uint32_t* chosen) {
    Add(Event::ColorBox, std::to_string(initial), {});
    if (m_colors.empty()) {
        return false;
    }
    *chosen = m_colors.front();
    m_colors.pop_front();
    return true;
}

int RecordingShell::AskWarning(const std::string& message, bool* dontShow) {
    Add(Event::Warning, message, "Warning!");
    if (m_warnings.empty()) {
        *dontShow = false;
        return IDNO;
    }
    const auto [answer, box] = m_warnings.front();
    m_warnings.pop_front();
    *dontShow = box;
    return answer;
}

std::vector<std::string> RecordingShell::Warnings() const {
    std::vector<std::string> out;
    for (const Event& e : m_events) {
        if (e.kind == Event::Warning) {
            out.push_back(e.text);
        }
    }
    return out;
}

int RecordingShell::Count(Event::Kind kind) const {
    int n = 0;
    for (const Event& e : m_events) {
        n += e.kind == kind;
    }
    return n;
}

std::vector<std::string> RecordingShell::Messages() const {
    std::vector<std::string> out;
    for (const Event& e : m_events) {
        if (e.kind == Event::Message) {
            out.push_back(e.text);
        }
    }
    return out;
}

std::vector<RecordingShell::Event> RecordingShell::MessageEvents() const {
    std::vector<Event> out;
    for (const Event& e : m_events) {
        if (e.kind == Event::Message) {
            out.push_back(e);
        }
    }
    return out;
}

}  // namespace pixfold
