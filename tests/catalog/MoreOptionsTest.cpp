#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "catalog/MoreOptions.h"
#include "catalog/ThumbCache.h"
#include "jpeg/JpegFile.h"
#include "publish/Publish.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class MoreOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
    }
    ScanOutcome Scan(const MoreOptions& options, int sortOption = kSortName) {
        ScanSettings settings{103, sortOption, 0};
        settings.options = options;
        shell.Clear();
        return OpenFolder(list, folder, settings);
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> out;
        for (const auto& r : list) {
            out.push_back(r->m_strTitle);
        }
        return out;
    }
    void Copy(const std::string& image, const std::string& name) {
        std::filesystem::copy_file(TestImage(image), folder + "/" + name);
    }
    void SetTime(const std::string& name, time_t when) {
        const struct timespec t[2] = {{when, 0}, {when, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, (folder + "/" + name).c_str(), t, 0), 0);
    }
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;
    std::string folder = dir / "photos";
    ThumbCatalog list;
};

std::string OrientationImage(int n) {
    return "exif-orientation-" + std::to_string(n) + (n <= 4 ? "-1800x1200.jpg" : "-1200x1800.jpg");
}

// Mean difference per byte of two thumbnails of one size.
double Difference(const ThumbRecord& a, const ThumbRecord& b) {
    const size_t bytes = size_t{AlignedRowLength(a.m_nThumbWidth)} * a.m_nThumbHeight;
    double sum = 0;
    for (size_t i = 0; i < bytes; ++i) {
        sum += std::abs(int{a.m_pDib[i]} - int{b.m_pDib[i]});
    }
    return sum / static_cast<double>(bytes);
}

}  // namespace

TEST_F(MoreOptionsTest, StoredOptionsDefaultToThePlainBehaviourAndRoundTrip) {
    reg::Registry registry(dir / "reg");
    SettingsStore store(registry);
    store.Open(reg::HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, nullptr, nullptr);
    EXPECT_EQ(LoadMoreOptions(store), MoreOptions{});
    const MoreOptions plain;
    EXPECT_FALSE(plain.Rules().naturalNames || plain.Rules().dateTaken || plain.NeedsExif());

    MoreOptions all{true, true, true, true, UnreadableReport::CountOnly, true};
    StoreMoreOptions(store, all);
    EXPECT_EQ(LoadMoreOptions(store), all);
    EXPECT_EQ(store.GetInt("Settings", "Unreadable", -1), 2);
    store.SetInt("Settings", "Unreadable", 3);  // out of range: the default
    store.SetInt("Settings", "Upright", 7);
    const MoreOptions read = LoadMoreOptions(store);
    EXPECT_EQ(read.unreadable, UnreadableReport::EachBox);
    EXPECT_FALSE(read.upright);
}

TEST_F(MoreOptionsTest, UprightTurnsEveryOrientationToTheSamePicture) {
    for (int n = 1; n <= 8; ++n) {
        Copy(OrientationImage(n), "o" + std::to_string(n) + ".jpg");
    }
    Scan({});
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list.at(0).m_strDim, "100 x 66");
    EXPECT_EQ(list.at(5).m_strDim, "66 x 100") << "unturned by default";

    MoreOptions upright;
    upright.upright = true;
    Scan(upright);
    ASSERT_EQ(list.size(), 8u);
    EXPECT_TRUE(shell.Messages().empty());
    // The first one mirrored or turned, as a wrong turn would show it (rows of
    // 100 pixels need no padding, and these turns read the same bottom-up).
    const ThumbRecord& first = list.at(0);
    ASSERT_EQ(first.m_strDim, "100 x 66");
    std::vector<ThumbRecord> wrong(3);
    for (int k = 2; k <= 4; ++k) {
        wrong[k - 2].m_nThumbWidth = 100;
        wrong[k - 2].m_nThumbHeight = 66;
        wrong[k - 2].m_pDib = TurnUpright(first.m_pDib.get(), 100, 66, k);
    }
    for (size_t i = 1; i < 8; ++i) {
        SCOPED_TRACE(i + 1);
        const ThumbRecord& r = list.at(i);
        ASSERT_EQ(r.m_strDim, "100 x 66");
        EXPECT_EQ(r.m_nImageWidth, 1800u);  // the image window's size, upright
        EXPECT_EQ(r.m_nImageHeight, 1200u);
        // The same picture up to the reduction's rounding, far nearer than
        // any wrong turn.
        const double same = Difference(r, first);
        for (const ThumbRecord& w : wrong) {
            EXPECT_LT(same * 2, Difference(r, w));
        }
    }
}

TEST_F(MoreOptionsTest, TurnedThumbnailsAreCachedApart) {
    Copy(OrientationImage(6), "six.jpg");
    const std::string path = folder + "/six.jpg";
    ThumbnailScratch scratch;
    {
        ThumbCache plain(103, 1 << 20, dir / "cache");
        plain.Put(path, MakeThumbnail(path, 103, scratch));
    }
    BuiltThumbnail found;
    EXPECT_FALSE(ThumbCache(103, 1 << 20, dir / "cache", true).Find(path, &found));
    EXPECT_TRUE(ThumbCache(103, 1 << 20, dir / "cache").Find(path, &found));
    EXPECT_EQ(found.thumbWidth, 66u);
}

