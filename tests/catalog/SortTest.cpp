#include <gtest/gtest.h>

#include <list>
#include <random>

#include "catalog/ThumbCatalog.h"
#include "platform/TextUtil.h"

using namespace pixfold;

namespace {

std::unique_ptr<ThumbRecord> Rec(const std::string& title, uint64_t size = 0, uint64_t time = 0) {
    auto r = std::make_unique<ThumbRecord>();
    r->m_strTitle = title;
    r->m_dwFileSize = size;
    r->m_dwTimeHigh = static_cast<uint32_t>(time >> 32);
    r->m_dwTimeLow = static_cast<uint32_t>(time);
    return r;
}

// The selection-by-extraction exactly as described, quadratic, on a std::list.
std::vector<const ThumbRecord*> LiteralSort(const ThumbCatalog& cat, int option, int style,
                                            SortRules rules = {}) {
    std::list<const ThumbRecord*> list;
    for (const auto& r : cat) {
        list.push_back(r.get());
    }
    if (option < 1 || option > 3) {
        return {list.begin(), list.end()};
    }
    auto greater = [option, rules](const ThumbRecord* a, const ThumbRecord* b) {
        switch (option) {
            case 1:
                if (rules.naturalNames) {
                    return CompareNatural(UpperAscii(a->m_strTitle), UpperAscii(b->m_strTitle)) > 0;
                }
                return UpperAscii(a->m_strTitle) > UpperAscii(b->m_strTitle);
            case 2:
                return a->m_dwFileSize > b->m_dwFileSize;
            default:
                return a->SortTime(rules.dateTaken) > b->SortTime(rules.dateTaken);
        }
    };
    std::list<const ThumbRecord*> temp;
    while (!list.empty()) {
        auto best = list.begin();
        for (auto it = std::next(list.begin()); it != list.end(); ++it) {
            bool replace = style == 0 ? greater(*it, *best) : greater(*best, *it);
            if (replace) {
                best = it;
            }
        }
        temp.push_front(*best);
        list.erase(best);
    }
    return {temp.begin(), temp.end()};
}

std::vector<const ThumbRecord*> Order(const ThumbCatalog& cat) {
    std::vector<const ThumbRecord*> out;
    for (const auto& r : cat) {
        out.push_back(r.get());
    }
    return out;
}

std::vector<std::string> Titles(const ThumbCatalog& cat) {
    std::vector<std::string> out;
    for (const auto& r : cat) {
        out.push_back(r->m_strTitle);
    }
    return out;
}

}  // namespace

TEST(SortCatalog, MatchesTheLiteralAlgorithmOnRandomListsWithTies) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 400; ++round) {
        ThumbCatalog cat;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            // Few distinct keys, so most records tie with another.
            static const char* names[] = {"a",     "A",     "b",    "B",    "_x",    "ZEBRA",
                                          "apple", "Apple", "img2", "IMG2", "img10", "img02"};
            uint64_t t = (uint64_t{rng() % 3} << 32) | (rng() % 3);
            auto r = Rec(names[rng() % 12], rng() % 5, t);
            r->m_strPath = std::to_string(i);
            r->m_bHasDateTaken = rng() % 2;
            r->m_nDateTaken = rng() % 4;
            cat.Append(std::move(r));
        }
        const int option = static_cast<int>(rng() % 6) - 1;  // -1 .. 4 (out of range too)
        const int style = static_cast<int>(rng() % 3);
        const SortRules rules{rng() % 2 == 0, rng() % 2 == 0};
        auto expected = LiteralSort(cat, option, style, rules);
        SortCatalog(cat, option, style, rules);
        ASSERT_EQ(Order(cat), expected) << "round " << round << " option " << option;
        // Sorting the result again follows the literal algorithm too.
        expected = LiteralSort(cat, option, style, rules);
        SortCatalog(cat, option, style, rules);
        ASSERT_EQ(Order(cat), expected) << "second sort, round " << round;
    }
}

TEST(SortCatalog, EqualNamesReverseThenRestore) {
    ThumbCatalog cat;
    cat.Append(Rec("b"));
    cat.Append(Rec("B"));
    const ThumbRecord* first = &cat.at(0);
    SortCatalog(cat, kSortName, 0);
    EXPECT_EQ(&cat.at(1), first);
    SortCatalog(cat, kSortName, 0);
    EXPECT_EQ(&cat.at(0), first);
}

TEST(SortCatalog, NamesCompareUpperCasedBytes) {
    ThumbCatalog cat;
    for (const char* t : {"_x", "Banana", "ZEBRA", "apple"}) {
        cat.Append(Rec(t));
    }
    SortCatalog(cat, kSortName, 0);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"apple", "Banana", "ZEBRA", "_x"}));
}

