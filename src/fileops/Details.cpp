#include "fileops/Details.h"

#include <cstdio>

#include "platform/AtomicFile.h"
#include "platform/TextUtil.h"

namespace pixfold {

namespace {

std::string Column(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

std::string FormatDetailsLine(const ThumbRecord& record) {
    return Format("%s\t%s\t%s\t%s", Column(record.m_strTitle).c_str(),
                  Column(record.m_strSize).c_str(), Column(record.m_strDate).c_str(),
                  Column(record.m_strDim).c_str());
}

std::string FormatDetails(const ThumbCatalog& list) {
    std::string out;
    for (const auto& record : list) {
        out += FormatDetailsLine(*record);
        out += "\r\n";
    }
    return out;
}

bool WriteDetailsFile(const ThumbCatalog& list, const std::string& path) {
    AtomicFile file;
    if (!file.Open(path)) {
        return false;
    }
    const std::string text = FormatDetails(list);
    if (std::fwrite(text.data(), 1, text.size(), file.Stream()) != text.size()) {
        return false;
    }
    return file.Commit();
}

}  // namespace pixfold
