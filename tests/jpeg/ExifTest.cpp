#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "TestUtil.h"
#include "jpeg/Exif.h"
#include "jpeg/JpegFile.h"
#include "jpeg/PixelOps.h"

using namespace pixfold;
using pixfold::test::TestImage;

namespace {

using Bytes = std::vector<uint8_t>;

std::string OrientationImage(int n) {
    return "exif-orientation-" + std::to_string(n) + (n <= 4 ? "-1800x1200.jpg" : "-1200x1800.jpg");
}

Bytes Load(const std::string& path) {
    const std::string s = test::ReadFile(path);
    return Bytes(s.begin(), s.end());
}

// A TIFF block in either byte order: IFD0 with an Orientation entry and a
// pointer to an EXIF directory that holds DateTimeOriginal.
struct TiffLayout {
    bool bigEndian = true;
    uint16_t orientationType = 3;  // SHORT
    uint32_t orientationCount = 1;
    uint32_t orientation = 6;
    std::string date = "2015:02:09 22:47:44";
};

class TiffWriter {
  public:
    explicit TiffWriter(bool big) : m_big(big) {}
    void U16(uint16_t v) { Put(v, 2); }
    void U32(uint32_t v) { Put(v, 4); }
    void Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        U16(tag);
        U16(type);
        U32(count);
        if (type == 3 && count == 1) {
            U16(static_cast<uint16_t>(value));  // a SHORT sits left-justified
            U16(0);
        } else {
            U32(value);
        }
    }
    Bytes bytes;

  private:
    void Put(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            const int shift = m_big ? 8 * (n - 1 - i) : 8 * i;
            bytes.push_back(static_cast<uint8_t>(v >> shift));
        }
    }
    bool m_big;
};

// Layout: header 0..7, IFD0 at 8 (2 entries: 8 + 2 + 24 + 4 = 38), EXIF IFD at
// 38 (1 entry: 18 bytes), the date text at 56.
constexpr uint32_t kExifIfdAt = 38;
constexpr uint32_t kDateAt = 56;

Bytes MakeTiff(const TiffLayout& layout) {
    TiffWriter w(layout.bigEndian);
    w.bytes = layout.bigEndian ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
    w.U16(42);
    w.U32(8);
    w.U16(2);
    w.Entry(0x0112, layout.orientationType, layout.orientationCount, layout.orientation);
    w.Entry(0x8769, 4, 1, kExifIfdAt);
    w.U32(0);
    w.U16(1);
    w.Entry(0x9003, 2, static_cast<uint32_t>(layout.date.size() + 1), kDateAt);
    w.U32(0);
    w.bytes.insert(w.bytes.end(), layout.date.begin(), layout.date.end());
    w.bytes.push_back(0);
    return w.bytes;
}

void Segment(Bytes& out, uint8_t code, const Bytes& body) {
    const size_t length = body.size() + 2;
    out.insert(out.end(),
               {0xFF, code, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)});
    out.insert(out.end(), body.begin(), body.end());
}

Bytes ExifBody(const Bytes& tiff) {
    Bytes body{'E', 'x', 'i', 'f', 0, 0};
    body.insert(body.end(), tiff.begin(), tiff.end());
    return body;
}

// SOI, a JFIF APP0, the EXIF APP1, then a scan.
Bytes MakeJpeg(const Bytes& tiff) {
    Bytes out{0xFF, 0xD8};
    Segment(out, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    Segment(out, 0xE1, ExifBody(tiff));
    Segment(out, 0xDA, {0, 0, 0});
    return out;
}

ExifInfo FromJpeg(const Bytes& b) {
    return ReadExifFromJpeg(b.data(), b.size());
}

const ExifDate kTaken{2015, 2, 9, 22, 47, 44};

}  // namespace