TEST(SortCatalog, NaturalNamesByNumberValue) {
    const std::vector<std::string> titles = {"img10",
                                             "photo",
                                             "img2",
                                             "Img1",
                                             "img02",
                                             "img",
                                             "img9",
                                             "img0",
                                             "img99999999999999999999999",
                                             "img100000000000000000000000"};
    ThumbCatalog cat;
    for (const auto& t : titles) {
        cat.Append(Rec(t));
    }
    SortCatalog(cat, kSortName, 0, {.naturalNames = true});
    const std::vector<std::string> natural = {"img",
                                              "img0",
                                              "Img1",
                                              "img02",
                                              "img2",
                                              "img9",
                                              "img10",
                                              "img99999999999999999999999",
                                              "img100000000000000000000000",
                                              "photo"};
    EXPECT_EQ(Titles(cat), natural);
    SortCatalog(cat, kSortName, 1, {.naturalNames = true});
    EXPECT_EQ(Titles(cat), std::vector<std::string>(natural.rbegin(), natural.rend()));
    SortCatalog(cat, kSortName, 0);
    EXPECT_EQ(Titles(cat)[4], "img10") << "the plain order stays by bytes";
    EXPECT_EQ(Titles(cat)[6], "img2");

    // Digits sit between the bytes below '0' and above '9'; only identical keys are equal.
    EXPECT_LT(CompareNatural("IMG-1", "IMG1"), 0);
    EXPECT_LT(CompareNatural("IMG1", "IMGA"), 0);
    EXPECT_LT(CompareNatural("A01", "A1"), 0) << "equal values: byte order";
    EXPECT_EQ(CompareNatural("A01", "A01"), 0);
    EXPECT_GT(CompareNatural("\xC3\xA9"
                             "1",
                             "Z2"),
              0)
        << "bytes above 0x7F compare unsigned";

    // A strict weak order, or the sort would be undefined.
    std::mt19937 rng(9);
    auto word = [&rng] {
        std::string w;
        for (size_t n = rng() % 6; n > 0; --n) {
            w += "0019A-"[rng() % 6];
        }
        return w;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string a = word(), b = word(), c = word();
        const int ab = CompareNatural(a, b);
        ASSERT_EQ(ab > 0, CompareNatural(b, a) < 0) << a << " " << b;
        ASSERT_EQ(ab == 0, a == b) << a << " " << b;
        if (ab < 0 && CompareNatural(b, c) < 0) {
            ASSERT_LT(CompareNatural(a, c), 0) << a << " " << b << " " << c;
        }
    }
}

TEST(SortCatalog, DateTakenWhenKnownElseFileTime) {
    ThumbCatalog cat;
    auto taken = [](const char* title, uint64_t fileTime, uint64_t when) {
        auto r = Rec(title, 0, fileTime);
        r->m_bHasDateTaken = true;
        r->m_nDateTaken = when;
        return r;
    };
    cat.Append(taken("a", 3, 10));
    cat.Append(Rec("b", 0, 5));
    cat.Append(taken("c", 1, 4));
    SortCatalog(cat, kSortDate, 0, {.dateTaken = true});
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"c", "b", "a"}));
    SortCatalog(cat, kSortDate, 0);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"c", "a", "b"}));
}

TEST(SortCatalog, SizesAreUnsignedAndDescendingWorks) {
    ThumbCatalog cat;
    cat.Append(Rec("ten", 10));
    cat.Append(Rec("big", 0x90000000u));  // above 2 GB: negative as a signed value
    cat.Append(Rec("thirty", 30));
    cat.Append(Rec("twenty", 20));
    SortCatalog(cat, kSortSize, 1);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"big", "thirty", "twenty", "ten"}));
    SortCatalog(cat, kSortSize, 0);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"ten", "twenty", "thirty", "big"}));
}

TEST(SortCatalog, TimesCompareHighThenLowHalves) {
    ThumbCatalog cat;
    cat.Append(Rec("late", 0, (uint64_t{5} << 32) | 0x80000000u));
    cat.Append(Rec("early", 0, (uint64_t{5} << 32) | 0x00000001u));
    cat.Append(Rec("earliest", 0, (uint64_t{4} << 32) | 0xFFFFFFFFu));
    SortCatalog(cat, kSortDate, 0);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"earliest", "early", "late"}));
    EXPECT_TRUE(IsLaterTime(5, 1, 4, 0xFFFFFFFF));
    EXPECT_FALSE(IsLaterTime(5, 1, 5, 1));
    EXPECT_TRUE(IsLaterTime(5, 2, 5, 1));
}

TEST(SortCatalog, NoneAndShortListsAreUntouched) {
    ThumbCatalog cat;
    SortCatalog(cat, kSortName, 0);
    cat.Append(Rec("z"));
    SortCatalog(cat, kSortName, 1);
    cat.Append(Rec("a"));
    SortCatalog(cat, kSortNone, 0);
    SortCatalog(cat, 7, 0);
    EXPECT_EQ(Titles(cat), (std::vector<std::string>{"z", "a"}));
}

TEST(ThumbCatalog, RemoveAndIndexOf) {
    ThumbCatalog cat;
    ThumbRecord& a = cat.Append(Rec("a"));
    ThumbRecord& b = cat.Append(Rec("b"));
    EXPECT_EQ(cat.IndexOf(&b), 1);
    EXPECT_TRUE(cat.Remove(&a));
    EXPECT_FALSE(cat.Remove(&a));
    EXPECT_EQ(cat.IndexOf(&b), 0);
    cat.Clear();
    EXPECT_TRUE(cat.empty());
}
