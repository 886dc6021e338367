#include <gtest/gtest.h>

#include <vector>

#include "catalog/ThumbCatalog.h"
#include "viewer/Browse.h"
#include "viewer/Viewport.h"

using namespace pixfold;

namespace {

Viewport View(int iw, int ih, int cw, int ch) {
    Viewport v;
    v.imageWidth = iw;
    v.imageHeight = ih;
    v.clientWidth = cw;
    v.clientHeight = ch;
    return v;
}

}  // namespace

TEST(Viewport, FitShrinksNeverEnlargesAndCentres) {
    Viewport v = View(1600, 1200, 1022, 743);
    SetFit(v, true);
    EXPECT_DOUBLE_EQ(v.scale, 743.0 / 1200);
    EXPECT_LE(v.ScaledWidth(), 1022);
    EXPECT_EQ(v.ScaledHeight(), 743);
    EXPECT_EQ(v.OriginX(), (1022 - v.ScaledWidth()) / 2);
    ResizeViewport(v, 400, 1000);
    EXPECT_DOUBLE_EQ(v.scale, 400.0 / 1600) << "the fit follows the window";
    EXPECT_DOUBLE_EQ(FitScale(200, 100, 800, 600), 1);
    SetFit(v, false);
    EXPECT_EQ(v.scale, 1);
    EXPECT_EQ(v.OriginX(), 0) << "back to 1:1 at the top-left corner";
}

TEST(Viewport, ZoomStepsAndZoomKeepsThePointUnderThePointer) {
    EXPECT_EQ(ZoomStep(1, 1), 1.5);
    EXPECT_EQ(ZoomStep(1, -1), 2.0 / 3);
    EXPECT_EQ(ZoomStep(0.62, 1), 2.0 / 3) << "from a fit scale to the next step";
    EXPECT_EQ(ZoomStep(0.62, -1), 0.5);
    EXPECT_EQ(ZoomStep(16, 1), 16);
    EXPECT_EQ(ZoomStep(1.0 / 16, -1), 1.0 / 16);

    Viewport v = View(1000, 800, 500, 400);
    v.x = 100;
    v.y = 50;
    // Picture point (300, 250) is under client point (200, 200).
    ZoomAbout(v, 2, 200, 200);
    EXPECT_EQ(v.x, 600 - 200);
    EXPECT_EQ(v.y, 500 - 200);
    ZoomAbout(v, 0.25, 0, 0);
    EXPECT_EQ(v.OriginX(), (500 - 250) / 2) << "smaller than the window: centred";
    EXPECT_FALSE(v.CanPanX());
}

TEST(Viewport, PanningStaysInsideThePicture) {
    Viewport v = View(1600, 1200, 1022, 743);
    EXPECT_TRUE(PanBy(v, 50, 0));
    EXPECT_EQ(v.x, 50);
    EXPECT_TRUE(PanBy(v, 10000, 10000));
    EXPECT_EQ(v.x, 1600 - 1022);
    EXPECT_EQ(v.y, 1200 - 743);
    EXPECT_FALSE(PanBy(v, 10, 10)) << "at the corner";
    Viewport small = View(200, 150, 500, 400);
    EXPECT_FALSE(PanBy(small, 30, 30));
    EXPECT_EQ(small.OriginX(), 0);
}

TEST(ScaleArea, AveragesWhenShrinkingAndRepeatsWhenEnlarging) {
    // A 4 x 2 picture in display form (bottom row first), stride padded to 16.
    const size_t stride = 16;
    std::vector<uint8_t> bits(stride * 2, 0xEE);
    auto set = [&](int x, int yTop, uint8_t b, uint8_t g, uint8_t r) {
        uint8_t* p = &bits[size_t(1 - yTop) * stride + size_t(x) * 3];
        p[0] = b, p[1] = g, p[2] = r;
    };
    set(0, 0, 0, 0, 0), set(1, 0, 100, 10, 1), set(2, 0, 200, 20, 2), set(3, 0, 40, 40, 40);
    set(0, 1, 4, 4, 4), set(1, 1, 8, 8, 8), set(2, 1, 50, 60, 70), set(3, 1, 60, 80, 100);
    std::vector<uint8_t> out(6, 1);
    ScaleArea(bits.data(), 4, 2, stride, 0.5, Rect{0, 0, 2, 1}, out.data());
    EXPECT_EQ(out, (std::vector<uint8_t>{28, 6, 3, 88, 50, 53}));
    // Twice the size, the scaled picture's part from (3, 1) to (5, 3).
    std::vector<uint8_t> big(2 * 2 * 3);
    ScaleArea(bits.data(), 4, 2, stride, 2, Rect{3, 1, 5, 3}, big.data());
    // Bottom row first: (1,1) (2,1), then top row (1,0) (2,0).
    EXPECT_EQ(big, (std::vector<uint8_t>{8, 8, 8, 50, 60, 70, 100, 10, 1, 200, 20, 2}));
}

TEST(StepInCatalog, FollowsTheCatalogueAndFindsAMovedRecordByPath) {
    ThumbCatalog list;
    for (const char* p : {"/f/a.jpg", "/f/b.jpg", "/f/c.jpg"}) {
        auto r = std::make_unique<ThumbRecord>();
        r->m_strPath = p;
        list.Append(std::move(r));
    }
    ThumbRecord* b = &list.at(1);
    EXPECT_EQ(StepInCatalog(list, b, "/f/b.jpg", 1), &list.at(2));
    EXPECT_EQ(StepInCatalog(list, b, "/f/b.jpg", -1), &list.at(0));
    EXPECT_EQ(StepInCatalog(list, &list.at(2), "/f/c.jpg", 1), nullptr) << "no wrap";
    EXPECT_EQ(StepInCatalog(list, &list.at(0), "/f/a.jpg", -1), nullptr);
    // The address now holds another record (a rescan): the path decides.
    EXPECT_EQ(StepInCatalog(list, b, "/f/a.jpg", 1), b);
    EXPECT_EQ(StepInCatalog(list, b, "/f/gone.jpg", 1), nullptr);
}
