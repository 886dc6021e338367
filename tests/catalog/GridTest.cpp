#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "catalog/Grid.h"
#include "jpeg/PixelOps.h"

using namespace pixfold;

namespace {

// A canvas that renders into an RGB raster and records the texts.
class RasterCanvas : public Canvas {
  public:
    RasterCanvas(int w, int h) : m_w(w), m_h(h), m_px(size_t(w) * h, 0x777777) {}
    void FillRect(const Rect& r, ColorRef c) override {
        for (int y = std::max(0, r.top); y < std::min(m_h, r.bottom); ++y) {
            for (int x = std::max(0, r.left); x < std::min(m_w, r.right); ++x) {
                m_px[size_t(y) * m_w + x] = c;
            }
        }
    }
    void DrawDib(int x0, int y0, uint32_t w, uint32_t h, const uint8_t* bits) override {
        const uint32_t stride = AlignedRowLength(w);
        for (uint32_t row = 0; row < h; ++row) {
            const uint8_t* src = bits + (h - 1 - row) * stride;
            for (uint32_t col = 0; col < w; ++col) {
                Set(x0 + int(col), y0 + int(row),
                    Rgb(src[col * 3 + 2], src[col * 3 + 1], src[col * 3]));
            }
        }
    }
    void Text(int x, int y, TextAlign a, const std::string& t, ColorRef color) override {
        texts.push_back({x, y, a, t, color});
    }
    ColorRef At(int x, int y) const { return m_px[size_t(y) * m_w + x]; }
    struct TextOp {
        int x, y;
        TextAlign align;
        std::string text;
        ColorRef color;
    };
    std::vector<TextOp> texts;

  private:
    void Set(int x, int y, ColorRef c) {
        if (x >= 0 && y >= 0 && x < m_w && y < m_h) {
            m_px[size_t(y) * m_w + x] = c;
        }
    }
    int m_w, m_h;
    std::vector<ColorRef> m_px;
};

std::unique_ptr<ThumbRecord> Thumb(uint32_t w, uint32_t h, ColorRef color,
                                   const std::string& title) {
    auto r = std::make_unique<ThumbRecord>();
    r->m_nThumbWidth = w;
    r->m_nThumbHeight = h;
    const uint32_t stride = AlignedRowLength(w);
    r->m_pDib = PixelBuffer(new uint8_t[size_t(stride) * h]);
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            uint8_t* p = r->m_pDib.get() + y * stride + x * 3;
            p[0] = BlueOf(color);
            p[1] = GreenOf(color);
            p[2] = RedOf(color);
        }
    }
    r->m_strTitle = title;
    r->m_strSize = "1234";
    r->m_strDate = "1/2/2003 4:05 AM";
    r->m_strDim = std::to_string(w) + " x " + std::to_string(h);
    return r;
}

}  // namespace

TEST(ComputeScrolls, FiveColumnsThreeRowsAt520) {
    int cols = 0, rows = 0;
    ScrollSizes s = ComputeScrolls(12, 520, 400, 103, cols, rows);
    EXPECT_EQ(cols, 5);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(s.totalWidth, 515);
    EXPECT_EQ(s.totalHeight, 309);
    EXPECT_EQ(s.pageWidth, 103);
    EXPECT_EQ(s.pageHeight, 309);
    EXPECT_EQ(s.lineWidth, 10);
    EXPECT_EQ(s.lineHeight, 30);
}

TEST(ComputeScrolls, NarrowClientAndEmptyCatalogue) {
    int cols = 7, rows = 9;
    ScrollSizes s = ComputeScrolls(4, 50, 300, 103, cols, rows);
    EXPECT_EQ(cols, 1);
    EXPECT_EQ(rows, 4) << "one column: as many rows as records";
    EXPECT_EQ(s.totalHeight, 412);

    cols = 7;
    rows = 9;
    s = ComputeScrolls(0, 500, 300, 103, cols, rows);
    EXPECT_EQ(s.totalWidth, 100);
    EXPECT_EQ(s.totalHeight, 100);
    EXPECT_EQ(cols, 7) << "kept when empty";
    EXPECT_EQ(rows, 9);

    // Client lower than a cell: the page height is a tenth of the total.
    s = ComputeScrolls(10, 206, 50, 103, cols, rows);
    EXPECT_EQ(s.pageHeight, 515 / 10);
    EXPECT_EQ(s.lineHeight, 51 / 10);
    // Exactly full rows: no extra row.
    ComputeScrolls(10, 515, 300, 103, cols, rows);
    EXPECT_EQ(rows, 2);
}

