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
std::vector<const ThumbRecord*> LiteralSort(const ThumbCatalog& cat, int option, int style) {
    std::list<const ThumbRecord*> list;
    for (const auto& r : cat) {
        list.push_back(r.get());
    }
    if (option < 1 || option > 3) {
        return {list.begin(), list.end()};
    }
    auto greater = [option](const ThumbRecord* a, const ThumbRecord* b) {
        switch (option) {
            case 1:
                return UpperAscii(a->m_strTitle) > UpperAscii(b->m_strTitle);
            case 2:
                return a->m_dwFileSize > b->m_dwFileSize;
            default:
                return IsLaterTime(a->m_dwTimeHigh, a->m_dwTimeLow, b->m_dwTimeHigh,
                                   b->m_dwTimeLow);
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
            static const char* names[] = {"a", "A", "b", "B", "_x", "ZEBRA", "apple", "Apple"};
            uint64_t t = (uint64_t{rng() % 3} << 32) | (rng() % 3);
            auto r = Rec(names[rng() % 8], rng() % 5, t);
            r->m_strPath = std::to_string(i);
            cat.Append(std::move(r));
        }
        const int option = static_cast<int>(rng() % 6) - 1;  // -1 .. 4 (out of range too)
        const int style = static_cast<int>(rng() % 3);
        auto expected = LiteralSort(cat, option, style);
        SortCatalog(cat, option, style);
        ASSERT_EQ(Order(cat), expected) << "round " << round << " option " << option;
        // Sorting the result again follows the literal algorithm too.
        expected = LiteralSort(cat, option, style);
        SortCatalog(cat, option, style);
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
