#include "catalog/ThumbCatalog.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>

#include "platform/TextUtil.h"

namespace pixfold {

ThumbRecord& ThumbCatalog::Append(std::unique_ptr<ThumbRecord> record) {
    m_records.push_back(std::move(record));
    return *m_records.back();
}

bool ThumbCatalog::Remove(const ThumbRecord* record) {
    auto it = std::find_if(m_records.begin(), m_records.end(),
                           [record](const auto& r) { return r.get() == record; });
    if (it == m_records.end()) {
        return false;
    }
    (*it)->ReleaseThumbnail();
    m_records.erase(it);
    return true;
}

void ThumbCatalog::Clear() {
    for (auto& r : m_records) {
        r->ReleaseThumbnail();
    }
    m_records.clear();
}

long ThumbCatalog::IndexOf(const ThumbRecord* record) const {
    for (size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].get() == record) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

void ThumbCatalog::Reorder(const std::vector<size_t>& order) {
    std::vector<std::unique_ptr<ThumbRecord>> next;
    next.reserve(order.size());
    for (size_t i : order) {
        next.push_back(std::move(m_records[i]));
    }
    m_records = std::move(next);
}

bool IsLaterTime(uint32_t high1, uint32_t low1, uint32_t high2, uint32_t low2) {
    if (high1 != high2) {
        return high1 > high2;
    }
    return low1 > low2;
}

namespace {

// The order selection-by-extraction produces equals a stable sort of the
// reversed list: ties come out reversed. Done in O(n log n).
template <typename Key>
void SortByKey(ThumbCatalog& list, const std::vector<Key>& keys, bool descending) {
    // Keys travel with their indices, so comparing touches one array only.
    std::vector<std::pair<Key, size_t>> items;
    items.reserve(keys.size());
    for (size_t i = keys.size(); i-- > 0;) {
        items.emplace_back(keys[i], i);  // reversed: ties come out reversed
    }
    if (descending) {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return b.first < a.first; });
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    std::vector<size_t> order;
    order.reserve(items.size());
    for (const auto& item : items) {
        order.push_back(item.second);
    }
    list.Reorder(order);
}

}  // namespace

void SortCatalog(ThumbCatalog& list, int sortOption, int sortStyle) {
    if (list.size() < 2) {
        return;
    }
    const bool descending = sortStyle != 0;
    switch (sortOption) {
        case kSortName: {
            // The upper-cased titles side by side in one buffer: no allocation
            // per key, and neighbouring keys in neighbouring memory.
            std::string arena;
            size_t total = 0;
            for (const auto& r : list) {
                total += r->m_strTitle.size();
            }
            arena.reserve(total);
            std::vector<std::pair<size_t, size_t>> spans;
            spans.reserve(list.size());
            for (const auto& r : list) {
                spans.emplace_back(arena.size(), r->m_strTitle.size());
                for (char c : r->m_strTitle) {
                    arena += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
                }
            }
            std::vector<std::string_view> keys;
            keys.reserve(list.size());
            for (const auto& [offset, length] : spans) {
                keys.emplace_back(arena.data() + offset, length);
            }
            SortByKey(list, keys, descending);
            break;
        }
        case kSortSize: {
            std::vector<uint64_t> keys;
            keys.reserve(list.size());
            for (const auto& r : list) {
                keys.push_back(r->m_dwFileSize);
            }
            SortByKey(list, keys, descending);
            break;
        }
        case kSortDate: {
            std::vector<uint64_t> keys;
            keys.reserve(list.size());
            for (const auto& r : list) {
                keys.push_back(r->LocalTime());
            }
            SortByKey(list, keys, descending);
            break;
        }
        default:
            break;
    }
}

}  // namespace pixfold
