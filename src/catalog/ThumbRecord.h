#pragma once
// One catalogue entry: a JPEG file of the open folder, its captions and its
// ready-to-draw thumbnail.

#include <cstdint>
#include <string>

#include "jpeg/PixelOps.h"
#include "platform/Canvas.h"

namespace pixfold {

class ThumbRecord {
  public:
    // Thumbnail bits: bottom-up BGR rows padded to 4 bytes; null when there is
    // no thumbnail.
    PixelBuffer m_pDib;
    uint32_t m_nImageWidth = 0;
    uint32_t m_nImageHeight = 0;
    uint32_t m_nThumbWidth = 0;
    uint32_t m_nThumbHeight = 0;
    uint32_t m_nScaleNum = 0;
    uint32_t m_nScaleDenom = 0;
    Rect m_rcCell;              // last drawn cell, in scrolled coordinates
    uint32_t m_dwTimeHigh = 0;  // local last-write time, 100-ns ticks since 1601
    uint32_t m_dwTimeLow = 0;
    uint16_t m_wMonth = 0;
    uint16_t m_wDay = 0;
    uint16_t m_wYear = 0;
    uint16_t m_wHour = 0;
    uint16_t m_wMinute = 0;
    uint64_t m_dwFileSize = 0;  // bytes, all 64 bits of them
    std::string m_strPath;
    std::string m_strFolder;  // up to and including the last separator
    std::string m_strTitle;   // name without extension
    std::string m_strExt;     // extension with its dot
    std::string m_strDate;
    std::string m_strSize;
    std::string m_strDim;        // "%d x %d" of the thumbnail
    std::string m_strThumbPath;  // published thumbnail file
    std::string m_strThumbName;
    // From the file's EXIF block, when an option asked for it to be read.
    int m_nOrientation = 1;  // 1..8, as the EXIF orientation counts
    bool m_bHasDateTaken = false;
    uint64_t m_nDateTaken = 0;  // the camera's clock, in the ticks of the local time above

    uint64_t LocalTime() const { return (uint64_t{m_dwTimeHigh} << 32) | m_dwTimeLow; }

    // The time the date sort orders by: the date taken, when asked for and
    // known, else the file's local time.
    uint64_t SortTime(bool dateTaken) const {
        return dateTaken && m_bHasDateTaken ? m_nDateTaken : LocalTime();
    }

    // Frees the thumbnail and resets what a rebuild sets again.
    void ReleaseThumbnail() { m_pDib.reset(); }
};

}  // namespace pixfold
