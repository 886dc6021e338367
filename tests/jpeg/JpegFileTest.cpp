#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "TestUtil.h"
#include "jpeg/JpegFile.h"
#include "platform/TextUtil.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class JpegFileTest : public ::testing::Test {
  protected:
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;
};

double MeanAbsDiff(const uint8_t* a, const uint8_t* b, size_t n) {
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        sum += std::abs(int(a[i]) - int(b[i]));
    }
    return sum / double(n);
}

}  // namespace

TEST_F(JpegFileTest, DecoderScaleFollowsTheFourFactorTable) {
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 1000), 8u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 800), 8u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 799), 4u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 400), 4u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 300), 2u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(100, 199), 1u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(1, 1), 1u);
    EXPECT_EQ(JpegFile::DecoderScaleDenom(3, 16), 4u)
        << "3/16 is finer than 1/4 but the table gives 1/4";
}

TEST_F(JpegFileTest, ReducedReadSizesRoundUp) {
    MakeJpeg(dir / "a.jpg", 1000, 600);
    MakeJpeg(dir / "b.jpg", 1001, 601);
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(JpegFile::ReadRgb(dir / "a.jpg", w, h, 100, 1000));
    EXPECT_EQ(w, 125u);
    EXPECT_EQ(h, 75u);
    EXPECT_TRUE(JpegFile::ReadRgb(dir / "a.jpg", w, h, 100, 300));
    EXPECT_EQ(w, 500u);
    EXPECT_EQ(h, 300u);
    EXPECT_TRUE(JpegFile::ReadRgb(dir / "a.jpg", w, h, 1, 1));
    EXPECT_EQ(w, 1000u);
    EXPECT_EQ(h, 600u);
    EXPECT_TRUE(JpegFile::ReadRgb(dir / "b.jpg", w, h, 1, 8));
    EXPECT_EQ(w, 126u);
    EXPECT_EQ(h, 76u);
    // A ratio the table maps to 1/4 even though the library could do 3/16.
    EXPECT_TRUE(JpegFile::ReadRgb(dir / "a.jpg", w, h, 3, 16));
    EXPECT_EQ(w, 250u);
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(JpegFileTest, ReadDimensionsGivesTheHeaderSize) {
    MakeJpeg(dir / "a.jpg", 321, 123);
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(JpegFile::ReadDimensions(dir / "a.jpg", w, h));
    EXPECT_EQ(w, 321u);
    EXPECT_EQ(h, 123u);
}

TEST_F(JpegFileTest, RoundTripIsCloseToTheOriginal) {
    const uint32_t w = 97, h = 61;
    std::vector<uint8_t> px = Pattern(w, h);
    ASSERT_TRUE(JpegFile::WriteRgb(dir / "rt.jpg", px.data(), w, h, 100));
    uint32_t rw = 0, rh = 0;
    PixelBuffer back = JpegFile::ReadRgb(dir / "rt.jpg", rw, rh, 1, 1);
    ASSERT_TRUE(back);
    ASSERT_EQ(rw, w);
    ASSERT_EQ(rh, h);
    EXPECT_LT(MeanAbsDiff(back.get(), px.data(), px.size()), 3.0);
}

TEST_F(JpegFileTest, MissingFileShowsCantOpen) {
    uint32_t w = 5, h = 5;
    const std::string path = dir / "none.jpg";
    EXPECT_FALSE(JpegFile::ReadRgb(path, w, h, 1, 1));
    EXPECT_EQ(w, 0u);
    EXPECT_EQ(h, 0u);
    auto boxes = shell.MessageEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "JPEG :\nCan't open " + path + "\n");
    EXPECT_EQ(boxes[0].caption, "Pixfold");
    EXPECT_EQ(boxes[0].style, MB_OK);

    shell.Clear();
    w = h = 9;
    EXPECT_FALSE(JpegFile::ReadDimensions(path, w, h));
    EXPECT_EQ(w, 9u) << "ReadDimensions leaves the sizes alone";
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"JPEG :\nCan't open " + path + "\n"});
}

TEST(TestImages, AMissingImageFailsWithThePathItLookedFor) {
    EXPECT_NONFATAL_FAILURE(TestImage("no-such-file.jpg"), "tests/images/no-such-file.jpg");
}

TEST_F(JpegFileTest, GreyPixelsHaveThreeEqualBytes) {
    uint32_t w = 0, h = 0;
    PixelBuffer px = JpegFile::ReadRgb(TestImage("grayscale-227x149.jpg"), w, h, 1, 1);
    ASSERT_TRUE(px);
    ASSERT_EQ(w, 227u);
    ASSERT_EQ(h, 149u);
    bool someNonBlack = false;
    for (size_t i = 0; i < size_t{w} * h; ++i) {
        ASSERT_EQ(px[i * 3], px[i * 3 + 1]);
        ASSERT_EQ(px[i * 3], px[i * 3 + 2]);
        someNonBlack |= px[i * 3] > 30;
    }
    EXPECT_TRUE(someNonBlack);
}

