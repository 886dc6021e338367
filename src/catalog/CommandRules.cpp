#include "catalog/CommandRules.h"

#include "res/CommandIds.h"

namespace pixfold {

namespace {

enum Need : unsigned { kNoSlideShow = 1, kEntries = 2, kSelection = 4 };

struct Rule {
    int id;
    unsigned needs;
};

constexpr Rule kRules[] = {
    {res::ID_PREFERENCES, kNoSlideShow},
    {res::ID_MORE_OPTIONS, kNoSlideShow},
    {res::ID_OPEN_FOLDER, kNoSlideShow},
    {res::ID_START_SLIDE_SHOW, kEntries | kNoSlideShow},
    {res::ID_MAKE_THUMBS, kEntries | kNoSlideShow},
    {res::ID_DELETE_THUMB, kSelection},
    {res::ID_MOVE_RENAME_THUMB, kSelection},
    {res::ID_SHOW_DETAILS, kEntries | kNoSlideShow},
    {res::ID_REFRESH, kEntries | kNoSlideShow},
    {res::ID_CLOSE_VIEW, kEntries | kNoSlideShow},
};

}  // namespace

bool IsViewCommand(int id) {
    for (const Rule& r : kRules) {
        if (r.id == id) {
            return true;
        }
    }
    return false;
}

bool IsViewCommandEnabled(int id, const ViewState& s) {
    for (const Rule& r : kRules) {
        if (r.id != id) {
            continue;
        }
        if ((r.needs & kNoSlideShow) && s.slideShowRunning) {
            return false;
        }
        if ((r.needs & kEntries) && s.catalogEmpty) {
            return false;
        }
        if ((r.needs & kSelection) && !s.hasSelection) {
            return false;
        }
        return true;
    }
    return true;
}

bool IsContextMenuCommandEnabled(int id, const ViewState& s) {
    return id == res::ID_PREFERENCES || IsViewCommandEnabled(id, s);
}

}  // namespace pixfold
