// Sorting by name: 100,000 records against 10,000, judged against a plain
// std::stable_sort of the same records (by pointer, comparing their titles
// without case) run the same way. Both grow as n log n (about 12.5 times for
// ten times the records) plus whatever the machine's caches add for records
// of this size; the reference touches the same records, so the quotient of
// the two growths shows the catalogue sort's own: about 1 for n log n (less
// where it touches each record once, as it should), 8 for a quadratic sort.

#include <strings.h>
#include <algorithm>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchUtil.h"
#include "catalog/ThumbCatalog.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

std::vector<std::string> Names(size_t n, std::mt19937& rng) {
    std::vector<std::string> names;
    for (size_t i = 0; i < n; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%06u", static_cast<unsigned>(rng() % (n / 2 + 1)));
        names.push_back(name);
    }
    return names;
}

// Seconds per sort of n records: the best of several rounds, each sorting
// `batch` fresh lists so that short sorts are timed over a measurable stretch.
template <class List, class Make, class Sort>
double TimeSort(size_t n, int batch, std::mt19937& rng, Make make, Sort sort) {
    double best = 1e9;
    for (int round = 0; round < 15; ++round) {
        std::vector<List> lists;
        lists.reserve(static_cast<size_t>(batch));
        for (int i = 0; i < batch; ++i) {
            lists.push_back(make(Names(n, rng)));
        }
        const double t0 = NowSeconds();
        for (List& list : lists) {
            sort(list);
        }
        best = std::min(best, (NowSeconds() - t0) / batch);
    }
    return best;
}

std::vector<std::unique_ptr<ThumbRecord>> Records(const std::vector<std::string>& names) {
    std::vector<std::unique_ptr<ThumbRecord>> records;
    for (const std::string& name : names) {
        auto r = std::make_unique<ThumbRecord>();
        r->m_strTitle = name;
        records.push_back(std::move(r));
    }
    return records;
}

double CatalogSort(size_t n, int batch, std::mt19937& rng) {
    return TimeSort<ThumbCatalog>(
        n, batch, rng,
        [](const std::vector<std::string>& names) {
            ThumbCatalog list;
            for (auto& r : Records(names)) {
                list.Append(std::move(r));
            }
            return list;
        },
        [](ThumbCatalog& list) { SortCatalog(list, kSortName, 0); });
}

double PlainSort(size_t n, int batch, std::mt19937& rng) {
    using List = std::vector<std::unique_ptr<ThumbRecord>>;
    return TimeSort<List>(n, batch, rng, Records, [](List& records) {
        std::stable_sort(records.begin(), records.end(), [](const auto& a, const auto& b) {
            return strcasecmp(a->m_strTitle.c_str(), b->m_strTitle.c_str()) < 0;
        });
    });
}

}  // namespace

int main() {
    std::mt19937 rng(7);
    const double small = CatalogSort(10000, 20, rng);
    const double large = CatalogSort(100000, 2, rng);
    const double plainSmall = PlainSort(10000, 20, rng);
    const double plainLarge = PlainSort(100000, 2, rng);
    std::printf("sort by name: 10,000 records %.5f s, 100,000 records %.5f s: %.2f times\n", small,
                large, large / small);
    std::printf("std::stable_sort of the records: %.5f s, %.5f s: %.2f times\n", plainSmall,
                plainLarge, plainLarge / plainSmall);
    std::printf("growth against the plain sort's: %.2f (target <= 1.25; a quadratic sort: 8)\n",
                (large / small) / (plainLarge / plainSmall));
    return 0;
}
