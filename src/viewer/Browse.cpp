#include "viewer/Browse.h"

namespace pixfold {

ThumbRecord* StepInCatalog(const ThumbCatalog& list, const ThumbRecord* shown,
                           const std::string& path, int step) {
    // A released record's address may be reused by a new one: the path decides.
    long index = list.IndexOf(shown);
    if (index < 0 || list.at(static_cast<size_t>(index)).m_strPath != path) {
        index = -1;
        for (size_t i = 0; i < list.size(); ++i) {
            if (list.at(i).m_strPath == path) {
                index = static_cast<long>(i);
                break;
            }
        }
    }
    if (index < 0) {
        return nullptr;
    }
    const long target = index + step;
    if (target < 0 || target >= static_cast<long>(list.size())) {
        return nullptr;
    }
    return &list.at(static_cast<size_t>(target));
}

}  // namespace pixfold
