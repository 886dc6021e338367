#pragma once
// The ordered list of records the view owns. List order is display order, and
// a record's index everywhere is its zero-based position here.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "catalog/ThumbRecord.h"

namespace pixfold {

enum SortOption { kSortNone = 0, kSortName = 1, kSortSize = 2, kSortDate = 3 };

class ThumbCatalog {
  public:
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    ThumbRecord& at(size_t index) const { return *m_records.at(index); }
    ThumbRecord* head() const { return m_records.empty() ? nullptr : m_records.front().get(); }

    ThumbRecord& Append(std::unique_ptr<ThumbRecord> record);
    // Removes and releases one record; false when it is not in the list.
    bool Remove(const ThumbRecord* record);
    // Releases every record, thumbnails first.
    void Clear();
    // Removes and releases every record from `count` on.
    void Truncate(size_t count);
    // Zero-based index, or -1.
    long IndexOf(const ThumbRecord* record) const;
    bool Contains(const ThumbRecord* record) const { return IndexOf(record) >= 0; }

    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    // Reorders by the given permutation of current indices.
    void Reorder(const std::vector<size_t>& order);

  private:
    std::vector<std::unique_ptr<ThumbRecord>> m_records;
};

// Whether the first 64-bit time is strictly later than the second.
bool IsLaterTime(uint32_t high1, uint32_t low1, uint32_t high2, uint32_t low2);

// What the user may add to the sort; the defaults give the plain order.
struct SortRules {
    bool naturalNames = false;  // "img2" before "img10"
    bool dateTaken = false;     // the date sort by the date a photo was taken, when known
};

// Sorts by option (0 none, 1 name, 2 size, 3 date; others none) and style (0
// ascending, else descending). Equal keys end in the reverse of their order
// before the sort, so sorting twice restores them.
void SortCatalog(ThumbCatalog& list, int sortOption, int sortStyle, SortRules rules = {});

// Orders two name keys with each run of digits taken as a number of any
// length ("2" < "10" < "010a"); other bytes compare unsigned. Names equal by
// this reading (differing only in leading zeros) fall back to plain byte
// order, so only identical keys compare equal. Negative, 0 or positive.
int CompareNatural(std::string_view a, std::string_view b);

}  // namespace pixfold
