#include <gtest/gtest.h>

#include "TestUtil.h"
#include "catalog/CommandRules.h"
#include "catalog/ViewPrefs.h"
#include "res/CommandIds.h"

using namespace pixfold;
using namespace pixfold::test;

namespace {

class ViewPrefsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store.Open(reg::HKEY_LOCAL_MACHINE, SettingsStore::kProductKeyPath, nullptr, nullptr);
    }
    TempDir dir;
    reg::Registry r{dir.path()};
    SettingsStore store{r};
    SystemColors sys{0xF0F0F0, 0x101010};
};

}  // namespace

TEST_F(ViewPrefsTest, DefaultsWithNothingStored) {
    ViewPrefs p = LoadViewPrefs(store, sys);
    EXPECT_EQ(p.pitch, 103);
    EXPECT_EQ(p.thumbMax, 100);
    EXPECT_EQ(p.showFileName, 1);
    EXPECT_EQ(p.showDim + p.showFileSize + p.showFileDate, 0);
    EXPECT_EQ(p.back, 0xF0F0F0u);
    EXPECT_EQ(p.text, 0x101010u);
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "BackColor", 0), 0xF0F0F0)
        << "system colours written back";
    EXPECT_EQ(p.sortOption, 0);
    EXPECT_EQ(p.slideTime, 5);
    EXPECT_EQ(p.random, 0);
}

TEST_F(ViewPrefsTest, StoredValuesAndOwnColours) {
    store.SetInt(res::kSectionSettings, "Pitch", 151);
    store.SetInt(res::kSectionSettings, "ColorCheck", 0);
    store.SetInt(res::kSectionSettings, "BackColor", 255);
    store.SetString(res::kSectionSettings, "SlideTime", "0.5");
    ViewPrefs p = LoadViewPrefs(store, sys);
    EXPECT_EQ(p.pitch, 151) << "the stored pitch is used as it is";
    EXPECT_EQ(p.thumbMax, 148);
    EXPECT_EQ(p.back, 255u);
    EXPECT_EQ(p.slideTime, 1);
    store.SetString(res::kSectionSettings, "SlideTime", "10");
    EXPECT_EQ(LoadViewPrefs(store, sys).slideTime, 10);
}

TEST_F(ViewPrefsTest, OutOfRangeValuesDoNotBreakTheView) {
    store.SetInt(res::kSectionSettings, "Pitch", 3);
    store.SetString(res::kSectionSettings, "SlideTime", "soon");
    ViewPrefs p = LoadViewPrefs(store, sys);
    EXPECT_EQ(p.pitch, 103);
    EXPECT_EQ(p.slideTime, 5);
    store.SetInt(res::kSectionSettings, "Pitch", 0);
    EXPECT_EQ(LoadViewPrefs(store, sys).pitch, 103);
}

TEST_F(ViewPrefsTest, MruCountIsClamped) {
    EXPECT_EQ(LoadMruCount(store), 8);
    store.SetInt(res::kSectionSettings, "MRU", 40);
    EXPECT_EQ(LoadMruCount(store), 16);
    store.SetInt(res::kSectionSettings, "MRU", -2);
    EXPECT_EQ(LoadMruCount(store), 0);
}

TEST(CommandRules, TheEnablingTable) {
    using namespace res;
    ViewState empty;
    EXPECT_TRUE(IsViewCommandEnabled(ID_OPEN_FOLDER, empty));
    EXPECT_TRUE(IsViewCommandEnabled(ID_PREFERENCES, empty));
    for (int id : {ID_START_SLIDE_SHOW, ID_MAKE_THUMBS, ID_SHOW_DETAILS, ID_REFRESH, ID_CLOSE_VIEW,
                   ID_DELETE_THUMB, ID_MOVE_RENAME_THUMB}) {
        EXPECT_FALSE(IsViewCommandEnabled(id, empty)) << id;
    }
    ViewState full{false, false, true};
    for (int id : {ID_START_SLIDE_SHOW, ID_MAKE_THUMBS, ID_SHOW_DETAILS, ID_REFRESH, ID_CLOSE_VIEW,
                   ID_DELETE_THUMB, ID_MOVE_RENAME_THUMB, ID_OPEN_FOLDER, ID_PREFERENCES}) {
        EXPECT_TRUE(IsViewCommandEnabled(id, full)) << id;
    }
    ViewState show{false, true, true};
    EXPECT_TRUE(IsViewCommandEnabled(ID_DELETE_THUMB, show)) << "delete works during a show";
    EXPECT_FALSE(IsViewCommandEnabled(ID_OPEN_FOLDER, show));
    EXPECT_FALSE(IsViewCommandEnabled(ID_PREFERENCES, show));
    EXPECT_FALSE(IsViewCommandEnabled(ID_REFRESH, show));
    EXPECT_FALSE(IsViewCommand(ID_APP_ABOUT));
}

