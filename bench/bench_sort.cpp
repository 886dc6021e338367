// Sorting by name: 100,000 records against 10,000 in the same run. An
// O(n log n) sort takes about 12 times as long for ten times the records;
// a quadratic one about 100 times.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

#include "BenchUtil.h"
#include "catalog/ThumbCatalog.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

double TimeSort(size_t n, std::mt19937& rng) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        ThumbCatalog list;
        for (size_t i = 0; i < n; ++i) {
            auto r = std::make_unique<ThumbRecord>();
            char name[32];
            std::snprintf(name, sizeof name, "IMG_%06u",
                          static_cast<unsigned>(rng() % (n / 2 + 1)));
            r->m_strTitle = name;
            list.Append(std::move(r));
        }
        double t0 = NowSeconds();
        SortCatalog(list, kSortName, 0);
        best = std::min(best, NowSeconds() - t0);
    }
    return best;
}

}  // namespace

int main() {
    std::mt19937 rng(7);
    const double small = TimeSort(10000, rng);
    const double large = TimeSort(100000, rng);
    std::printf("sort by name: 10,000 records %.4f s, 100,000 records %.4f s\n", small, large);
    std::printf("ratio 100k / 10k: %.2f (target <= 15)\n", large / small);
    return 0;
}
