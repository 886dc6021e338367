#include "catalog/GridKeys.h"

#include <algorithm>

namespace pixfold {

long GridKeyTarget(GridKey key, long current, long count, int cols, int pageRows) {
    if (count <= 0) {
        return -1;
    }
    const long last = count - 1;
    if (key == GridKey::End) {
        return last;
    }
    if (current < 0 || current > last || key == GridKey::Home) {
        return 0;
    }
    const long c = std::max(cols, 1);
    const long page = c * std::max(pageRows, 1);
    switch (key) {
        case GridKey::Left:
            return std::max(current - 1, 0L);
        case GridKey::Right:
            return std::min(current + 1, last);
        case GridKey::Up:
            return current >= c ? current - c : current;
        case GridKey::Down:
            // Into a shorter last row: its last cell, as file managers do.
            if (current + c <= last) {
                return current + c;
            }
            return last / c > current / c ? last : current;
        case GridKey::PageUp:
            return std::max(current - page, 0L);
        case GridKey::PageDown:
            return std::min(current + page, last);
        default:
            return current;
    }
}

int ScrollToShow(int position, int top, int height, int client, int total) {
    int pos = position;
    if (top + height > pos + client) {
        pos = top + height - client;
    }
    // A cell taller than the client shows its top.
    if (top < pos) {
        pos = top;
    }
    return std::clamp(pos, 0, std::max(total - client, 0));
}

int SteppedPitch(int pitch, int steps, int minPitch, int maxPitch) {
    if (maxPitch < minPitch) {
        return pitch;
    }
    int p = std::clamp(pitch, minPitch, maxPitch);
    for (int i = 0; i < (steps < 0 ? -steps : steps); ++i) {
        // An eighth of the pitch, at least 8 pixels: even steps at every size.
        const int step = std::max(8, p / 8) & ~1;
        p = std::clamp(steps < 0 ? p - step : p + step, minPitch, maxPitch);
    }
    // A pitch outside the bounds (stored by hand, or a narrowed window) never
    // moves against the key.
    return (steps > 0 && p < pitch) || (steps < 0 && p > pitch) ? pitch : p;
}

}  // namespace pixfold
