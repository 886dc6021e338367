#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestUtil.h"
#include "catalog/FolderScan.h"
#include "catalog/ThumbCache.h"
#include "platform/ConfigDir.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

constexpr uint64_t kRoomy = uint64_t{64} << 20;

class ThumbCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A cache of this test's own, empty at the start.
        setenv("XDG_CACHE_HOME", (dir / "cache").c_str(), 1);
    }
    void TearDown() override { setenv("XDG_CACHE_HOME", oldCache.c_str(), 1); }
    void Scan(uint64_t limit = kRoomy) {
        ScanSettings settings{103, kSortName, 0};
        settings.cacheLimit = limit;
        shell.Clear();
        OpenFolder(list, (dir / "photos"), settings);
    }
    std::string Bits(size_t i) const {
        const ThumbRecord& r = list.at(i);
        return r.m_pDib ? std::string(reinterpret_cast<const char*>(r.m_pDib.get()),
                                      size_t{AlignedRowLength(r.m_nThumbWidth)} * r.m_nThumbHeight)
                        : "none";
    }
    std::string oldCache = std::getenv("XDG_CACHE_HOME");
    RecordingShell shell;
    ShellScope scope{shell};
    TempDir dir;
    ThumbCatalog list;
};

}  // namespace

TEST_F(ThumbCacheTest, AgainTheKeptBitsUnlessTheFileChanged) {
    mkdir((dir / "photos").c_str(), 0755);
    const std::string a = MakeJpeg(dir / "photos/a.jpg", 640, 480);
    const std::string big = ReadFile(MakeJpeg(dir / "big.jpg", 800, 600));
    WriteFile(dir / "photos/b.jpg", big.substr(0, big.size() / 2));  // warns each time
    Scan();
    const std::string fresh = Bits(0);
    const auto messages = shell.MessageEvents();
    ASSERT_EQ(messages.size(), 1u);

    // What is kept is the exact bits; put others in their place to see them used.
    {
        ThumbCache cache(103, kRoomy, CacheDir());
        BuiltThumbnail kept;
        ASSERT_TRUE(cache.Find(a, &kept));
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(kept.bits.get()), fresh.size()), fresh);
        EXPECT_FALSE(cache.Find(dir / "photos/b.jpg", &kept)) << "a file that warned is not kept";
        for (size_t i = 0; i < fresh.size(); ++i) {
            kept.bits[i] ^= 0xFF;
        }
        cache.Put(a, kept);
    }
    Scan();
    EXPECT_NE(Bits(0), fresh) << "the scan took the kept bits";
    EXPECT_EQ(list.at(0).m_strDim, "100 x 75");
    EXPECT_EQ(list.at(0).m_nScaleDenom, 640u);
    const auto again = shell.MessageEvents();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].text, messages[0].text) << "its message comes again";

    // Another pitch is another thumbnail; a written file is decoded again.
    ScanSettings other{150, kSortName, 0};
    other.cacheLimit = kRoomy;
    OpenFolder(list, dir / "photos", other);
    EXPECT_EQ(list.at(0).m_nThumbWidth, 147u);
    const struct timespec keep[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
    WriteFile(a, ReadFile(a));  // the same bytes, written again
    utimensat(AT_FDCWD, a.c_str(), keep, 0);
    Scan();
    EXPECT_EQ(Bits(0), fresh);
}

TEST_F(ThumbCacheTest, ADamagedCacheIsSetAsideAndMadeAnewSilently) {
    mkdir((dir / "photos").c_str(), 0755);
    MakeJpeg(dir / "photos/a.jpg", 300, 200);
    MakeJpeg(dir / "photos/b.jpg", 200, 300);
    const std::string db = CacheDir() + "/" + ThumbStore::kFileName;
    MakeDirs(CacheDir());
    const std::string junk(8192, 'J');
    WriteFile(db, junk);
    Scan();
    EXPECT_TRUE(shell.Messages().empty());
    EXPECT_EQ(list.at(1).m_strDim, "66 x 100");
    EXPECT_EQ(ReadFile(db + ".damaged"), junk);
    ThumbStore store(CacheDir());
    EXPECT_EQ(store.GetStats().entries, 2u);
}

TEST_F(ThumbCacheTest, BeyondTheLimitTheLeastRecentlyUsedGo) {
    mkdir((dir / "photos").c_str(), 0755);
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        MakeJpeg(dir / ("photos/" + std::string(name) + ".jpg"), 400, 300);
    }
    Scan();
    const std::string db = CacheDir() + "/" + ThumbStore::kFileName;
    const size_t fileBefore = ReadFile(db).size();
    const uint64_t each = ThumbStore(CacheDir()).GetStats().bytes / 5;
    const uint64_t three = 3 * each + each / 2;
    {
        ThumbCache cache(103, three, CacheDir());
        BuiltThumbnail used;
        ASSERT_TRUE(cache.Find(dir / "photos/a.jpg", &used));  // now the latest used
    }
    ThumbStore store(CacheDir());
    EXPECT_EQ(store.GetStats().entries, 3u);
    EXPECT_LE(store.GetStats().bytes, three);
    EXPECT_LT(ReadFile(db).size(), fileBefore) << "the space dropped goes back";
    ThumbCache cache(103, three, CacheDir());
    BuiltThumbnail t;
    for (const char* name : {"a", "d", "e"}) {
        EXPECT_TRUE(cache.Find(dir / ("photos/" + std::string(name) + ".jpg"), &t)) << name;
    }
    for (const char* name : {"b", "c"}) {
        EXPECT_FALSE(cache.Find(dir / ("photos/" + std::string(name) + ".jpg"), &t)) << name;
    }
}
