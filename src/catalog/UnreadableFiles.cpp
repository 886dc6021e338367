#include "catalog/UnreadableFiles.h"

#include <algorithm>

#include "platform/ControlBytes.h"
#include "platform/TextUtil.h"

namespace pixfold {

void UnreadableFiles::Add(const std::string& path, const std::string& text) {
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_files.begin(), m_files.end(),
                           [&path](const File& f) { return f.path == path; });
    if (it == m_files.end()) {
        m_files.push_back({path, {}});
        it = std::prev(m_files.end());
    }
    it->texts.push_back(text);
}

size_t UnreadableFiles::FileCount() const {
    std::lock_guard lock(m_mutex);
    return m_files.size();
}

std::vector<UnreadableFiles::File> UnreadableFiles::Files() const {
    std::lock_guard lock(m_mutex);
    return m_files;
}

void UnreadableFiles::Clear() {
    std::lock_guard lock(m_mutex);
    m_files.clear();
}

namespace {

// A box's text on one line: its line breaks become spaces.
std::string OneLine(const std::string& text) {
    std::string out;
    bool space = false;
    for (char c : Trim(text)) {
        if (c == '\n' || c == '\r' || c == '\t' || c == ' ') {
            space = true;
            continue;
        }
        if (space && !out.empty()) {
            out += ' ';
        }
        space = false;
        out += c;
    }
    return out;
}

std::string Reasons(const std::vector<std::string>& texts) {
    std::vector<std::string> kept;
    for (const std::string& t : texts) {
        const std::string line = OneLine(t);
        if (!line.empty() && std::find(kept.begin(), kept.end(), line) == kept.end()) {
            kept.push_back(line);
        }
    }
    // "JPEG Error" only follows the library's own words; alone, it is all there is.
    if (kept.size() > 1) {
        std::erase(kept, std::string("JPEG Error"));
    }
    std::string out;
    for (const std::string& k : kept) {
        out += (out.empty() ? "" : "; ") + k;
    }
    return out;
}

}  // namespace

std::string FormatUnreadableList(const std::vector<UnreadableFiles::File>& files) {
    if (files.empty()) {
        return {};
    }
    std::string out = "These files could not be read, or only in part:\n";
    const size_t listed = std::min(files.size(), kMaxListedFiles);
    for (size_t i = 0; i < listed; ++i) {
        const std::string& path = files[i].path;
        const size_t slash = path.rfind('/');
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        // A line break in a name must not start a line of its own.
        out +=
            "\n" + EscapeControlBytes(name, {false, true, false}) + ": " + Reasons(files[i].texts);
    }
    if (files.size() > listed) {
        out += Format("\n... and %zu more.", files.size() - listed);
    }
    return out;
}

std::string UnreadableCountText(size_t count) {
    if (count == 0) {
        return {};
    }
    return count == 1 ? "1 file could not be read" : Format("%zu files could not be read", count);
}

int CollectingShell::Message(const std::string& text, unsigned style, const std::string& caption,
                             MsgOwner owner) {
    if (Subject().empty()) {
        return m_inner.Message(text, style, caption, owner);
    }
    m_files.Add(Subject(), text);
    return (style & 0xF) == MB_YESNO ? IDNO : IDOK;
}

}  // namespace pixfold
