#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <stdexcept>

#include "batch/BatchCommands.h"
#include "platform/ControlBytes.h"

using namespace pixfold;

TEST(RunGuarded, AnExceptionEndsTheCommandWithAMessageAndStatusTwo) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* err = open_memstream(&text, &size);
    EXPECT_EQ(batch::RunGuarded([] { return 1; }, err), 1);
    EXPECT_EQ(batch::RunGuarded([]() -> int { throw std::out_of_range("no such record"); }, err),
              2);
    EXPECT_EQ(batch::RunGuarded([]() -> int { throw std::bad_alloc(); }, err), 2);
    std::fclose(err);
    EXPECT_STREQ(text, "pixfold-batch: no such record\npixfold-batch: out of memory\n");
    std::free(text);
}

TEST(EscapeControlBytes, RecordsMessagesAndTerminals) {
    EXPECT_EQ(EscapeControlBytes("a\nb\tc\\d\x7f"), "a\\x0ab\\x09c\\\\d\\x7f");
    EXPECT_EQ(EscapeControlBytes("caf\xe9 \xc3\xa9", {}), "caf\xe9 \xc3\xa9") << "bytes kept";
    const EscapeRules message{false, false, true};
    EXPECT_EQ(EscapeControlBytes("JPEG :\nCan't open \x1b[2J\\\n", message),
              "JPEG :\nCan't open \\x1b[2J\\\n");
    // On a terminal: C1 controls (U+009B is an escape) and bytes that are not UTF-8.
    EXPECT_EQ(EscapeControlBytes("\xc2\x9b"
                                 "2J caf\xe9 \xc3\xa9 \xe2\x82\xac \xed\xa0\x80",
                                 message),
              "\\xc2\\x9b2J caf\\xe9 \xc3\xa9 \xe2\x82\xac \\xed\\xa0\\x80");
}