TEST(Exif, RealFiles) {
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(ReadExifFile(TestImage(OrientationImage(n))).orientation, n);
    }
    EXPECT_EQ(ReadExifFile(TestImage("size-2x1-exif-orientation-8.jpg")).orientation, 8);

    // DateTimeOriginal, not the later DateTime of IFD0 (2015:02:26 04:20:03).
    const std::string canon = TestImage("camera-canon-sx60-exif-orientation-6-2048x1536.jpg");
    const ExifInfo info = ReadExifFile(canon);
    EXPECT_EQ(info.orientation, 6);
    ASSERT_TRUE(info.dateTaken);
    EXPECT_EQ(*info.dateTaken, kTaken);
    const Bytes bytes = Load(canon);
    const ExifInfo inMemory = FromJpeg(bytes);
    EXPECT_EQ(inMemory.orientation, 6);
    EXPECT_EQ(inMemory.dateTaken, info.dateTaken);

    // The TIFF header ends inside the IFD0 offset.
    const ExifInfo cut = ReadExifFile(TestImage("exif-truncated-ifd-480x640.jpg"));
    EXPECT_EQ(cut.orientation, 1);
    EXPECT_FALSE(cut.dateTaken);
    EXPECT_EQ(ReadExifFile(TestImage("truncated-camera-60pct-2048x1536.jpg")).orientation, 6);

    for (const char* name : {"baseline-ycc420-227x149.jpg", "png-named-as-jpg-6x6.jpg",
                             "empty-0-bytes.jpg", "truncated-inside-app14-segment-8-bytes.jpg"}) {
        const ExifInfo none = ReadExifFile(TestImage(name));
        EXPECT_EQ(none.orientation, 1) << name;
        EXPECT_FALSE(none.dateTaken) << name;
    }
    EXPECT_EQ(ReadExifFile("/nonexistent/x.jpg").orientation, 1);
    EXPECT_EQ(ReadExifFile("/tmp").orientation, 1) << "a folder is no file";
}

TEST(Exif, BothByteOrdersAndValueTypes) {
    for (bool big : {true, false}) {
        TiffLayout layout;
        layout.bigEndian = big;
        ExifInfo info = FromJpeg(MakeJpeg(MakeTiff(layout)));
        EXPECT_EQ(info.orientation, 6) << big;
        EXPECT_EQ(info.dateTaken, kTaken) << big;

        layout.orientationType = 4;  // LONG: lenient, the value is still plain
        layout.orientation = 3;
        EXPECT_EQ(FromJpeg(MakeJpeg(MakeTiff(layout))).orientation, 3) << big;

        // Wrong type, wrong count, out of range: upright as stored.
        const std::tuple<int, int, uint32_t> cases[] = {{2, 1, 6}, {3, 2, 6}, {5, 1, 6},
                                                        {3, 1, 0}, {3, 1, 9}, {4, 1, 0x10006}};
        for (auto [type, count, value] : cases) {
            layout.orientationType = static_cast<uint16_t>(type);
            layout.orientationCount = static_cast<uint32_t>(count);
            layout.orientation = value;
            const ExifInfo bad = FromJpeg(MakeJpeg(MakeTiff(layout)));
            EXPECT_EQ(bad.orientation, 1) << type << " " << count << " " << value;
            EXPECT_EQ(bad.dateTaken, kTaken) << "the other entry is still read";
        }
    }
}

