#include "catalog/RecordExif.h"

#include "catalog/FolderScan.h"
#include "platform/FileTime.h"

namespace pixfold {

void ApplyExif(ThumbRecord& record, const ExifInfo& info) {
    record.m_nOrientation = info.orientation;
    record.m_bHasDateTaken = false;
    record.m_nDateTaken = 0;
    if (info.dateTaken) {
        const ExifDate& d = *info.dateTaken;
        // The camera's clock knows no zone: taken as local time, like the
        // file times the other records are sorted by.
        const uint64_t ticks =
            CalendarToTicks({d.year, d.month, d.day, d.hour, d.minute, d.second});
        record.m_bHasDateTaken = ticks != 0;
        record.m_nDateTaken = ticks;
    }
}

void ReadRecordExif(ThumbRecord& record) {
    ApplyExif(record, ReadExifFile(record.m_strPath));
}

std::string DateCaption(const ThumbRecord& record, bool dateTaken) {
    if (!dateTaken) {
        return record.m_strDate;
    }
    if (!record.m_bHasDateTaken) {
        return record.m_strDate + "*";
    }
    const CalendarTime t = TicksToCalendar(record.m_nDateTaken);
    return FormatDateCaption(t.month, t.day, t.year, t.hour, t.minute);
}

}  // namespace pixfold
