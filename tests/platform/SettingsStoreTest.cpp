#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "TestUtil.h"
#include "platform/SettingsStore.h"

using namespace pixfold;
using namespace pixfold::reg;
using namespace pixfold::test;

namespace {

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HKEY key;
        uint32_t disp = 0;
        ASSERT_TRUE(store.Open(HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, &key, &disp));
        registry.CloseKey(key);
    }
    // Raw bytes of a stored value, through the registry itself.
    std::string Raw(const std::string& section, const std::string& name, uint32_t* type) {
        HKEY k;
        if (registry.OpenKey(HKEY_LOCAL_MACHINE,
                             std::string(SettingsStore::kProductKeyPath) + "\\" + section, KEY_READ,
                             &k) != ERROR_SUCCESS) {
            return "<no key>";
        }
        uint8_t buf[2048];
        uint32_t cb = sizeof buf;
        if (registry.QueryValue(k, name, type, buf, &cb) != ERROR_SUCCESS) {
            return "<no value>";
        }
        return std::string(reinterpret_cast<char*>(buf), cb);
    }
    TempDir dir;
    Registry registry{dir.path()};
    SettingsStore store{registry};
};

}  // namespace

TEST_F(SettingsStoreTest, IntegersParseLikePercentD) {
    store.SetString("Settings", "A", "12abc");
    store.SetString("Settings", "B", "abc");
    store.SetString("Settings", "C", "");
    store.SetString("Settings", "D", "-5");
    store.SetString("Settings", "E", "  +7");
    EXPECT_EQ(store.GetInt("Settings", "A", 99), 12);
    EXPECT_EQ(store.GetInt("Settings", "B", 99), 99);
    EXPECT_EQ(store.GetInt("Settings", "C", 99), 99);
    EXPECT_EQ(store.GetInt("Settings", "D", 99), -5);
    EXPECT_EQ(store.GetInt("Settings", "E", 99), 7);
    EXPECT_EQ(store.GetInt("Settings", "Missing", 99), 99);
    EXPECT_EQ(store.GetInt("NoSection", "A", 42), 42);
}

TEST_F(SettingsStoreTest, SetIntStoresDecimalTextWithTerminator) {
    ASSERT_TRUE(store.SetInt("Settings", "Neg", -1));
    uint32_t type = 0;
    EXPECT_EQ(Raw("Settings", "Neg", &type), std::string("-1\0", 3));
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(store.GetInt("Settings", "neg", 0), -1) << "names are case-insensitive";
}

TEST_F(SettingsStoreTest, TextUpToTheReadLimit) {
    const std::string fits(259, 'x');  // 260 bytes with the terminator
    const std::string tooLong(260, 'y');
    ASSERT_TRUE(store.SetString("Settings", "Fits", fits));
    ASSERT_TRUE(store.SetString("Settings", "Long", tooLong));
    EXPECT_EQ(store.GetString("Settings", "Fits", "d"), fits);
    EXPECT_EQ(store.GetString("Settings", "Long", "d"), "d");
    EXPECT_EQ(store.GetString("Settings", "Missing", "dflt"), "dflt");
}

TEST_F(SettingsStoreTest, MissingSectionIsCreatedByTheFirstWrite) {
    EXPECT_EQ(store.GetString("Fresh", "v", "none"), "none");
    ASSERT_TRUE(store.SetString("Fresh", "v", "here"));
    EXPECT_EQ(store.GetString("Fresh", "v", "none"), "here");
}

TEST_F(SettingsStoreTest, BinaryValues) {
    const uint8_t data[] = {1, 0, 2, 0xFE};
    EXPECT_FALSE(store.SetBinary("Settings", "Z", 0, data));
    EXPECT_FALSE(store.SetBinary("Settings", "Z", -3, data));
    uint32_t type = 0;
    EXPECT_EQ(Raw("Settings", "Z", &type), "<no key>") << "nothing was written";
    ASSERT_TRUE(store.SetBinary("Settings", "Z", 4, data));
    EXPECT_EQ(Raw("Settings", "Z", &type), std::string("\1\0\2\xFE", 4));
    EXPECT_EQ(type, REG_BINARY);

    uint8_t out[8] = {};
    int count = sizeof out;
    ASSERT_TRUE(store.GetBinary("Settings", "Z", &count, out));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(out[3], 0xFE);
    count = 2;
    EXPECT_FALSE(store.GetBinary("Settings", "Z", &count, out)) << "does not fit";
    count = 8;
    EXPECT_FALSE(store.GetBinary("Settings", "Z", &count, nullptr));
}

