#include "catalog/Grid.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/RecordExif.h"

namespace pixfold {

ScrollSizes ComputeScrolls(size_t count, int clientWidth, int clientHeight, int pitch, int& cols,
                           int& rows) {
    ScrollSizes s;
    if (count > 0 && pitch > 0) {
        const int n = static_cast<int>(count);
        cols = clientWidth / pitch;
        if (cols <= 0) {
            cols = 1;
        }
        rows = n / cols;
        if (n % cols != 0 && cols > 1) {
            rows += 1;
        }
        s.totalWidth = pitch * cols;
        s.totalHeight = pitch * rows;
    }
    if (pitch != 0) {
        s.pageWidth = pitch;
        s.pageHeight = (clientHeight / pitch) * pitch;
    }
    // A page dimension of 0 becomes a tenth of the total; a line is a tenth of a page.
    if (s.pageWidth == 0) {
        s.pageWidth = s.totalWidth / 10;
    }
    if (s.pageHeight == 0) {
        s.pageHeight = s.totalHeight / 10;
    }
    s.lineWidth = s.pageWidth / 10;
    s.lineHeight = s.pageHeight / 10;
    return s;
}

namespace {

int ClampScroll(int64_t position, int total, int client) {
    const int64_t largest = total > client ? total - client : 0;
    return static_cast<int>(std::clamp<int64_t>(position, 0, largest));
}

}  // namespace

int NextScrollPosition(ScrollStep step, int position, int line, int page, int total, int client) {
    const int64_t pos = position;
    switch (step) {
        case ScrollStep::LineUp:
            return ClampScroll(pos - std::max(line, 1), total, client);
        case ScrollStep::LineDown:
            return ClampScroll(pos + std::max(line, 1), total, client);
        case ScrollStep::PageUp:
            return ClampScroll(pos - std::max(page, 1), total, client);
        case ScrollStep::PageDown:
            return ClampScroll(pos + std::max(page, 1), total, client);
        case ScrollStep::Top:
            return 0;
        case ScrollStep::Bottom:
            return ClampScroll(total, total, client);
    }
    return ClampScroll(pos, total, client);
}

int WheelScrollPosition(int lines, int position, int line, int page, int total, int client) {
    const int64_t by =
        std::min<int64_t>(int64_t{std::abs(lines)} * std::max(line, 1), std::max(page, 1));
    return ClampScroll(int64_t{position} + (lines < 0 ? -by : by), total, client);
}

namespace {

void Caption(Canvas& canvas, int x, int y, TextAlign align, const std::string& text,
             const GridLook& look) {
    if (look.outlineCaptions) {
        canvas.OutlinedText(x, y, align, text, look.text, look.back);
    } else {
        canvas.Text(x, y, align, text, look.text);
    }
}

void PaintCell(Canvas& canvas, const ThumbRecord& r, const GridLook& look, int x, int y) {
    const int p = look.pitch;
    const Rect cell{x, y, x + p, y + p};
    canvas.FillRect(cell, look.back);
    canvas.FillRect({x, y + p - 1, x + p, y + p}, kGridLineColor);
    canvas.FillRect({x + p - 1, y, x + p, y + p}, kGridLineColor);
    if (r.m_pDib && r.m_nThumbWidth > 0 && r.m_nThumbHeight > 0) {
        canvas.DrawDib(x + ThumbOffset(p, r.m_nThumbWidth), y + ThumbOffset(p, r.m_nThumbHeight),
                       r.m_nThumbWidth, r.m_nThumbHeight, r.m_pDib.get());
    }
    PaintCaptions(canvas, cell,
                  {r.m_strDim, r.m_strSize, r.m_strTitle, DateCaption(r, look.dateTaken)}, look);
}

}  // namespace

void PaintCaptions(Canvas& canvas, const Rect& box, const CaptionTexts& texts,
                   const GridLook& look) {
    if (look.showDim) {
        Caption(canvas, box.left + 2, box.top + 2, TextAlign::LeftTop, texts.dim, look);
    }
    if (look.showSize) {
        Caption(canvas, box.right - 2, box.top + 2, TextAlign::RightTop, texts.size, look);
    }
    if (look.showName) {
        Caption(canvas, box.left + 2, box.bottom - 2, TextAlign::LeftBottom, texts.name, look);
    }
    if (look.showDate) {
        Caption(canvas, box.right - 2, box.bottom - 2, TextAlign::RightBottom, texts.date, look);
    }
}

void PaintGrid(Canvas& canvas, const ThumbCatalog& list, const GridLook& look, int clientWidth,
               int clientHeight, const ThumbRecord* selected) {
    canvas.FillRect({0, 0, clientWidth, clientHeight}, look.back);
    const int p = look.pitch;
    const int cols = look.cols > 0 ? look.cols : 1;
    if (!list.empty()) {
        int x = 0, y = 0, count = 0;
        Rect lastFilled;
        for (const auto& rec : list) {
            const Rect cell{x, y, x + p, y + p};
            if (canvas.NeedsPaint(cell)) {
                PaintCell(canvas, *rec, look, x, y);
            }
            rec->m_rcCell = cell;
            lastFilled = cell;
            ++count;
            if (count % cols != 0) {
                x += p;
            } else {
                // The square right of and below the row's last cell.
                lastFilled = {x + p, y + p, x + 2 * p, y + 2 * p};
                canvas.FillRect(lastFilled, look.back);
                y += p;
                x = 0;
            }
        }
        // The rest of the last row.
        canvas.FillRect({lastFilled.left + p, lastFilled.top, clientWidth, lastFilled.bottom},
                        look.back);
    }
    if (selected) {
        const Rect& c = selected->m_rcCell;
        canvas.FrameRect({c.left, c.top, c.right - 1, c.bottom - 1}, kSelectionColor);
    }
}

ThumbRecord* HitTest(const ThumbCatalog& list, int docX, int docY, long& index) {
    index = -1;
    long i = 0;
    for (const auto& rec : list) {
        if (rec->m_rcCell.Contains(docX, docY)) {
            index = i;
            return rec.get();
        }
        ++i;
    }
    return nullptr;
}

}  // namespace pixfold
