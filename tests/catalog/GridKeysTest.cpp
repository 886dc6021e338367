#include <gtest/gtest.h>

#include "catalog/GridKeys.h"

using namespace pixfold;

TEST(GridKeyTarget, MovesWithinTheGridAndStopsAtItsEdges) {
    // 12 records in 5 columns: rows of 5, 5, 2; pages of 2 rows.
    struct Case {
        GridKey key;
        long from, want;
    } cases[] = {
        {GridKey::Right, -1, 0},    {GridKey::Down, -1, 0},     {GridKey::End, -1, 11},
        {GridKey::Left, 0, 0},      {GridKey::Left, 5, 4},      {GridKey::Right, 4, 5},
        {GridKey::Right, 11, 11},   {GridKey::Up, 3, 3},        {GridKey::Up, 8, 3},
        {GridKey::Down, 3, 8},      {GridKey::Down, 8, 11},     {GridKey::Down, 11, 11},
        {GridKey::Down, 10, 10},    {GridKey::Home, 7, 0},      {GridKey::End, 2, 11},
        {GridKey::PageDown, 1, 11}, {GridKey::PageDown, 0, 10}, {GridKey::PageUp, 11, 1},
        {GridKey::PageUp, 4, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GridKeyTarget(c.key, c.from, 12, 5, 2), c.want)
            << "key " << int(c.key) << " from " << c.from;
    }
    EXPECT_EQ(GridKeyTarget(GridKey::Down, 0, 3, 1, 0), 1) << "one column, no whole row in view";
    EXPECT_EQ(GridKeyTarget(GridKey::PageDown, 0, 3, 1, 0), 1);
    EXPECT_EQ(GridKeyTarget(GridKey::Right, -1, 0, 5, 2), -1) << "empty grid";
}

TEST(ScrollToShow, MovesOnlyAsFarAsNeeded) {
    EXPECT_EQ(ScrollToShow(0, 103, 103, 480, 1000), 0) << "already in view";
    EXPECT_EQ(ScrollToShow(0, 412, 103, 480, 1000), 35) << "below: its bottom at the edge";
    EXPECT_EQ(ScrollToShow(500, 206, 103, 480, 1000), 206) << "above: its top at the edge";
    EXPECT_EQ(ScrollToShow(0, 0, 103, 50, 1000), 0) << "taller than the client: its top";
    EXPECT_EQ(ScrollToShow(900, 927, 103, 480, 1030), 550) << "never past the end";
}

TEST(SteppedPitch, EvenStepsWithinTheBounds) {
    EXPECT_EQ(SteppedPitch(103, 1, 50, 500), 115);
    EXPECT_EQ(SteppedPitch(103, -1, 50, 500), 91);
    EXPECT_EQ(SteppedPitch(54, -1, 50, 500), 50);
    EXPECT_EQ(SteppedPitch(496, 1, 50, 500), 500);
    EXPECT_EQ(SteppedPitch(400, 2, 50, 1000), 400 + 50 + 56);
    EXPECT_EQ(SteppedPitch(103, 1, 50, 40), 103) << "a client narrower than the least pitch";
    EXPECT_EQ(SteppedPitch(30, -1, 50, 500), 30) << "smaller never makes larger";
    EXPECT_EQ(SteppedPitch(30, 1, 50, 500), 58);
    EXPECT_EQ(SteppedPitch(600, 1, 50, 500), 600) << "larger never makes smaller";
}