namespace {

PrefsChoice ChoiceFrom(const ViewPrefs& p) {
    PrefsChoice c;
    c.sliderPosition = p.pitch;
    c.useDefaultColor = p.defaultColors;
    c.back = p.back;
    c.text = p.text;
    c.showDim = p.showDim;
    c.showFileName = p.showFileName;
    c.showFileSize = p.showFileSize;
    c.showFileDate = p.showFileDate;
    c.sortOption = p.sortOption;
    c.sortStyle = p.sortStyle;
    c.random = p.random;
    c.slideInterval = std::to_string(p.slideTime);
    c.mruCount = "8";
    return c;
}

}  // namespace

TEST_F(ViewPrefsTest, OddPitchIsStoredButAppliedEven) {
    ViewPrefs p = LoadViewPrefs(store, sys);
    int mru = 8;
    PrefsChoice c = ChoiceFrom(p);
    c.sliderPosition = 151;
    PrefsEffect e = ApplyPreferences(p, mru, c, store, sys, false);
    EXPECT_TRUE(e.rebuild);
    EXPECT_EQ(p.pitch, 150);
    EXPECT_EQ(p.thumbMax, 147);
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "Pitch", 0), 151);
    EXPECT_EQ(LoadViewPrefs(store, sys).thumbMax, 148) << "the next start uses 151 as it is";

    // The same position again rebuilds nothing; 151 against an applied 150 does.
    c.sliderPosition = 150;
    EXPECT_FALSE(ApplyPreferences(p, mru, c, store, sys, false).rebuild);
    c.sliderPosition = 151;
    EXPECT_TRUE(ApplyPreferences(p, mru, c, store, sys, false).rebuild);
}

TEST_F(ViewPrefsTest, UnchangedChoiceNeedsNoRepaint) {
    ViewPrefs p = LoadViewPrefs(store, sys);
    int mru = 8;
    PrefsEffect e = ApplyPreferences(p, mru, ChoiceFrom(p), store, sys, false);
    EXPECT_FALSE(e.repaint);
    EXPECT_FALSE(e.resort);
    EXPECT_FALSE(e.rebuild);
}

TEST_F(ViewPrefsTest, ColoursCaptionsAndSorting) {
    ViewPrefs p = LoadViewPrefs(store, sys);
    int mru = 8;
    PrefsChoice c = ChoiceFrom(p);
    c.useDefaultColor = 0;
    c.back = 0x123456;
    EXPECT_TRUE(ApplyPreferences(p, mru, c, store, sys, false).repaint);
    EXPECT_EQ(p.back, 0x123456u);
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "ColorCheck", 9), 0);
    c.useDefaultColor = 1;
    ApplyPreferences(p, mru, c, store, sys, false);
    EXPECT_EQ(p.back, sys.window) << "default colours replace the chosen ones";
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "BackColor", 0), static_cast<int>(sys.window));

    // Only the direction of an unsorted catalogue: stored, nothing re-sorted?
    c.sortStyle = 1;
    PrefsEffect e = ApplyPreferences(p, mru, c, store, sys, true);
    EXPECT_FALSE(e.resort) << "empty catalogue";
    c.sortStyle = 0;
    e = ApplyPreferences(p, mru, c, store, sys, false);
    EXPECT_TRUE(e.resort) << "a change with entries re-sorts (option None keeps the order)";
    c.showDim = 1;
    EXPECT_TRUE(ApplyPreferences(p, mru, c, store, sys, false).repaint);
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "ShowDim", 0), 1);
}

TEST_F(ViewPrefsTest, IntervalAndRecentCountAsTyped) {
    ViewPrefs p = LoadViewPrefs(store, sys);
    int mru = 8;
    PrefsChoice c = ChoiceFrom(p);
    c.slideInterval = "0.5";
    c.mruCount = "20";
    ApplyPreferences(p, mru, c, store, sys, false);
    EXPECT_EQ(p.slideTime, 0) << "the leading integer for the rest of the run";
    EXPECT_EQ(store.GetString(res::kSectionSettings, "SlideTime", ""), "0.5");
    EXPECT_EQ(LoadViewPrefs(store, sys).slideTime, 1) << "read as 1 at the next start";
    EXPECT_EQ(mru, 16);
    EXPECT_EQ(store.GetInt(res::kSectionSettings, "MRU", 0), 16);
    c.slideInterval = "abc";
    c.mruCount = "x";
    ApplyPreferences(p, mru, c, store, sys, false);
    EXPECT_EQ(p.slideTime, 0) << "unchanged without a number";
    EXPECT_EQ(mru, 16);
    EXPECT_EQ(store.GetString(res::kSectionSettings, "SlideTime", ""), "abc");
}
