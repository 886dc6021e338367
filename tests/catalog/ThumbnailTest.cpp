#include <gtest/gtest.h>

#include "TestUtil.h"
#include "catalog/Thumbnail.h"
#include "jpeg/JpegFile.h"

using namespace pixfold;
using namespace pixfold::test;

TEST(FitThumbnail, ProductBeforeDivisionTruncated) {
    EXPECT_EQ(FitThumbnail(200, 150, 100).height, 75u);
    EXPECT_EQ(FitThumbnail(150, 200, 100).width, 75u);
    EXPECT_EQ(FitThumbnail(103, 50, 100).height, 48u);
    EXPECT_EQ(FitThumbnail(100, 80, 100).width, 100u);
    EXPECT_EQ(FitThumbnail(500, 10, 100).height, 2u);
    EXPECT_EQ(FitThumbnail(4000, 10, 100).height, 0u);
    EXPECT_EQ(FitThumbnail(101, 101, 100).width, 100u) << "equal sides take the width branch";
}

namespace {

struct Worked {
    uint32_t w, h;
    uint32_t num, denom;
    uint32_t tw, th;
};

}  // namespace

TEST(BuildThumbnail, WorkedSizesAtPitch103) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    const Worked rows[] = {
        {1600, 1200, 100, 1600, 100, 75}, {640, 480, 100, 640, 100, 75},
        {1200, 1600, 100, 1600, 75, 100}, {103, 50, 1, 1, 100, 48},
        {100, 80, 1, 1, 100, 80},         {90, 90, 1, 1, 90, 90},
        {101, 40, 1, 1, 100, 39},         {1000, 1000, 100, 1000, 100, 100},
    };
    for (const Worked& row : rows) {
        ThumbRecord r;
        r.m_strPath =
            MakeJpeg(dir / ("w" + std::to_string(row.w) + "x" + std::to_string(row.h) + ".jpg"),
                     row.w, row.h);
        BuildThumbnail(r, 103);
        EXPECT_EQ(r.m_nImageWidth, row.w);
        EXPECT_EQ(r.m_nImageHeight, row.h);
        EXPECT_EQ(r.m_nScaleNum, row.num) << row.w << "x" << row.h;
        EXPECT_EQ(r.m_nScaleDenom, row.denom) << row.w << "x" << row.h;
        EXPECT_EQ(r.m_nThumbWidth, row.tw) << row.w << "x" << row.h;
        EXPECT_EQ(r.m_nThumbHeight, row.th) << row.w << "x" << row.h;
        EXPECT_EQ(r.m_strDim, std::to_string(row.tw) + " x " + std::to_string(row.th));
        EXPECT_TRUE(r.m_pDib);
    }
    EXPECT_TRUE(shell.Messages().empty());
}

TEST(BuildThumbnail, BitsAreBottomUpBgrAlignedBlockAverages) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    // 200x150 decodes at 1/1 with pitch 203... use pitch 103: 1/1 for <=103, so
    // take a 206 x 100 picture: scale 100/206 -> 1/2 -> 103 x 50 -> 100 x 48.
    const std::string path = MakeJpeg(dir / "p.jpg", 206, 100);
    ThumbRecord r;
    r.m_strPath = path;
    BuildThumbnail(r, 103);
    ASSERT_EQ(r.m_nThumbWidth, 100u);
    ASSERT_EQ(r.m_nThumbHeight, 48u);
    uint32_t dw = 0, dh = 0;
    PixelBuffer decoded = JpegFile::ReadRgb(path, dw, dh, 100, 206);
    ASSERT_EQ(dw, 103u);
    std::vector<uint8_t> reduced(100 * 48 * 3);
    ASSERT_TRUE(ReduceBlockAverage(decoded.get(), reduced.data(), dw, dh, 100, 48, true));
    const uint32_t stride = AlignedRowLength(100);
    for (uint32_t y = 0; y < 48; ++y) {
        const uint8_t* row = r.m_pDib.get() + (47 - y) * stride;  // bottom-up
        for (uint32_t x = 0; x < 100; ++x) {
            const uint8_t* want = &reduced[(y * 100 + x) * 3];
            ASSERT_EQ(row[x * 3], want[2]);
            ASSERT_EQ(row[x * 3 + 1], want[1]);
            ASSERT_EQ(row[x * 3 + 2], want[0]);
        }
    }
}

