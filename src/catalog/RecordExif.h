#pragma once
// What a record takes from its file's EXIF block (orientation and date taken),
// and the date caption when the date sort goes by the date taken.

#include <string>

#include "catalog/ThumbRecord.h"
#include "jpeg/Exif.h"

namespace pixfold {

// Sets m_nOrientation, m_bHasDateTaken and m_nDateTaken from what was read.
void ApplyExif(ThumbRecord& record, const ExifInfo& info);

// Reads the record's file for them; a file without a usable EXIF block gives
// orientation 1 and no date. Shows no message: a file that cannot be read is
// reported when its thumbnail is built.
void ReadRecordExif(ThumbRecord& record);

// The date caption: m_strDate as it stands, or, when the date taken is asked
// for, that date, or the file's date with a trailing "*" when it is unknown.
std::string DateCaption(const ThumbRecord& record, bool dateTaken);

}  // namespace pixfold