TEST_F(MoreOptionsTest, PublishedThumbnailsTurnWithTheOption) {
    Copy(OrientationImage(8), "eight.jpg");
    MoreOptions upright;
    upright.upright = true;
    Scan(upright);
    ASSERT_EQ(list.size(), 1u);
    const std::string out = dir / "thumbs";
    std::filesystem::create_directories(out);
    std::vector<uint8_t> buffer;
    uint32_t w = 0, h = 0;
    const ThumbFileResult plain =
        WriteThumbFile(list.at(0), 90, kAppendTn, out, nullptr, buffer, false);
    ASSERT_TRUE(JpegFile::ReadDimensions(plain.path, w, h));
    EXPECT_EQ(w, 60u);
    EXPECT_EQ(h, 90u);
    const ThumbFileResult turned =
        WriteThumbFile(list.at(0), 90, kAppendTn, out, nullptr, buffer, true);
    ASSERT_TRUE(JpegFile::ReadDimensions(turned.path, w, h));
    EXPECT_EQ(w, 90u);
    EXPECT_EQ(h, 60u);
}

TEST_F(MoreOptionsTest, NaturalNamesAndDateTaken) {
    for (const char* name : {"img10.jpg", "img2.jpg", "img1.jpg"}) {
        MakeJpeg(folder + "/" + name, 16, 16);
        SetTime(name, 1577836800);  // 2020
    }
    Copy("camera-canon-sx60-exif-orientation-6-2048x1536.jpg", "camera.jpg");  // taken 2015
    SetTime("camera.jpg", 1735689600);                                         // 2025
    Scan({});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"camera", "img1", "img10", "img2"}));
    MoreOptions natural;
    natural.naturalNames = true;
    Scan(natural);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"camera", "img1", "img2", "img10"}));

    Scan({}, kSortDate);
    EXPECT_EQ(list.at(3).m_strTitle, "camera") << "by the file's time";
    EXPECT_EQ(list.at(3).m_strDate, "1/1/2025 0:00 AM");
    MoreOptions taken;
    taken.dateTaken = true;
    Scan(taken, kSortDate);
    EXPECT_EQ(list.at(0).m_strTitle, "camera") << "by the date taken";
    EXPECT_EQ(list.at(0).m_strDate, "2/9/2015 10:47 PM");
    EXPECT_EQ(list.at(1).m_strDate, "1/1/2020 0:00 AM*") << "a file time is marked";
}

TEST_F(MoreOptionsTest, UnreadableFilesAsOneListOrACount) {
    MakeJpeg(folder + "/a.jpg", 16, 16);
    WriteFile(folder + "/b.jpg", "not a picture");
    WriteFile(folder + "/c.jpg", "");
    Scan({});
    const size_t boxes = shell.Messages().size();
    EXPECT_GE(boxes, 2u) << "a box each by default";

    MoreOptions list1;
    list1.unreadable = UnreadableReport::OneList;
    ScanOutcome outcome = Scan(list1);
    ASSERT_EQ(shell.Messages().size(), 1u);
    const std::string text = shell.Messages()[0];
    EXPECT_EQ(text.rfind("These files could not be read, or only in part:\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nb.jpg: "), std::string::npos);
    EXPECT_NE(text.find("\nc.jpg: "), std::string::npos);
    EXPECT_EQ(list.size(), 3u);

    MoreOptions count;
    count.unreadable = UnreadableReport::CountOnly;
    outcome = Scan(count);
    EXPECT_TRUE(shell.Messages().empty());
    EXPECT_EQ(outcome.StatusText(), "2 files could not be read");
}

namespace {

// Presses Cancel once the progress window has counted `after` files.
class CancellingShell : public RecordingShell {
  public:
    explicit CancellingShell(size_t after) : m_after(after) {}
    void ProgressCount(size_t current, size_t total) override {
        counts.push_back(std::to_string(current) + " of " + std::to_string(total));
    }
    bool ProgressCancelled() override { return counts.size() >= m_after; }
    std::vector<std::string> counts;

  private:
    size_t m_after;
};

}  // namespace

TEST_F(MoreOptionsTest, CancelKeepsTheThumbnailsMadeSoFarInOrder) {
    for (const char* name : {"e", "d", "c", "b", "a"}) {
        MakeJpeg(folder + "/" + name + ".jpg", 40, 30);
    }
    CancellingShell cancelling(3);
    ShellScope inner(cancelling);
    ScanSettings settings{103, kSortName, 0};
    settings.workers = 2;
    const ScanOutcome outcome = OpenFolder(list, folder, settings);
    EXPECT_EQ(cancelling.counts, (std::vector<std::string>{"1 of 5", "2 of 5", "3 of 5"}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b", "c"}));
    for (const auto& r : list) {
        EXPECT_TRUE(r->m_pDib) << r->m_strTitle;
    }
    EXPECT_EQ(outcome.leftOut, 2u);
    EXPECT_EQ(outcome.StatusText(), "Scan cancelled: 2 of 5 files left out");
    EXPECT_EQ(cancelling.Count(RecordingShell::Event::ProgressClose), 1);
}