TEST_F(JpegFileTest, TruncatedFileWarnsOnceAndGivesFullPicture) {
    uint32_t w = 0, h = 0;
    PixelBuffer px =
        JpegFile::ReadRgb(TestImage("truncated-camera-60pct-2048x1536.jpg"), w, h, 1, 1);
    ASSERT_TRUE(px);
    EXPECT_EQ(w, 2048u);
    EXPECT_EQ(h, 1536u);
    auto boxes = shell.MessageEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Premature end of JPEG file");
    EXPECT_EQ(boxes[0].caption, "JPEG Error");
    EXPECT_EQ(boxes[0].owner, MsgOwner::Active);
    EXPECT_EQ(boxes[0].style, MB_OK);

    shell.Clear();
    px = JpegFile::ReadRgb(TestImage("truncated-progressive-100x100.jpg"), w, h, 1, 1);
    ASSERT_TRUE(px);
    EXPECT_EQ(shell.Messages().size(), 1u);
}

TEST_F(JpegFileTest, FatalErrorsShowOneBoxAndReturnNull) {
    struct Case {
        const char* file;
        const char* text;  // empty: any text
    };
    const Case cases[] = {
        {"empty-0-bytes.jpg", "Empty input file"},
        {"garbage-not-jpeg-128-bytes.jpg", ""},
        {"png-named-as-jpg-6x6.jpg", "Not a JPEG file: starts with 0x89 0x50"},
        {"corrupt-header-claims-65535x65535.jpg", ""},
        {"corrupt-bogus-huffman-table-77x36.jpg", "Bogus Huffman table definition"},
        {"corrupt-zero-width-0x800.jpg", ""},
        {"corrupt-bogus-sampling-factors-74x38.jpg", "Bogus sampling factors"},
        {"corrupt-missing-sos-8x8.jpg", ""},
        {"precision12-ycc420-227x149.jpg", ""},
        {"lossless-sof3-rgb-227x149.jpg", ""},
        {"soi-eoi-only-4-bytes.jpg", ""},
        {"truncated-inside-app14-segment-8-bytes.jpg", ""},
    };
    for (const Case& c : cases) {
        shell.Clear();
        uint32_t w = 0, h = 0;
        EXPECT_FALSE(JpegFile::ReadRgb(TestImage(c.file), w, h, 1, 8)) << c.file;
        auto boxes = shell.MessageEvents();
        ASSERT_FALSE(boxes.empty()) << c.file;
        const auto& last = boxes.back();
        EXPECT_EQ(last.caption, "JPEG Fatal Error") << c.file;
        EXPECT_EQ(last.owner, MsgOwner::None);
        EXPECT_EQ(last.style, MB_OK | MB_ICONERROR);
        if (*c.text) {
            EXPECT_EQ(last.text, c.text) << c.file;
        }
        EXPECT_LE(boxes.size(), 2u) << "at most one warning before the fatal error: " << c.file;
    }
}

TEST_F(JpegFileTest, DecodesEveryKindOfLegalFile) {
    const char* files[] = {
        "baseline-ycc420-227x149.jpg",
        "progressive-ycc420-227x149.jpg",
        "arithmetic-ycc420-227x149.jpg",
        "baseline-ycc422-640x480.jpg",
        "baseline-ycc444-photo-512x512.jpg",
        "baseline-ycc-mixed-sampling-2x2-2x1-1x2-32x32.jpg",
        "baseline-ycc444-noninterleaved-3-scans-32x32.jpg",
        "rgb-adobe-no-transform-32x32.jpg",
        "restart-markers-interval5-33x33.jpg",
        "extended-sof1-16bit-qtables-128x128.jpg",
        "size-1x1-ycc420.jpg",
        "size-17x17-ycc420.jpg",
        "size-1x1000-grayscale.jpg",
    };
    for (const char* f : files) {
        shell.Clear();
        uint32_t dw = 0, dh = 0, w = 0, h = 0;
        ASSERT_TRUE(JpegFile::ReadDimensions(TestImage(f), dw, dh)) << f;
        PixelBuffer px = JpegFile::ReadRgb(TestImage(f), w, h, 1, 1);
        ASSERT_TRUE(px) << f;
        EXPECT_EQ(w, dw) << f;
        EXPECT_EQ(h, dh) << f;
        EXPECT_TRUE(shell.Messages().empty()) << f;
    }
}

