#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "TestUtil.h"
#include "platform/Registry.h"

using namespace pixfold;
using namespace pixfold::reg;
using namespace pixfold::test;

TEST(Registry, CreateThenOpenReportsDisposition) {
    TempDir dir;
    Registry r(dir / "cfg");
    HKEY k;
    uint32_t disp = 0;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "Software\\Acme\\App", KEY_WRITE, &k, &disp),
              ERROR_SUCCESS);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY);
    HKEY again;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\acme\\APP", KEY_WRITE, &again, &disp),
              ERROR_SUCCESS);
    EXPECT_EQ(disp, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(again.id, k.id) << "key names compare case-insensitively";
    HKEY other;
    ASSERT_EQ(r.CreateKey(HKEY_CURRENT_USER, "Software\\Acme\\App", KEY_WRITE, &other, &disp),
              ERROR_SUCCESS);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY) << "roots are separate namespaces";
    EXPECT_TRUE(Exists(dir / "cfg/registry.db"));
}

TEST(Registry, ValuesKeepTypeBytesAndFirstSpelling) {
    TempDir dir;
    Registry r(dir.path());
    HKEY w;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &w, nullptr), ERROR_SUCCESS);
    const uint8_t bin[] = {0, 1, 0xFF, 0};
    ASSERT_EQ(r.SetValue(w, "Bytes", REG_BINARY, bin, 4), ERROR_SUCCESS);
    ASSERT_EQ(r.SetValue(w, "Text", REG_SZ, reinterpret_cast<const uint8_t*>("hi"), 3),
              ERROR_SUCCESS);
    ASSERT_EQ(r.SetValue(w, "", REG_SZ, reinterpret_cast<const uint8_t*>("dflt"), 5),
              ERROR_SUCCESS);
    ASSERT_EQ(r.SetValue(w, "TEXT", REG_SZ, reinterpret_cast<const uint8_t*>("ho"), 3),
              ERROR_SUCCESS);

    HKEY rd;
    ASSERT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "k", KEY_READ, &rd), ERROR_SUCCESS);
    uint8_t buf[16] = {};
    uint32_t cb = sizeof buf, type = 0;
    ASSERT_EQ(r.QueryValue(rd, "bytes", &type, buf, &cb), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(cb, 4u);
    EXPECT_EQ(std::memcmp(buf, bin, 4), 0);
    cb = sizeof buf;
    ASSERT_EQ(r.QueryValue(rd, "text", &type, buf, &cb), ERROR_SUCCESS);
    EXPECT_EQ(cb, 3u);
    EXPECT_STREQ(reinterpret_cast<char*>(buf), "ho");
    cb = sizeof buf;
    ASSERT_EQ(r.QueryValue(rd, "", &type, buf, &cb), ERROR_SUCCESS);
    EXPECT_STREQ(reinterpret_cast<char*>(buf), "dflt");

    // Too small a buffer: fails and says how much is needed; a null buffer asks the size.
    cb = 2;
    EXPECT_EQ(r.QueryValue(rd, "text", &type, buf, &cb), ERROR_MORE_DATA);
    EXPECT_EQ(cb, 3u);
    cb = 0;
    EXPECT_EQ(r.QueryValue(rd, "bytes", nullptr, nullptr, &cb), ERROR_SUCCESS);
    EXPECT_EQ(cb, 4u);
    EXPECT_EQ(r.QueryValue(rd, "missing", nullptr, buf, &cb), ERROR_FILE_NOT_FOUND);

    auto all = r.ListValues(HKEY{w.id, KEY_READ});
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[2].name, "Text") << "the first spelling is kept";
}

TEST(Registry, AccessRightsAreChecked) {
    TempDir dir;
    Registry r(dir.path());
    HKEY w;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &w, nullptr), ERROR_SUCCESS);
    uint8_t buf[4];
    uint32_t cb = 4;
    EXPECT_EQ(r.QueryValue(w, "x", nullptr, buf, &cb), ERROR_ACCESS_DENIED);
    HKEY rd;
    ASSERT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &rd), ERROR_SUCCESS);
    EXPECT_EQ(r.SetValue(rd, "x", REG_SZ, reinterpret_cast<const uint8_t*>(""), 1),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "Missing\\Key", KEY_READ, &rd), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, ReadsOfAMissingDatabaseCreateNothing) {
    TempDir dir;
    Registry r(dir / "never");
    HKEY k;
    EXPECT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(Exists(dir / "never"));
}

TEST(Registry, DamagedDatabaseIsMovedAsideOnTheNextWrite) {
    TempDir dir;
    const std::string junk(4096, 'J');
    WriteFile(dir / "registry.db", junk);
    Registry r(dir.path());
    HKEY k;
    EXPECT_NE(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(dir / "registry.db"), junk) << "reading destroys nothing";
    uint32_t disp = 0;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &k, &disp), ERROR_SUCCESS);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY);
    ASSERT_FALSE(r.DamagedCopy().empty());
    EXPECT_EQ(ReadFile(r.DamagedCopy()), junk);
    EXPECT_NE(r.DamagedCopy().find("registry.db.damaged-"), std::string::npos);
    ASSERT_EQ(r.SetValue(k, "v", REG_SZ, reinterpret_cast<const uint8_t*>("1"), 2), ERROR_SUCCESS);
}

TEST(Registry, UnwritableFolderReadsFailWritesFail) {
    TempDir dir;
    WriteFile(dir / "file", "x");
    Registry r(dir / "file/cfg");  // a folder that can never be created
    HKEY k;
    uint32_t disp = 0;
    EXPECT_NE(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &k, &disp), ERROR_SUCCESS);
    EXPECT_NE(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_SUCCESS);
}

TEST(Registry, TwoProcessesWritingAtOnceLoseNothing) {
    TempDir dir;
    {
        Registry r(dir.path());
        HKEY k;
        ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &k, nullptr), ERROR_SUCCESS);
    }
    const int kWrites = 60;
    pid_t kids[2];
    for (int p = 0; p < 2; ++p) {
        kids[p] = fork();
        if (kids[p] == 0) {
            Registry r(dir.path());
            int failures = 0;
            for (int i = 0; i < kWrites; ++i) {
                HKEY k;
                std::string sub = "K\\P" + std::to_string(p);
                std::string name = "v" + std::to_string(i);
                std::string val = std::to_string(i);
                if (r.CreateKey(HKEY_LOCAL_MACHINE, sub, KEY_WRITE, &k, nullptr) != ERROR_SUCCESS ||
                    r.SetValue(k, name, REG_SZ, reinterpret_cast<const uint8_t*>(val.c_str()),
                               static_cast<uint32_t>(val.size() + 1)) != ERROR_SUCCESS) {
                    ++failures;
                }
            }
            _exit(failures);
        }
    }
    for (pid_t kid : kids) {
        int status = 0;
        waitpid(kid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "writes failed in a child";
    }
    Registry r(dir.path());
    HKEY k;
    ASSERT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_EQ(r.ListValues(k).size(), size_t{2 * kWrites});
}
