#include "catalog/ThumbCatalog.h"

#include <algorithm>
#include <functional>
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

void ThumbCatalog::Truncate(size_t count) {
    while (m_records.size() > count) {
        m_records.back()->ReleaseThumbnail();
        m_records.pop_back();
    }
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
template <typename Key, typename Less = std::less<>>
void SortByKey(ThumbCatalog& list, const std::vector<Key>& keys, bool descending, Less less = {}) {
    // Keys travel with their indices, so comparing touches one array only.
    std::vector<std::pair<Key, size_t>> items;
    items.reserve(keys.size());
    for (size_t i = keys.size(); i-- > 0;) {
        items.emplace_back(keys[i], i);  // reversed: ties come out reversed
    }
    if (descending) {
        std::stable_sort(items.begin(), items.end(),
                         [&less](const auto& a, const auto& b) { return less(b.first, a.first); });
    } else {
        std::stable_sort(items.begin(), items.end(),
                         [&less](const auto& a, const auto& b) { return less(a.first, b.first); });
    }
    std::vector<size_t> order;
    order.reserve(items.size());
    for (const auto& item : items) {
        order.push_back(item.second);
    }
    list.Reorder(order);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// End of the digit run that starts at i.
size_t DigitsEnd(std::string_view s, size_t i) {
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    return i;
}

}  // namespace

int CompareNatural(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compared as digit strings, never converted: a run of any length
            // cannot overflow. Without leading zeros, the longer is the larger.
            const size_t aEnd = DigitsEnd(a, i);
            const size_t bEnd = DigitsEnd(b, j);
            while (i < aEnd && a[i] == '0') {
                ++i;
            }
            while (j < bEnd && b[j] == '0') {
                ++j;
            }
            if (aEnd - i != bEnd - j) {
                return aEnd - i < bEnd - j ? -1 : 1;
            }
            const int c = a.substr(i, aEnd - i).compare(b.substr(j, bEnd - j));
            if (c != 0) {
                return c;
            }
            i = aEnd;
            j = bEnd;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    return a.compare(b);
}

void SortCatalog(ThumbCatalog& list, int sortOption, int sortStyle, SortRules rules) {
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
            if (rules.naturalNames) {
                SortByKey(list, keys, descending, [](std::string_view a, std::string_view b) {
                    return CompareNatural(a, b) < 0;
                });
            } else {
                SortByKey(list, keys, descending);
            }
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
                keys.push_back(r->SortTime(rules.dateTaken));
            }
            SortByKey(list, keys, descending);
            break;
        }
        default:
            break;
    }
}

}  // namespace pixfold