TEST_F(JpegFileTest, WholeFilesAndSmallPiecesDecodeAlike) {
    // Good, truncated and corrupt files alike: the decoder given the whole
    // file at once and the same file 4 KiB at a time (as a stream reader hands
    // it over) make the same pixels and the same messages.
    auto decode = [&](const std::string& path, size_t piece, uint32_t denom) {
        shell.Clear();
        std::vector<uint8_t> buffer;
        JpegInput input(path, buffer, piece);
        uint32_t hw = 0, hh = 0, w = 0, h = 0;
        std::string out = JpegFile::ReadDimensions(input, hw, hh) ? "header " : "no header ";
        if (PixelBuffer px = JpegFile::ReadRgb(input, w, h, 1, denom)) {
            out.append(reinterpret_cast<const char*>(px.get()), size_t{w} * h * 3);
        }
        out += Format(" %ux%u %ux%u", hw, hh, w, h);
        for (const auto& e : shell.MessageEvents()) {
            out += "|" + e.text + "|" + e.caption + "|" + std::to_string(e.style) + "|" +
                   std::to_string(static_cast<int>(e.owner));
        }
        return out;
    };
    for (const std::string& path : AllTestImages()) {
        for (uint32_t denom : {1u, 8u}) {
            EXPECT_EQ(decode(path, JpegInput::kWholeFileLimit, denom), decode(path, 4096, denom))
                << path << " at 1/" << denom;
        }
    }
}

TEST_F(JpegFileTest, FourComponentFilesBecomeRgb) {
    // Reference colours as a colour-managed viewer shows these two Adobe files.
    struct Probe {
        const char* file;
        uint32_t x, y;
        int r, g, b;
    };
    const Probe probes[] = {
        {"cmyk-adobe-32x32.jpg", 0, 0, 255, 255, 0},
        {"cmyk-adobe-32x32.jpg", 16, 16, 123, 123, 8},
        {"ycck-adobe-100x100.jpg", 0, 0, 255, 13, 25},
        {"ycck-adobe-100x100.jpg", 30, 50, 253, 13, 22},
    };
    for (const Probe& p : probes) {
        uint32_t w = 0, h = 0;
        PixelBuffer px = JpegFile::ReadRgb(TestImage(p.file), w, h, 1, 1);
        ASSERT_TRUE(px) << p.file;
        const uint8_t* q = &px[(size_t{p.y} * w + p.x) * 3];
        EXPECT_NEAR(q[0], p.r, 3) << p.file << " at " << p.x << "," << p.y;
        EXPECT_NEAR(q[1], p.g, 3) << p.file << " at " << p.x << "," << p.y;
        EXPECT_NEAR(q[2], p.b, 3) << p.file << " at " << p.x << "," << p.y;
    }
}

TEST_F(JpegFileTest, OtherComponentCountsShowTheFirstAsGrey) {
    for (int components : {2, 5, 10}) {
        const std::string path = dir / ("c" + std::to_string(components) + ".jpg");
        MakeComponentsJpeg(path, components, 40, 24);
        uint32_t w = 0, h = 0;
        PixelBuffer px = JpegFile::ReadRgb(path, w, h, 1, 1);
        ASSERT_TRUE(px) << components;
        ASSERT_EQ(w * h, 40u * 24u);
        for (size_t i = 0; i < size_t{w} * h * 3; ++i) {
            ASSERT_NEAR(px[i], 200, 1) << components << " components, byte " << i;
        }
    }
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(JpegFileTest, WriteRefusesEmptyInput) {
    std::vector<uint8_t> px(30);
    EXPECT_FALSE(JpegFile::WriteRgb(dir / "a.jpg", nullptr, 5, 2, 100));
    EXPECT_FALSE(JpegFile::WriteRgb(dir / "a.jpg", px.data(), 0, 2, 100));
    EXPECT_FALSE(JpegFile::WriteRgb(dir / "a.jpg", px.data(), 5, 0, 100));
    EXPECT_FALSE(Exists(dir / "a.jpg"));
    EXPECT_TRUE(shell.Messages().empty());
}

TEST_F(JpegFileTest, WriteIntoMissingFolderShowsCantOpen) {
    std::vector<uint8_t> px = Pattern(4, 4);
    const std::string path = dir / "no/such/folder/a.jpg";
    EXPECT_FALSE(JpegFile::WriteRgb(path, px.data(), 4, 4, 100));
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"JpegFile :\nCan't open " + path + "\n"});
}

TEST_F(JpegFileTest, FailedWriteKeepsTheOldFile) {
    const std::string path = dir / "keep.jpg";
    WriteFile(path, "old contents");
    // A picture too wide for baseline JPEG makes the library fail mid-way.
    std::vector<uint8_t> px(70000 * 3, 0);
    EXPECT_FALSE(JpegFile::WriteRgb(path, px.data(), 70000, 1, 100));
    EXPECT_EQ(ReadFile(path), "old contents");
    auto boxes = shell.MessageEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "JPEG Fatal Error");
    // No temporary file left behind.
    EXPECT_EQ(system(("test $(ls -A " + dir.path() + " | wc -l) -eq 1").c_str()), 0);
}

