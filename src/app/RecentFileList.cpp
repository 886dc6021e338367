#include "app/RecentFileList.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/ConfigDir.h"
#include "platform/TextUtil.h"

namespace pixfold {

void RecentFileList::Add(const std::string& path) {
    if (m_max == 0 || path.empty()) {
        return;
    }
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > static_cast<size_t>(m_max)) {
        m_paths.resize(static_cast<size_t>(m_max));
    }
}

void RecentFileList::Remove(size_t index) {
    if (index < m_paths.size()) {
        m_paths.erase(m_paths.begin() + static_cast<long>(index));
    }
}

std::string AbbreviatePath(const std::string& path, size_t maxLength) {
    if (path.size() <= maxLength) {
        return path;
    }
    const size_t lastSlash = path.rfind('/');
    const std::string last = lastSlash == std::string::npos ? path : path.substr(lastSlash);
    const size_t firstEnd = path.find('/', 1);
    const std::string first =
        firstEnd == std::string::npos ? std::string() : path.substr(0, firstEnd);
    if (first.size() + 4 + last.size() > maxLength) {
        return lastSlash == std::string::npos ? path : path.substr(lastSlash + 1);
    }
    // Keep as many trailing parts as fit after "first/...".
    std::string tail = last;
    size_t pos = lastSlash;
    while (pos != std::string::npos && pos > firstEnd) {
        size_t prev = path.rfind('/', pos - 1);
        if (prev == std::string::npos || prev < firstEnd) {
            break;
        }
        std::string candidate = path.substr(prev, pos - prev) + tail;
        if (first.size() + 4 + candidate.size() > maxLength) {
            break;
        }
        tail = candidate;
        pos = prev;
    }
    return first + "/..." + tail;
}

std::string RecentFileList::MenuText(size_t index) const {
    const std::string name = AbbreviatePath(m_paths.at(index), kMaxDisplay);
    std::string escaped;
    for (char c : name) {
        escaped += c;
        if (c == '&') {
            escaped += '&';  // a literal ampersand, not a mnemonic
        }
    }
    if (index < 9) {
        return Format("&%zu %s", index + 1, escaped.c_str());
    }
    return Format("%zu %s", index + 1, escaped.c_str());
}

namespace {

bool IsHeader(const std::string& line, std::string* name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') {
        return false;
    }
    *name = Trim(t.substr(1, t.size() - 2));
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

void RecentFileList::Load(const std::string& iniPath) {
    m_paths.clear();
    std::vector<std::string> found(static_cast<size_t>(m_max));
    bool inSection = false;
    for (const std::string& line : ReadLines(iniPath)) {
        std::string name;
        if (IsHeader(line, &name)) {
            inSection = EqualsNoCase(name, kSection);
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos) {
            continue;
        }
        const std::string key = UpperAscii(Trim(line.substr(0, eq)));
        int n = 0;
        if (key.rfind("FILE", 0) == 0 && ScanInt(key.c_str() + 4, n) && n >= 1 && n <= m_max) {
            found[static_cast<size_t>(n - 1)] = line.substr(eq + 1);
        }
    }
    // Entries are read from File1 up; a missing one ends the list, since the
    // list is always written without gaps.
    for (const std::string& p : found) {
        if (p.empty()) {
            break;
        }
        m_paths.push_back(p);
    }
}

bool RecentFileList::Save(const std::string& iniPath) const {
    // No list: the stored entries stay for when the count is raised again.
    if (m_max == 0) {
        return true;
    }
    std::vector<std::string> out;
    bool inSection = false;
    bool written = false;
    auto writeSection = [&]() {
        out.push_back(std::string("[") + kSection + "]");
        size_t n = 0;
        for (const std::string& path : m_paths) {
            // A line break in a name would break the file: such a path stays
            // in this run's menu but is not stored.
            if (path.find_first_of("\r\n") == std::string::npos) {
                out.push_back(Format("File%zu=%s", ++n, path.c_str()));
            }
        }
        written = true;
    };
    for (const std::string& line : ReadLines(iniPath)) {
        std::string name;
        if (IsHeader(line, &name)) {
            inSection = EqualsNoCase(name, kSection);
            if (inSection) {
                writeSection();
                continue;
            }
        }
        if (!inSection) {
            out.push_back(line);
        }
    }
    if (!written) {
        if (!out.empty() && !out.back().empty()) {
            out.push_back("");
        }
        writeSection();
    }
    MakeDirs(DirName(iniPath));
    AtomicFile file;
    if (!file.Open(iniPath)) {
        return false;
    }
    for (const std::string& line : out) {
        std::fputs(line.c_str(), file.Stream());
        std::fputs("\r\n", file.Stream());
    }
    return file.Commit();
}

}  // namespace pixfold
