// Sorting by name: 100,000 records against 10,000 in the same run. An
// O(n log n) sort takes about 12.5 times as long for ten times the records;
// a quadratic one about 100 times.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "BenchUtil.h"
#include "catalog/ThumbCatalog.h"

using namespace pixfold;
using namespace pixfold::bench;

namespace {

void Fill(ThumbCatalog& list, size_t n, std::mt19937& rng) {
    for (size_t i = 0; i < n; ++i) {
        auto r = std::make_unique<ThumbRecord>();
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%06u", static_cast<unsigned>(rng() % (n / 2 + 1)));
        r->m_strTitle = name;
        list.Append(std::move(r));
    }
}

// Seconds per sort of an n-record catalogue: the best of several rounds, each
// sorting `batch` fresh catalogues so that short sorts are timed over a
// measurable stretch.
double TimeSort(size_t n, int batch, std::mt19937& rng) {
    double best = 1e9;
    for (int round = 0; round < 15; ++round) {
        std::vector<ThumbCatalog> lists(static_cast<size_t>(batch));
        for (ThumbCatalog& list : lists) {
            Fill(list, n, rng);
        }
        const double t0 = NowSeconds();
        for (ThumbCatalog& list : lists) {
            SortCatalog(list, kSortName, 0);
        }
        best = std::min(best, (NowSeconds() - t0) / batch);
    }
    return best;
}

}  // namespace

int main() {
    std::mt19937 rng(7);
    const double small = TimeSort(10000, 20, rng);
    const double large = TimeSort(100000, 2, rng);
    std::printf("sort by name: 10,000 records %.5f s, 100,000 records %.5f s\n", small, large);
    std::printf("ratio 100k / 10k: %.2f (target <= 15)\n", large / small);
    return 0;
}