TEST_F(JpegFileTest, WriteReplacesAndKeepsPermissions) {
    const std::string path = dir / "p.jpg";
    MakeJpeg(path, 20, 20);
    chmod(path.c_str(), 0640);
    MakeJpeg(path, 30, 10);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(path, w, h));
    EXPECT_EQ(w, 30u);
}

TEST_F(JpegFileTest, FifoAndFolderNamedJpgAreNotOpened) {
    const std::string fifo = dir / "pipe.jpg";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    mkdir((dir / "sub.jpg").c_str(), 0755);
    uint32_t w = 0, h = 0;
    EXPECT_FALSE(JpegFile::ReadRgb(fifo, w, h, 1, 1));  // would block forever if opened
    EXPECT_FALSE(JpegFile::ReadDimensions(dir / "sub.jpg", w, h));
    EXPECT_EQ(shell.Messages(),
              (std::vector<std::string>{"JPEG :\nCan't open " + fifo + "\n",
                                        "JPEG :\nCan't open " + (dir / "sub.jpg") + "\n"}));
}

namespace {

// A baseline grey JPEG header claiming the given size, followed by a tiny scan.
std::string CraftedHeader(uint16_t w, uint16_t h) {
    std::string s = "\xFF\xD8";
    // DQT: one table of ones.
    s += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    // SOF0: 8 bits, h, w, 1 component.
    s += std::string("\xFF\xC0\x00\x0B\x08", 5);
    s += char(h >> 8);
    s += char(h & 0xFF);
    s += char(w >> 8);
    s += char(w & 0xFF);
    s += std::string("\x01\x01\x11\x00", 4);
    // DHT: DC table 0 with one code of length 1 for symbol 0; AC table 0 likewise (EOB).
    std::string counts(16, '\0');
    counts[0] = 1;
    s += std::string("\xFF\xC4\x00\x14\x00", 5) + counts + std::string("\x00", 1);
    s += std::string("\xFF\xC4\x00\x14\x10", 5) + counts + std::string("\x00", 1);
    // SOS, one component.
    s += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    s += std::string(16, '\0');
    s += "\xFF\xD9";
    return s;
}

}  // namespace

TEST_F(JpegFileTest, HugeHeaderGivesOutOfMemoryNotACrash) {
    const std::string path = dir / "huge.jpg";
    WriteFile(path, CraftedHeader(65500, 65500));
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(JpegFile::ReadDimensions(path, w, h));
    EXPECT_EQ(w, 65500u);
    shell.Clear();
    EXPECT_FALSE(JpegFile::ReadRgb(path, w, h, 1, 1));
    EXPECT_EQ(w, 0u);
    auto boxes = shell.MessageEvents();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "JpegFile :\nOut of memory");
    EXPECT_EQ(boxes.back().style, MB_OK | MB_ICONERROR);

    // A progressive file needs a whole-image buffer first: 2 Gpixel is refused
    // the same way, before the decoder touches it.
    shell.Clear();
    EXPECT_FALSE(JpegFile::ReadRgb(TestImage("corrupt-header-claims-61472x32800-progressive.jpg"),
                                   w, h, 1, 8));
    EXPECT_EQ(shell.Messages(), std::vector<std::string>{"JpegFile :\nOut of memory"});

    // 37838^2 x 3 wraps to a small number in 32 bits; it must be refused too.
    WriteFile(path, CraftedHeader(37838, 37838));
    shell.Clear();
    EXPECT_FALSE(JpegFile::ReadRgb(path, w, h, 1, 1));
    ASSERT_FALSE(shell.Messages().empty());
    EXPECT_EQ(shell.Messages().back(), "JpegFile :\nOut of memory");
}

TEST_F(JpegFileTest, EndlessProgressiveScansAreStopped) {
    // A progressive grey 8x8 picture whose DC scan is followed by thousands of
    // identical refinement scans.
    std::string s = "\xFF\xD8";
    s += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    s += std::string("\xFF\xC2\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    std::string counts(16, '\0');
    counts[0] = 1;
    s += std::string("\xFF\xC4\x00\x14\x00", 5) + counts + std::string("\x00", 1);
    s += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x01", 10) + std::string(4, '\0');
    for (int i = 0; i < 3000; ++i) {
        s += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x00\x10", 10) + std::string(4, '\0');
    }
    s += "\xFF\xD9";
    const std::string path = dir / "scans.jpg";
    WriteFile(path, s);
    uint32_t w = 0, h = 0;
    EXPECT_FALSE(JpegFile::ReadRgb(path, w, h, 1, 1));
    auto boxes = shell.MessageEvents();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().caption, "JPEG Fatal Error");
    EXPECT_EQ(boxes.back().text, "Too many progressive scans (more than 500)");
}