TEST(ScrollSteps, PagesAndTheEndFollowTheGrid) {
    // 150 records in 5 columns: 30 rows, 3090 pixels; a 480-pixel client
    // pages by 4 whole rows and ends where the last row meets the bottom.
    int cols = 0, rows = 0;
    const ScrollSizes s = ComputeScrolls(150, 520, 480, 103, cols, rows);
    ASSERT_EQ(s.totalHeight, 3090);
    auto next = [&](ScrollStep step, int pos) {
        return NextScrollPosition(step, pos, s.lineHeight, s.pageHeight, s.totalHeight, 480);
    };
    EXPECT_EQ(next(ScrollStep::PageDown, 0), 412);
    EXPECT_EQ(next(ScrollStep::PageDown, 412), 824);
    EXPECT_EQ(next(ScrollStep::Bottom, 0), 2610);
    EXPECT_EQ(next(ScrollStep::PageDown, 2500), 2610);
    EXPECT_EQ(next(ScrollStep::LineDown, 0), 41);
    EXPECT_EQ(next(ScrollStep::PageUp, 100), 0);
    EXPECT_EQ(next(ScrollStep::Top, 2000), 0);
    EXPECT_EQ(NextScrollPosition(ScrollStep::Bottom, 0, 10, 100, 309, 400), 0) << "all in view";
    // The wheel: its lines in the grid's line size, at most a page a turn.
    EXPECT_EQ(WheelScrollPosition(3, 0, 41, 412, 3090, 480), 123);
    EXPECT_EQ(WheelScrollPosition(-3, 100, 41, 412, 3090, 480), 0);
    EXPECT_EQ(WheelScrollPosition(30, 0, 41, 412, 3090, 480), 412);
}

TEST(PaintGrid, CellsThumbnailsLinesAndSelection) {
    ThumbCatalog list;
    list.Append(Thumb(100, 75, Rgb(10, 200, 30), "first"));
    list.Append(Thumb(75, 100, Rgb(200, 10, 30), "second"));
    list.Append(std::make_unique<ThumbRecord>());  // no thumbnail
    GridLook look;
    look.pitch = 103;
    look.cols = 2;
    look.back = Rgb(255, 255, 255);
    look.showDim = look.showName = look.showSize = look.showDate = true;
    RasterCanvas c(300, 320);
    const ThumbRecord* second = &list.at(1);
    PaintGrid(c, list, look, 300, 320, second);

    // Cell rectangles in list order, two per row.
    EXPECT_EQ(list.at(0).m_rcCell, (Rect{0, 0, 103, 103}));
    EXPECT_EQ(list.at(1).m_rcCell, (Rect{103, 0, 206, 103}));
    EXPECT_EQ(list.at(2).m_rcCell, (Rect{0, 103, 103, 206}));

    // A 100 x 75 thumbnail sits at (1, 14).
    EXPECT_EQ(c.At(0, 14), Rgb(255, 255, 255));
    EXPECT_EQ(c.At(1, 14), Rgb(10, 200, 30));
    EXPECT_EQ(c.At(100, 88), Rgb(10, 200, 30));
    EXPECT_EQ(c.At(1, 13), Rgb(255, 255, 255));
    EXPECT_EQ(c.At(1, 89), Rgb(255, 255, 255));
    // Grid lines on the last row and column of each cell.
    EXPECT_EQ(c.At(50, 102), 0u);
    EXPECT_EQ(c.At(102, 50), 0u);
    EXPECT_EQ(c.At(101, 101), Rgb(255, 255, 255));
    // The selection frame: red on (103,0)-(205,102) exclusive of the right/bottom.
    EXPECT_EQ(c.At(103, 0), kSelectionColor);
    EXPECT_EQ(c.At(204, 50), kSelectionColor);
    EXPECT_EQ(c.At(150, 101), kSelectionColor);
    EXPECT_EQ(c.At(205, 50), 0u) << "the grid line stays black";
    EXPECT_EQ(c.At(150, 102), 0u);
    // Captions: dims, size, name, date in that order at their corners.
    ASSERT_GE(c.texts.size(), 4u);
    EXPECT_EQ(c.texts[0].text, "100 x 75");
    EXPECT_EQ(c.texts[0].x, 2);
    EXPECT_EQ(c.texts[0].y, 2);
    EXPECT_EQ(c.texts[0].align, TextAlign::LeftTop);
    EXPECT_EQ(c.texts[1].x, 101);
    EXPECT_EQ(c.texts[1].align, TextAlign::RightTop);
    EXPECT_EQ(c.texts[2].text, "first");
    EXPECT_EQ(c.texts[2].y, 101);
    EXPECT_EQ(c.texts[2].align, TextAlign::LeftBottom);
    EXPECT_EQ(c.texts[3].align, TextAlign::RightBottom);
    // The record without a picture still gets its captions and its cell.
    EXPECT_EQ(c.texts.size(), 12u);
}

