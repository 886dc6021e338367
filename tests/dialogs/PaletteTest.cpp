#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/ColorButtonArt.h"
#include "dialogs/Palette.h"

using namespace pixfold;

namespace {

bool IsPermutation(const Palette& p) {
    std::array<uint8_t, kPaletteSize> r = p.ranks;
    std::sort(r.begin(), r.end());
    for (int i = 0; i < kPaletteSize; ++i) {
        if (r[static_cast<size_t>(i)] != i + 1) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(Palette, CustomColoursReplaceTheLeastRecentlyUsed) {
    Palette p = Palette::Initial();
    ASSERT_TRUE(IsPermutation(p));
    const int first = p.ChooseCustom(Rgb(1, 2, 3));
    EXPECT_EQ(first + kFirstCellId, 5111) << "rank 20 at start";
    EXPECT_EQ(p.colors[10], Rgb(1, 2, 3));
    EXPECT_EQ(p.ranks[10], 1);
    EXPECT_EQ(p.ranks[0], 2) << "the others move down one";
    EXPECT_EQ(p.ranks[9], 20);
    const int second = p.ChooseCustom(Rgb(4, 5, 6));
    EXPECT_EQ(second + kFirstCellId, 5110);
    EXPECT_EQ(p.colors[9], Rgb(4, 5, 6));
    EXPECT_TRUE(IsPermutation(p));
}

TEST(Palette, CustomColourEqualToAnEntrySelectsIt) {
    Palette p = Palette::Initial();
    const auto before = p.colors;
    EXPECT_EQ(p.ChooseCustom(Rgb(255, 0, 0)), 13);
    EXPECT_EQ(p.colors, before) << "nothing replaced";
    EXPECT_EQ(p.ranks[13], 1);
    EXPECT_TRUE(IsPermutation(p));
}

TEST(Palette, RanksStayAPermutation) {
    Palette p = Palette::Initial();
    for (int i = 0; i < 200; ++i) {
        p.ChooseCell((i * 7) % kPaletteSize);
        ASSERT_TRUE(IsPermutation(p));
    }
    p.ChooseCell(3);
    EXPECT_EQ(p.ranks[3], 1);
}

TEST(PopupPlacement, BelowAboveAndFlushRight) {
    EXPECT_EQ(PlacePopup({100, 100, 80, 25}, 90, 130, 1024, 768).y, 125);
    EXPECT_EQ(PlacePopup({100, 100, 80, 25}, 90, 130, 1024, 768).x, 100);
    ScreenRect low = PlacePopup({100, 700, 80, 25}, 90, 130, 1024, 768);
    EXPECT_EQ(low.y, 570) << "bottom edge on the button's top edge";
    ScreenRect right = PlacePopup({980, 100, 40, 25}, 90, 130, 1024, 768);
    EXPECT_EQ(right.x, 1024 - 90);
}

TEST(ColorButtonArt, UnpressedEnabledFocused) {
    const int w = 80, h = 25;
    std::vector<ColorRef> px;
    const ColorRef face = Rgb(200, 200, 200);
    RenderArt(ColorButtonArt(0, 0, w, h, {false, true, true}, face, Rgb(10, 20, 30)), w, h, px);
    auto at = [&](int x, int y) { return px[size_t(y) * w + x]; };
    EXPECT_EQ(at(0, h - 1), 0u) << "black bottom line";
    EXPECT_EQ(at(w - 1, 1), 0u) << "black right line";
    EXPECT_EQ(at(w - 1, 0), face) << "its end point is not drawn";
    EXPECT_EQ(at(1, h - 2), kShadowColor);
    EXPECT_EQ(at(1, 1), kHighlightColor);
    EXPECT_EQ(at(w - 10, 10), kHighlightColor) << "separator";
    EXPECT_EQ(at(w - 11, 10), kShadowColor);
    const int m = h / 2;
    EXPECT_EQ(at(w - 5, m - 1), 0u) << "arrow";
    EXPECT_EQ(at(w - 6, m + 1), 0u) << "arrow tip";
    EXPECT_EQ(at(6, 8), Rgb(10, 20, 30)) << "swatch";
    EXPECT_EQ(at(5, 8), 0u) << "swatch outline";
    EXPECT_EQ(at(3, 3), 0u) << "focus dots";
    EXPECT_EQ(at(4, 3), face);
}

TEST(ColorButtonArt, DisabledHasNoSwatchAndAnEmbossedArrow) {
    const int w = 80, h = 25;
    std::vector<ColorRef> px;
    const ColorRef face = Rgb(200, 200, 200);
    RenderArt(ColorButtonArt(0, 0, w, h, {false, false, false}, face, Rgb(10, 20, 30)), w, h, px);
    auto at = [&](int x, int y) { return px[size_t(y) * w + x]; };
    EXPECT_EQ(at(20, 12), face) << "no swatch";
    const int m = h / 2;
    EXPECT_EQ(at(w - 4, m - 1), kHighlightColor);
    EXPECT_EQ(at(w - 6, m + 1), kHighlightColor);
    EXPECT_EQ(at(w - 7, m - 1), kShadowColor);
}

TEST(ColorButtonArt, PressedShiftsTheInsideByOne) {
    const int w = 80, h = 25;
    std::vector<ColorRef> up, down;
    const ColorRef face = Rgb(200, 200, 200);
    RenderArt(ColorButtonArt(0, 0, w, h, {false, true, false}, face, Rgb(9, 9, 9)), w, h, up);
    RenderArt(ColorButtonArt(0, 0, w, h, {true, true, false}, face, Rgb(9, 9, 9)), w, h, down);
    EXPECT_EQ(down[size_t(0) * w + 0], kShadowColor) << "shadow top-left when pressed";
    EXPECT_EQ(down[size_t(h - 1) * w + 5], kHighlightColor);
    EXPECT_EQ(up[size_t(4) * w + 5], 0u);
    EXPECT_EQ(down[size_t(5) * w + 6], 0u) << "swatch outline moved right and down";
}
