#pragma once
// The details export: one tab-separated line per record.

#include <string>

#include "catalog/ThumbCatalog.h"

namespace pixfold {

// "%s\t%s\t%s\t%s" of title, size, date and dimensions, without a line end.
// A tab, CR or LF inside a column becomes a space, so a record stays one line
// of four columns.
std::string FormatDetailsLine(const ThumbRecord& record);

// Every line with its CR LF, in catalogue order.
std::string FormatDetails(const ThumbCatalog& list);

// Writes details to the path (replaced whole); false when it cannot be created.
bool WriteDetailsFile(const ThumbCatalog& list, const std::string& path);

}  // namespace pixfold
