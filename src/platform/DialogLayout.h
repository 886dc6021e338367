#pragma once
// Making room in a dialog whose controls grew past their template heights:
// whatever a grown control would now reach moves down, group boxes grow
// around what they hold, and nothing overlaps that did not in the template.

#include <vector>

namespace pixfold {

struct LayoutBox {
    int x = 0, y = 0, width = 0, height = 0;
    int Right() const { return x + width; }    // exclusive
    int Bottom() const { return y + height; }  // exclusive
};

struct LayoutItem {
    LayoutBox tmpl;      // where the template puts it, in pixels
    LayoutBox now;       // where it stands now; moved and grown by SettleLayout
    bool group = false;  // a group box: holds what its template rectangle holds
    bool label = false;  // a static text: may touch what it touches in the template
};

// Moves items down and grows group boxes until every item below another one
// (in the template) stands clear of it again, with at least a pixel between
// them where the template had a gap, and every group box holds its items
// with the margin the template gave them. Items only ever move down.
void SettleLayout(std::vector<LayoutItem>& items);

}  // namespace pixfold
