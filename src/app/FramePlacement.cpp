#include "app/FramePlacement.h"

#include "res/Settings.h"

namespace pixfold {

bool IsUsablePlacement(const Placement& p, int w, int h) {
    return p.cx > 0 && p.cy > 0 && p.x >= 0 && p.y >= 0 && p.cx <= w && p.cy <= h && p.x <= w &&
           p.y <= h;
}

Placement DefaultPlacement(int w, int h) {
    // The factor is the float nearest 0.95; the products are exact, then truncated.
    const double f = static_cast<double>(0.95f);
    Placement p;
    p.cx = static_cast<int>(static_cast<double>(w) * f);
    p.cy = static_cast<int>(static_cast<double>(h) * f);
    p.x = (w - p.cx) / 2;
    p.y = (h - p.cy) / 2;
    return p;
}

Placement RestorePlacement(SettingsStore& store, int w, int h, int left, int top) {
    Placement p;
    p.x = store.Get(res::kScreenX);
    p.y = store.Get(res::kScreenY);
    p.cx = store.Get(res::kScreenCx);
    p.cy = store.Get(res::kScreenCy);
    if (IsUsablePlacement({p.x - left, p.y - top, p.cx, p.cy}, w, h)) {
        return p;
    }
    p = DefaultPlacement(w, h);
    p.x += left;
    p.y += top;
    store.Set(res::kScreenX, p.x);
    store.Set(res::kScreenY, p.y);
    store.Set(res::kScreenCx, p.cx);
    store.Set(res::kScreenCy, p.cy);
    return p;
}

void SavePlacement(SettingsStore& store, const Placement& p) {
    store.Set(res::kScreenX, p.x < 0 ? 0 : p.x);
    store.Set(res::kScreenY, p.y < 0 ? 0 : p.y);
    store.Set(res::kScreenCx, p.cx);
    store.Set(res::kScreenCy, p.cy);
}

}  // namespace pixfold
