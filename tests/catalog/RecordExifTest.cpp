#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "TestUtil.h"
#include "catalog/RecordExif.h"
#include "platform/FileTime.h"

using namespace pixfold;
using pixfold::test::TestImage;

TEST(CalendarToTicks, InverseOfTheCalendarFields) {
    EXPECT_EQ(CalendarToTicks({1970, 1, 1, 0, 0, 0}), TicksFromUnix(0, 0));
    EXPECT_EQ(CalendarToTicks({1601, 1, 1, 0, 0, 1}), kTicksPerSecond);
    std::mt19937_64 rng(1601);
    const uint64_t last = CalendarToTicks({9999, 12, 31, 23, 59, 59}) / kTicksPerSecond;
    ASSERT_GT(last, 0u);
    for (int i = 0; i < 2000; ++i) {
        const uint64_t ticks = (rng() % last) * kTicksPerSecond;
        ASSERT_EQ(CalendarToTicks(TicksToCalendar(ticks)), ticks);
    }
    for (auto [y, m, d] : {std::tuple{2000, 2, 29}, {1900, 3, 1}, {2024, 12, 31}}) {
        const CalendarTime t{uint16_t(y), uint16_t(m), uint16_t(d), 13, 14, 15};
        const CalendarTime back = TicksToCalendar(CalendarToTicks(t));
        EXPECT_EQ(back.year, y);
        EXPECT_EQ(back.month, m);
        EXPECT_EQ(back.day, d);
        EXPECT_EQ(back.second, 15);
    }
    EXPECT_EQ(CalendarToTicks({1600, 12, 31, 23, 59, 59}), 0u);
    EXPECT_EQ(CalendarToTicks({2015, 13, 1, 0, 0, 0}), 0u);
}

TEST(RecordExif, DateTakenAndItsCaption) {
    ThumbRecord photo;
    photo.m_strPath = TestImage("camera-canon-sx60-exif-orientation-6-2048x1536.jpg");
    photo.m_strDate = "1/2/2003 4:05 AM";
    ReadRecordExif(photo);
    EXPECT_EQ(photo.m_nOrientation, 6);
    ASSERT_TRUE(photo.m_bHasDateTaken);
    EXPECT_EQ(DateCaption(photo, true), "2/9/2015 10:47 PM");
    EXPECT_EQ(DateCaption(photo, false), "1/2/2003 4:05 AM");
    EXPECT_EQ(photo.SortTime(true), photo.m_nDateTaken);

    // Without a date taken: the file time, marked.
    ThumbRecord plain;
    plain.m_strPath = TestImage("baseline-ycc420-227x149.jpg");
    plain.m_strDate = "7/4/1999 3:05 PM";
    plain.m_dwTimeLow = 42;
    plain.m_nOrientation = 3;
    ReadRecordExif(plain);
    EXPECT_EQ(plain.m_nOrientation, 1);
    EXPECT_FALSE(plain.m_bHasDateTaken);
    EXPECT_EQ(DateCaption(plain, true), "7/4/1999 3:05 PM*");
    EXPECT_EQ(DateCaption(plain, false), "7/4/1999 3:05 PM");
    EXPECT_EQ(plain.SortTime(true), 42u);

    // Reading again replaces what an earlier read found.
    photo.m_strPath = plain.m_strPath;
    ReadRecordExif(photo);
    EXPECT_FALSE(photo.m_bHasDateTaken);
    EXPECT_EQ(photo.m_nOrientation, 1);
}