TEST(PaintGrid, OnlyChosenCaptionsAndEmptyCatalogue) {
    ThumbCatalog list;
    list.Append(Thumb(10, 10, 0, "x"));
    GridLook look;
    look.showDim = false;
    look.showName = true;
    RasterCanvas c(200, 200);
    PaintGrid(c, list, look, 200, 200, nullptr);
    ASSERT_EQ(c.texts.size(), 1u);
    EXPECT_EQ(c.texts[0].text, "x");

    ThumbCatalog empty;
    RasterCanvas e(50, 50);
    look.back = Rgb(1, 2, 3);
    PaintGrid(e, empty, look, 50, 50, nullptr);
    EXPECT_EQ(e.At(49, 49), Rgb(1, 2, 3));
    EXPECT_TRUE(e.texts.empty());
}

TEST(PaintGrid, OutlinedCaptionsHaveTheBackgroundAllAround) {
    ThumbCatalog list;
    list.Append(Thumb(10, 10, 0, "x"));
    GridLook look;
    look.back = Rgb(9, 9, 9);
    look.text = Rgb(200, 0, 0);
    look.outlineCaptions = true;
    RasterCanvas c(200, 200);
    PaintGrid(c, list, look, 200, 200, nullptr);
    ASSERT_EQ(c.texts.size(), 9u);
    std::set<std::pair<int, int>> around;
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(c.texts[i].color, look.back);
        EXPECT_EQ(c.texts[i].align, TextAlign::LeftBottom);
        around.insert({c.texts[i].x - 2, c.texts[i].y - 101});
    }
    EXPECT_EQ(around, (std::set<std::pair<int, int>>{
                          {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}));
    EXPECT_EQ(c.texts[8].x, 2) << "the text itself last, on top";
    EXPECT_EQ(c.texts[8].y, 101);
    EXPECT_EQ(c.texts[8].color, look.text);

    // With the date taken asked for, a file time is marked.
    look.showName = false;
    look.showDate = true;
    look.dateTaken = true;
    c.texts.clear();
    PaintGrid(c, list, look, 200, 200, nullptr);
    ASSERT_EQ(c.texts.size(), 9u);
    EXPECT_EQ(c.texts[8].text, "1/2/2003 4:05 AM*");
}

TEST(HitTest, CellsAreHalfOpen) {
    ThumbCatalog list;
    list.Append(Thumb(10, 10, 0, "a"));
    list.Append(Thumb(10, 10, 0, "b"));
    GridLook look;
    look.cols = 2;
    RasterCanvas c(300, 300);
    PaintGrid(c, list, look, 300, 300, nullptr);
    long index = 7;
    EXPECT_EQ(HitTest(list, 0, 0, index), &list.at(0));
    EXPECT_EQ(index, 0);
    EXPECT_EQ(HitTest(list, 103, 102, index), &list.at(1));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(HitTest(list, 206, 5, index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(HitTest(list, 5, 103, index), nullptr) << "the empty part of the last row";
}
