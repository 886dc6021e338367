#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <cstring>
#include <functional>
#include <vector>

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

TEST(Registry, DamagedDatabaseIsKeptByReadsAndMovedAsideOnTheNextWrite) {
    TempDir dir;
    const std::string junk(4096, 'J');
    WriteFile(dir / "registry.db", junk);
    Registry r(dir.path());
    std::vector<std::string> told;
    r.SetDamageHandler([&](const std::string& copy) { told.push_back(copy); });
    HKEY k;
    EXPECT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_FILE_CORRUPT);
    LONG status = ERROR_SUCCESS;
    EXPECT_TRUE(r.ListValues(HKEY_LOCAL_MACHINE, &status).empty());
    EXPECT_EQ(status, ERROR_FILE_CORRUPT);
    EXPECT_EQ(ReadFile(dir / "registry.db"), junk) << "reading destroys nothing";
    EXPECT_TRUE(told.empty());
    uint32_t disp = 0;
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &k, &disp), ERROR_SUCCESS);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY);
    ASSERT_FALSE(r.DamagedCopy().empty());
    EXPECT_EQ(ReadFile(r.DamagedCopy()), junk);
    EXPECT_NE(r.DamagedCopy().find("registry.db.damaged-"), std::string::npos);
    EXPECT_EQ(told, std::vector<std::string>{r.DamagedCopy()}) << "told once, with the copy";
    ASSERT_EQ(r.SetValue(k, "v", REG_SZ, reinterpret_cast<const uint8_t*>("1"), 2), ERROR_SUCCESS);
    EXPECT_EQ(told.size(), 1u);
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

namespace {

pid_t Spawn(const std::function<int()>& child) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(child());
    }
    return pid;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(Registry, ProcessesWritingAtOnceLoseNothing) {
    // Every round is a fresh connection, as every start of the program or
    // the batch command is: its first write is where a lock could be refused
    // at once instead of waited for.
    TempDir dir;
    constexpr int kProcesses = 8;
    constexpr int kRounds = 25;
    std::vector<pid_t> kids;
    for (int p = 0; p < kProcesses; ++p) {
        kids.push_back(Spawn([&dir, p] {
            int failures = 0;
            for (int i = 0; i < kRounds; ++i) {
                Registry r(dir.path());
                HKEY k;
                const std::string val = std::to_string(i);
                if (r.CreateKey(HKEY_LOCAL_MACHINE, "K\\P" + std::to_string(p), KEY_WRITE, &k,
                                nullptr) != ERROR_SUCCESS ||
                    r.SetValue(k, "v" + val, REG_SZ, reinterpret_cast<const uint8_t*>(val.c_str()),
                               static_cast<uint32_t>(val.size() + 1)) != ERROR_SUCCESS) {
                    ++failures;
                }
            }
            return failures;
        }));
    }
    for (pid_t kid : kids) {
        EXPECT_EQ(Wait(kid), 0) << "writes failed in a child";
    }
    Registry r(dir.path());
    HKEY k;
    ASSERT_EQ(r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_EQ(r.ListValues(k).size(), size_t{kProcesses * kRounds});
}

TEST(Registry, ABusyStoreIsWaitedForAndThenAnError) {
    TempDir dir;
    {
        Registry r(dir.path());
        HKEY k;
        ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "K", KEY_WRITE, &k, nullptr), ERROR_SUCCESS);
        ASSERT_EQ(r.SetValue(k, "v", REG_SZ, reinterpret_cast<const uint8_t*>("x"), 2),
                  ERROR_SUCCESS);
    }
    // Another process holds the write lock that shuts readers out, for a while.
    auto holdLock = [&dir](int ms, int ready) {
        return Spawn([&dir, ms, ready] {
            sqlite3* db = nullptr;
            sqlite3_open((dir / "registry.db").c_str(), &db);
            sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
            (void)!write(ready, "r", 1);
            usleep(ms * 1000);
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(db);
            return 0;
        });
    };
    auto read = [&dir](int timeoutMs, int ready) {
        char c;
        (void)!::read(ready, &c, 1);
        Registry r(dir.path());
        r.SetBusyTimeout(timeoutMs);
        HKEY k;
        LONG rc = r.OpenKey(HKEY_LOCAL_MACHINE, "K", KEY_READ, &k);
        uint8_t buf[8];
        uint32_t cb = sizeof buf;
        return rc != ERROR_SUCCESS ? rc : r.QueryValue(k, "v", nullptr, buf, &cb);
    };
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t holder = holdLock(1500, fds[1]);
    EXPECT_EQ(read(Registry::kBusyTimeoutMs, fds[0]), ERROR_SUCCESS) << "waited for the lock";
    EXPECT_EQ(Wait(holder), 0);
    holder = holdLock(1000, fds[1]);
    EXPECT_EQ(read(100, fds[0]), ERROR_BUSY) << "busy is not a missing value";
    EXPECT_EQ(Wait(holder), 0);
    close(fds[0]);
    close(fds[1]);
}