TEST(SettingsStoreOpen, StoresRootAndPathEvenWhenOpeningFails) {
    TempDir dir;
    WriteFile(dir / "file", "x");
    Registry registry(dir / "file/cfg");
    SettingsStore store(registry);
    HKEY key;
    uint32_t disp = 0;
    EXPECT_FALSE(store.Open(HKEY_CURRENT_USER, "Software\\X", &key, &disp));
    EXPECT_EQ(store.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(store.ProductKeyPath(), "Software\\X");
    EXPECT_EQ(store.GetInt("Settings", "Pitch", 103), 103);
    EXPECT_FALSE(store.SetInt("Settings", "Pitch", 1));
}

namespace {

class MigrationTest : public ::testing::Test {
  protected:
    bool Start() { return OpenStoreAtStartup(store); }
    TempDir dir;
    Registry registry{dir.path()};
    SettingsStore store{registry};
};

}  // namespace

TEST_F(MigrationTest, CopiesSectionsAndPairsByTheRules) {
    WriteFile(dir / "Pixfold.INI",
              "orphan=lost\r\n"
              " [ Screen ] \r\n"
              "x=10\r\n"
              "[Settings]\n"
              "Pitch = 100\n"
              "x=1=2\n"
              "=v\n"
              "; comment=still a pair\n"
              "[a]b]\n"
              "after=yes\n"
              "  Spaced  =  kept inside  \n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(store.GetInt("Screen", "x", 0), 10);
    EXPECT_EQ(store.GetString("Settings", "Pitch ", "-"), " 100");
    EXPECT_EQ(store.GetInt("Settings", "Pitch ", 0), 100);
    EXPECT_EQ(store.GetString("Settings", "Pitch", "-"), "-");
    EXPECT_EQ(store.GetString("Settings", "x", "-"), "1=2");
    EXPECT_EQ(store.GetString("Settings", "", "-"), "v");
    EXPECT_EQ(store.GetString("Settings", "; comment", "-"), "still a pair");
    EXPECT_EQ(store.GetString("Settings", "after", "-"), "yes") << "[a]b] is no header";
    EXPECT_EQ(store.GetString("Settings", "Spaced  ", "-"), "  kept inside");
    EXPECT_EQ(store.GetString("Settings", "orphan", "-"), "-");
    EXPECT_EQ(store.GetString("Screen", "orphan", "-"), "-");
    EXPECT_TRUE(Exists(dir / "Pixfold.INI")) << "the file stays";
}

TEST_F(MigrationTest, RunsOnlyOnTheFirstStart) {
    WriteFile(dir / "Pixfold.INI", "[Settings]\nPitch=120\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(store.GetInt("Settings", "Pitch", 0), 120);
    WriteFile(dir / "Pixfold.INI", "[Settings]\nPitch=140\nNew=1\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(store.GetInt("Settings", "Pitch", 0), 120);
    EXPECT_EQ(store.GetInt("Settings", "New", 0), 0);
}

TEST_F(MigrationTest, NoIniFileIsFine) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(store.GetInt("Settings", "Pitch", 103), 103);
}

TEST_F(MigrationTest, LongLinesArriveInPieces) {
    // 600 characters: the first 519 form one line, the other 81 another.
    const std::string longPair = std::string(515, 'n') + "=" + std::string(84, 'v');
    WriteFile(dir / "Pixfold.INI", "[S]\n" + longPair + "\nrest=1\n");
    ASSERT_TRUE(Start());
    // Piece one: 515 n's, '=', 3 v's; piece two: 81 v's without '=' (ignored).
    EXPECT_EQ(store.GetString("S", std::string(515, 'n'), "-"), "vvv");
    HKEY k;
    ASSERT_EQ(registry.OpenKey(HKEY_LOCAL_MACHINE,
                               std::string(SettingsStore::kProductKeyPath) + "\\S", KEY_READ, &k),
              ERROR_SUCCESS);
    EXPECT_EQ(registry.ListValues(k).size(), 2u);
    EXPECT_EQ(store.GetInt("S", "rest", 0), 1);
}

TEST_F(MigrationTest, AStartKilledHalfWayLeavesNothingAndTheNextOneMigratesAll) {
    std::string ini = "[Settings]\n";
    for (int i = 0; i < 40; ++i) {
        ini += "v" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    }
    // The first start reads its INI file from a pipe and is killed with half
    // of it read.
    ASSERT_EQ(mkfifo((dir / "Pixfold.INI").c_str(), 0600), 0);
    const pid_t kid = fork();
    if (kid == 0) {
        Registry r(dir.path());
        SettingsStore s(r);
        OpenStoreAtStartup(s);
        _exit(0);
    }
    const int fd = open((dir / "Pixfold.INI").c_str(), O_WRONLY);
    const std::string half = ini.substr(0, ini.find("v20="));
    ASSERT_EQ(write(fd, half.data(), half.size()), static_cast<ssize_t>(half.size()));
    usleep(500 * 1000);
    kill(kid, SIGKILL);
    waitpid(kid, nullptr, 0);
    close(fd);
    unlink((dir / "Pixfold.INI").c_str());
    WriteFile(dir / "Pixfold.INI", ini);
    ASSERT_TRUE(Start());
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(store.GetInt("Settings", "v" + std::to_string(i), -1), i);
    }
}

TEST_F(MigrationTest, DeletedProductKeyTakesNothing) {
    WriteFile(dir / "Pixfold.INI", "[Settings]\nPitch=120\n");
    SettingsStore s(registry);
    s.Open(HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, nullptr, nullptr);
    s.MigrateIniFile(HKEY{987654, KEY_WRITE});  // no such key: the first section fails
    EXPECT_EQ(s.GetInt("Settings", "Pitch", 5), 5);
}