TEST(BuildThumbnail, ExactlyThumbMaxAndUpToPitch) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    ThumbRecord r;
    r.m_strPath = MakeJpeg(dir / "a.jpg", 100, 60);
    BuildThumbnail(r, 103);
    EXPECT_EQ(r.m_nScaleDenom, 1u);
    EXPECT_EQ(r.m_nThumbWidth, 100u);
    r.m_strPath = MakeJpeg(dir / "b.jpg", 103, 60);
    BuildThumbnail(r, 103);
    EXPECT_EQ(r.m_nScaleDenom, 1u) << "decoded full size";
    EXPECT_EQ(r.m_nThumbWidth, 100u);
    EXPECT_EQ(r.m_nThumbHeight, 58u);
    r.m_strPath = MakeJpeg(dir / "c.jpg", 104, 60);
    BuildThumbnail(r, 103);
    EXPECT_EQ(r.m_nScaleNum, 100u);
    EXPECT_EQ(r.m_nScaleDenom, 104u);
}

TEST(BuildThumbnail, VeryWidePictureGivesEmptyBitmap) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    ThumbRecord r;
    r.m_strPath = MakeJpeg(dir / "wide.jpg", 4000, 10);
    BuildThumbnail(r, 103);
    EXPECT_EQ(r.m_nThumbWidth, 100u);
    EXPECT_EQ(r.m_nThumbHeight, 0u);
    EXPECT_EQ(r.m_strDim, "100 x 0");
    EXPECT_TRUE(shell.Messages().empty());
}

TEST(BuildThumbnail, BadFilesLeaveNoBitmapAndSayWhy) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    ThumbRecord r;
    r.m_strPath = dir / "gone.jpg";
    r.m_strDim = "kept";
    BuildThumbnail(r, 103);
    EXPECT_FALSE(r.m_pDib);
    EXPECT_EQ(r.m_strDim, "kept") << "a header failure changes nothing else";
    EXPECT_EQ(shell.Messages(),
              (std::vector<std::string>{"JPEG :\nCan't open " + r.m_strPath + "\n", "JPEG Error"}));

    // Header fine, scan broken: only the library's box, no thumbnail.
    shell.Clear();
    ThumbRecord bad;
    bad.m_strPath = TestImage("corrupt-wrong-restart-marker-1280x960.jpg");
    BuildThumbnail(bad, 103);
    EXPECT_FALSE(bad.m_pDib);
    EXPECT_EQ(bad.m_nThumbWidth, 0u);
    auto boxes = shell.MessageEvents();
    ASSERT_FALSE(boxes.empty());
    EXPECT_LE(boxes.size(), 2u) << "at most one warning, then the fatal error";
    EXPECT_EQ(boxes.back().caption, "JPEG Fatal Error");
    EXPECT_EQ(boxes.back().text, "Unsupported marker type 0xf7");
}

TEST(BuildThumbnail, NoMemoryForTheReductionIsAFailedDecode) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    ThumbRecord r;
    r.m_strPath = MakeJpeg(dir / "a.jpg", 640, 480);
    FailPixelAllocationAfter(1);  // the decode gets its buffer, the reduction none
    BuildThumbnail(r, 103);
    FailPixelAllocationAfter(-1);
    EXPECT_FALSE(r.m_pDib);
    EXPECT_EQ(r.m_nThumbWidth, 0u);
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"JpegFile :\nOut of memory"});
    BuildThumbnail(r, 103);
    EXPECT_TRUE(r.m_pDib) << "the next build is unaffected";
}

TEST(BuildThumbnail, TinyPitchDoesNotDivideByZero) {
    RecordingShell shell;
    ShellScope scope(shell);
    TempDir dir;
    ThumbRecord r;
    r.m_strPath = MakeJpeg(dir / "a.jpg", 50, 40);
    BuildThumbnail(r, 2);
    EXPECT_LE(r.m_nThumbWidth, 1u);
    EXPECT_TRUE(r.m_pDib);
}
