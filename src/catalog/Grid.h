#pragma once
// The grid of square cells: its size and scrolling, painting and hit testing,
// as arithmetic over the catalogue.

#include "catalog/ThumbCatalog.h"
#include "platform/Canvas.h"

namespace pixfold {

struct ScrollSizes {
    int totalWidth = 100, totalHeight = 100;
    int pageWidth = 100, pageHeight = 100;
    int lineWidth = 10, lineHeight = 10;
};

// Columns, rows and scroll sizes for n records in a client area; cols and rows
// keep their values when the catalogue is empty.
ScrollSizes ComputeScrolls(size_t count, int clientWidth, int clientHeight, int pitch, int& cols,
                           int& rows);

// How a scroll request moves the view along one direction.
enum class ScrollStep { LineUp, LineDown, PageUp, PageDown, Top, Bottom };

// The new scroll position: lines and pages move by the grid's own line and
// page sizes, and the position stays between 0 and total - client, the
// largest one at which the grid's end is in view.
int NextScrollPosition(ScrollStep step, int position, int line, int page, int total, int client);

// A wheel turn of `lines` lines (negative: towards the top): the grid's line
// size per line, never more than a page at once.
int WheelScrollPosition(int lines, int position, int line, int page, int total, int client);

struct GridLook {
    int pitch = 103;
    int cols = 1;
    ColorRef back = 0xFFFFFF;
    ColorRef text = 0;
    bool showDim = false;
    bool showName = true;
    bool showSize = false;
    bool showDate = false;
    bool outlineCaptions = false;  // a background-coloured outline around caption text
    bool dateTaken = false;        // the date caption shows the date taken (see DateCaption)
};

inline constexpr ColorRef kGridLineColor = 0x000000;
inline constexpr ColorRef kSelectionColor = 0x0000FF;  // pure red

// Top-left of a thumbnail inside a cell at (x, y).
inline int ThumbOffset(int pitch, uint32_t side) {
    return (pitch - static_cast<int>(side)) / 2;
}

// Paints every record (setting each m_rcCell) in document coordinates.
void PaintGrid(Canvas& canvas, const ThumbCatalog& list, const GridLook& look, int clientWidth,
               int clientHeight, const ThumbRecord* selected);

struct CaptionTexts {
    std::string dim, size, name, date;
};

// The captions the look shows, in the corners of a box two pixels in:
// dimensions top left, size top right, name bottom left, date bottom right.
// The grid's cells and the image window both use it.
void PaintCaptions(Canvas& canvas, const Rect& box, const CaptionTexts& texts,
                   const GridLook& look);

// The record whose cell holds the document point, or null; index -1 then.
ThumbRecord* HitTest(const ThumbCatalog& list, int docX, int docY, long& index);

}  // namespace pixfold