TEST(Exif, DateText) {
    auto parse = [](const std::string& s) { return ParseExifDate(s.data(), s.size()); };
    EXPECT_EQ(parse("2015:02:09 22:47:44"), kTaken);
    EXPECT_EQ(parse("2024:02:29 00:00:00"), (ExifDate{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(parse("2000:02:29 23:59:59"), (ExifDate{2000, 2, 29, 23, 59, 59}));
    for (const char* bad :
         {"2023:02:29 00:00:00", "1900:02:29 00:00:00", "0000:00:00 00:00:00",
          "    :  :     :  :  ", "2015:13:01 00:00:00", "2015:04:31 00:00:00",
          "2015:02:09 24:00:00", "2015:02:09 22:60:00", "2015-02-09 22:47:44",
          "2015:02:09T22:47:44", "2015:02:9 22:47:44 ", "1600:12:31 23:59:59", "2015:02:09"}) {
        EXPECT_FALSE(parse(bad)) << bad;
    }
    // In the block: a short count, a text running past the end.
    TiffLayout layout;
    layout.date = "2015:02:09 22:47:4";
    EXPECT_FALSE(FromJpeg(MakeJpeg(MakeTiff(layout))).dateTaken);
    Bytes tiff = MakeTiff(TiffLayout{});
    tiff.resize(kDateAt + 18);
    EXPECT_FALSE(ParseExifTiff(tiff.data(), tiff.size()).dateTaken);
}

TEST(Exif, HostileStructure) {
    const Bytes good = MakeTiff(TiffLayout{});
    auto put32 = [](Bytes b, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
        }
        return b;
    };
    const size_t exifPointerValue = 8 + 2 + 12 + 8;
    const size_t dateValue = kExifIfdAt + 2 + 8;
    // Offsets past the end, an EXIF directory that is IFD0 or itself.
    for (uint32_t v : {0xFFFFFFFFu, 0xFFFFFFF0u, uint32_t(good.size()), 8u}) {
        const ExifInfo info = ParseExifTiff(put32(good, exifPointerValue, v).data(), good.size());
        EXPECT_EQ(info.orientation, 6);
        EXPECT_FALSE(info.dateTaken) << v;
        EXPECT_FALSE(ParseExifTiff(put32(good, dateValue, v).data(), good.size()).dateTaken);
    }
    // IFD0 past the end, an entry count far beyond the data, a bad byte-order mark.
    EXPECT_EQ(ParseExifTiff(put32(good, 4, 0xFFFFFFF8u).data(), good.size()).orientation, 1);
    Bytes many = good;
    many[8] = 0xFF;
    many[9] = 0xFF;
    EXPECT_EQ(ParseExifTiff(many.data(), many.size()).orientation, 6);
    Bytes mark = good;
    mark[1] = 'I';
    EXPECT_EQ(ParseExifTiff(mark.data(), mark.size()).orientation, 1);

    // Every cut of the block gives either nothing or the true values.
    for (size_t n = 0; n <= good.size(); ++n) {
        const ExifInfo info = ParseExifTiff(good.data(), n);
        EXPECT_EQ(info.orientation, n >= 22 ? 6 : 1) << n;  // the first entry ends at 22
        EXPECT_EQ(info.dateTaken, n >= kDateAt + 19 ? std::optional(kTaken) : std::nullopt) << n;
    }
    EXPECT_EQ(ParseExifTiff(nullptr, 100).orientation, 1);
}

TEST(Exif, MarkerWalk) {
    const Bytes tiff = MakeTiff(TiffLayout{});
    // Another APP1 (XMP) first, and fill bytes before the EXIF marker.
    Bytes b{0xFF, 0xD8};
    Segment(b, 0xE1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
    b.push_back(0xFF);
    Segment(b, 0xE1, ExifBody(tiff));
    EXPECT_EQ(FromJpeg(b).orientation, 6);

    // Only the first EXIF segment counts.
    TiffLayout other;
    other.orientation = 3;
    Segment(b, 0xE1, ExifBody(MakeTiff(other)));
    EXPECT_EQ(FromJpeg(b).orientation, 6);

    // A segment cut off by the end of the data still gives what it holds.
    Bytes cut = MakeJpeg(tiff);
    cut.resize(cut.size() - 5 - 10);
    EXPECT_EQ(FromJpeg(cut).orientation, 6);

    // After the scan starts, no EXIF; nor without SOI, nor after a bad length.
    Bytes late{0xFF, 0xD8};
    Segment(late, 0xDA, {0, 0, 0});
    Segment(late, 0xE1, ExifBody(tiff));
    EXPECT_EQ(FromJpeg(late).orientation, 1);
    Bytes noSoi = MakeJpeg(tiff);
    noSoi[1] = 0xD9;
    EXPECT_EQ(FromJpeg(noSoi).orientation, 1);
    Bytes badLength = MakeJpeg(tiff);
    badLength[4] = 0;
    badLength[5] = 1;
    EXPECT_EQ(FromJpeg(badLength).orientation, 1);
    EXPECT_EQ(ReadExifFromJpeg(nullptr, 10).orientation, 1);
}

// Random damage to a synthetic file and to a camera's header must never read
// outside the data (the sanitizer build checks) nor give values out of range.
TEST(Exif, RandomMutations) {
    std::vector<Bytes> seeds = {MakeJpeg(MakeTiff(TiffLayout{}))};
    TiffLayout little;
    little.bigEndian = false;
    seeds.push_back(MakeJpeg(MakeTiff(little)));
    Bytes camera = Load(TestImage("camera-canon-sx60-exif-orientation-6-2048x1536.jpg"));
    camera.resize(std::min<size_t>(camera.size(), 2048));  // IFD0 and the EXIF directory
    seeds.push_back(camera);

    std::mt19937 rng(15);
    for (int round = 0; round < 5000; ++round) {
        Bytes b = seeds[round % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % b.size();
            switch (rng() % 4) {
                case 0:
                    b[at] = static_cast<uint8_t>(rng());
                    break;
                case 1:
                    b[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
                    break;
                case 2:
                    b[at] = (rng() % 2) ? 0xFF : 0x00;
                    break;
                default:
                    b.resize(std::max<size_t>(at, 1));
                    break;
            }
        }
        const ExifInfo info = FromJpeg(b);
        ASSERT_GE(info.orientation, 1);
        ASSERT_LE(info.orientation, 8);
        if (info.dateTaken) {
            ASSERT_GE(info.dateTaken->month, 1);
            ASSERT_LE(info.dateTaken->month, 12);
            ASSERT_LE(info.dateTaken->hour, 23);
        }
    }
}

// Each test photo shows the same upright picture through its own orientation:
// turned upright, a reduced decode of each matches orientation 1's, and no
// other turn comes close.
TEST(Exif, TurnedUprightEveryTestPhotoMatchesTheFirst) {
    auto decode = [](int n, uint32_t& w, uint32_t& h) {
        return JpegFile::ReadRgb(TestImage(OrientationImage(n)), w, h, 1, 8);
    };
    uint32_t w1 = 0, h1 = 0;
    PixelBuffer first = decode(1, w1, h1);
    ASSERT_TRUE(first);
    auto difference = [&](const uint8_t* a) {
        uint64_t sum = 0;
        const size_t bytes = size_t(w1) * h1 * 3;
        for (size_t i = 0; i < bytes; ++i) {
            sum += static_cast<uint64_t>(std::abs(int(a[i]) - int(first[i])));
        }
        return double(sum) / double(bytes);
    };
    for (int n = 1; n <= 8; ++n) {
        uint32_t w = 0, h = 0;
        PixelBuffer stored = decode(n, w, h);
        ASSERT_TRUE(stored);
        const int orientation = ReadExifFile(TestImage(OrientationImage(n))).orientation;
        auto turned = [&](int m) {
            uint32_t uw = 0, uh = 0;
            UprightSize(w, h, m, uw, uh);
            return uw == w1 && uh == h1 ? difference(TurnUpright(stored.get(), w, h, m).get())
                                        : -1.0;
        };
        const double right = turned(orientation);
        EXPECT_GE(right, 0.0) << "photo " << n;
        EXPECT_LT(right, 4.0) << "photo " << n;
        for (int m = 1; m <= 8; ++m) {
            const double d = turned(m);
            if (m != orientation && d >= 0) {
                EXPECT_GT(d, 4 * right + 10) << "photo " << n << " turned as " << m;
            }
        }
    }
}
