#include "catalog/MoreOptions.h"

namespace pixfold {

namespace {

int Checked(SettingsStore& store, const res::Setting& s) {
    const int v = store.Get(s);
    return v < s.min || v > s.max ? s.intDefault : v;
}

}  // namespace

MoreOptions LoadMoreOptions(SettingsStore& store) {
    MoreOptions o;
    o.deleteToTrash = Checked(store, res::kDeleteToTrash) != 0;
    o.upright = Checked(store, res::kUpright) != 0;
    o.dateTaken = Checked(store, res::kDateTaken) != 0;
    o.naturalNames = Checked(store, res::kNaturalSort) != 0;
    o.unreadable = static_cast<UnreadableReport>(Checked(store, res::kUnreadable));
    o.outlineCaptions = Checked(store, res::kOutlineCaptions) != 0;
    return o;
}

void StoreMoreOptions(SettingsStore& store, const MoreOptions& o) {
    store.Set(res::kDeleteToTrash, o.deleteToTrash ? 1 : 0);
    store.Set(res::kUpright, o.upright ? 1 : 0);
    store.Set(res::kDateTaken, o.dateTaken ? 1 : 0);
    store.Set(res::kNaturalSort, o.naturalNames ? 1 : 0);
    store.Set(res::kUnreadable, static_cast<int>(o.unreadable));
    store.Set(res::kOutlineCaptions, o.outlineCaptions ? 1 : 0);
}

}  // namespace pixfold
