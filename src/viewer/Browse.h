#pragma once
// Next and previous in an image window: the catalogue's order.

#include <string>

#include "catalog/ThumbCatalog.h"

namespace pixfold {

// The record `step` places after (negative: before) the shown one, or null
// at either end. The shown record is found by address when it is still in
// the list with the same path, else by path; null when it has gone.
ThumbRecord* StepInCatalog(const ThumbCatalog& list, const ThumbRecord* shown,
                           const std::string& path, int step);

}  // namespace pixfold
