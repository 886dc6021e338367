#include "platform/RecordingShell.h"

namespace pixfold {

int RecordingShell::Message(const std::string& text, unsigned style, const std::string& caption,
                            MsgOwner owner) {
    m_events.push_back({Event::Message, text, caption, style, owner});
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
    m_events.push_back({Event::ProgressOpen, text, {}, 0, MsgOwner::App});
}

void RecordingShell::ProgressText(const std::string& text) {
    m_events.push_back({Event::ProgressText, text, {}, 0, MsgOwner::App});
}

void RecordingShell::ProgressCaption(const std::string& caption) {
    m_events.push_back({Event::ProgressCaption, {}, caption, 0, MsgOwner::App});
}

void RecordingShell::ProgressClose() {
    m_events.push_back({Event::ProgressClose, {}, {}, 0, MsgOwner::App});
}

bool RecordingShell::OpenWithSystem(const std::string& pathOrUrl) {
    m_events.push_back({Event::Open, pathOrUrl, {}, 0, MsgOwner::App});
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
    m_events.push_back({Event::BrowseFolder, {}, title, 0, MsgOwner::App});
    return TakeChoice(m_choices, folder);
}

bool RecordingShell::ChooseFileToOpen(std::string* path) {
    m_events.push_back({Event::OpenFileBox, {}, {}, 0, MsgOwner::App});
    return TakeChoice(m_choices, path);
}

bool RecordingShell::ChooseSaveAs(const SaveAsRequest& request, std::string* path) {
    m_events.push_back({Event::SaveAsBox, request.initialPath, request.title, 0, MsgOwner::App});
    m_lastSaveAs = request;
    return TakeChoice(m_choices, path);
}

bool RecordingShell::ChooseColor(uint32_t initial, uint32_t* chosen) {
    m_events.push_back({Event::ColorBox, std::to_string(initial), {}, 0, MsgOwner::App});
    if (m_colors.empty()) {
        return false;
    }
    *chosen = m_colors.front();
    m_colors.pop_front();
    return true;
}

int RecordingShell::AskWarning(const std::string& message, bool* dontShow) {
    m_events.push_back({Event::Warning, message, "Warning!", 0, MsgOwner::App});
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
