#include "platform/DialogLayout.h"

#include <algorithm>
#include <cstddef>

namespace pixfold {

namespace {

bool Inside(const LayoutBox& inner, const LayoutBox& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

bool SideBySideFree(const LayoutBox& a, const LayoutBox& b) {
    return a.Right() <= b.x || b.Right() <= a.x;
}

}  // namespace

void SettleLayout(std::vector<LayoutItem>& items) {
    const size_t n = items.size();
    // What each group box holds, by the template.
    std::vector<std::vector<size_t>> holds(n);
    for (size_t g = 0; g < n; ++g) {
        if (!items[g].group) {
            continue;
        }
        for (size_t i = 0; i < n; ++i) {
            if (i != g && Inside(items[i].tmpl, items[g].tmpl)) {
                holds[g].push_back(i);
            }
        }
    }
    auto held = [&](size_t g, size_t i) {
        return std::find(holds[g].begin(), holds[g].end(), i) != holds[g].end();
    };
    auto moveDown = [&](size_t i, int by) {
        items[i].now.y += by;
        for (size_t j : holds[i]) {
            items[j].now.y += by;
        }
    };
    // Every step only moves something down, so this ends; the bound is a guard.
    for (size_t round = 0; round < 4 * n + 4; ++round) {
        bool changed = false;
        for (size_t a = 0; a < n; ++a) {
            for (size_t b = 0; b < n; ++b) {
                const LayoutItem& A = items[a];
                const LayoutItem& B = items[b];
                // B below A in the template, in the same columns now, and
                // neither holding the other.
                if (a == b || B.tmpl.y < A.tmpl.Bottom() || SideBySideFree(A.now, B.now) ||
                    (A.group && held(a, b)) || (B.group && held(b, a))) {
                    continue;
                }
                const bool gap = B.tmpl.y > A.tmpl.Bottom() || !(A.label || B.label);
                const int need = A.now.Bottom() + (gap ? 1 : 0) - B.now.y;
                if (need > 0) {
                    moveDown(b, need);
                    changed = true;
                }
            }
        }
        for (size_t g = 0; g < n; ++g) {
            for (size_t i : holds[g]) {
                const int margin = std::max(0, items[g].tmpl.Bottom() - items[i].tmpl.Bottom());
                const int need = items[i].now.Bottom() + margin - items[g].now.Bottom();
                if (need > 0) {
                    items[g].now.height += need;
                    changed = true;
                }
            }
        }
        if (!changed) {
            break;
        }
    }
}

}  // namespace pixfold
