#include <gtest/gtest.h>

#include <memory>

#include "catalog/ViewModel.h"

using namespace pixfold;

namespace {

void Fill(ViewModel& m, int n) {
    for (int i = 0; i < n; ++i) {
        auto r = std::make_unique<ThumbRecord>();
        r->m_strTitle = std::string(1, static_cast<char>('a' + i));
        m.m_list.Append(std::move(r));
    }
}

ThumbRecord* At(ViewModel& m, size_t i) {
    return &m.m_list.at(i);
}

}  // namespace

TEST(ViewModel, ShowInOrderRunsToTheEndAndStartsAgainFromTheHead) {
    ViewModel m;
    EXPECT_EQ(m.NextSlide(true), nullptr) << "nothing to show";
    Fill(m, 3);
    EXPECT_EQ(m.NextSlide(true), At(m, 0));
    EXPECT_EQ(m.NextSlide(false), At(m, 1));
    EXPECT_EQ(m.NextSlide(false), At(m, 2));
    // Past the end the show takes the head again.
    EXPECT_EQ(m.NextSlide(false), At(m, 0));
    m.m_show.m_bSlidePaused = 1;
    m.StartShow();
    EXPECT_EQ(m.m_show.m_bSlidePaused, 0);
    EXPECT_EQ(m.NextSlide(true), At(m, 0)) << "a new show starts at the head";
    // Back from the head goes round to the last; the show goes on after the one shown.
    EXPECT_EQ(m.PreviousSlide(At(m, 0)), At(m, 2));
    EXPECT_EQ(m.NextSlide(false), At(m, 0));
    EXPECT_EQ(m.PreviousSlide(At(m, 2)), At(m, 1));
}

TEST(ViewModel, RemovingKeepsSelectionAndShowValid) {
    ViewModel m;
    Fill(m, 4);
    m.m_pSelected = At(m, 1);
    m.NextSlide(true);  // shows a, b is next
    ThumbRecord* c = At(m, 2);
    m.m_show.m_strSlideMarks = "0110";
    m.m_show.m_nLastSlide = 3;
    m.Remove(At(m, 1));
    EXPECT_EQ(m.m_pSelected, nullptr) << "the selected record left";
    EXPECT_EQ(m.m_show.m_posSlide, c) << "the show goes on from the one after";
    EXPECT_EQ(m.m_show.m_strSlideMarks, "010");
    EXPECT_EQ(m.m_show.m_nLastSlide, 2) << "the last shown keeps its record";
    m.Remove(At(m, 2));
    EXPECT_EQ(m.m_show.m_nLastSlide, -1) << "the last shown left";
    EXPECT_EQ(m.m_list.size(), 2u);
    m.Remove(nullptr);  // not in the catalogue: nothing happens
    EXPECT_EQ(m.m_list.size(), 2u);
    // The last record leaving with the show on it: the show starts again at the head.
    ViewModel one;
    Fill(one, 2);
    one.NextSlide(true);
    one.NextSlide(false);  // b shown, nothing after it
    EXPECT_EQ(one.m_show.m_posSlide, nullptr);
    one.Remove(At(one, 1));
    EXPECT_EQ(one.NextSlide(false), At(one, 0));
}

TEST(ViewModel, StateAndLookFollowTheModel) {
    ViewModel m;
    EXPECT_TRUE(m.State(false).catalogEmpty);
    Fill(m, 2);
    m.m_pSelected = At(m, 0);
    const ViewState s = m.State(true);
    EXPECT_FALSE(s.catalogEmpty);
    EXPECT_TRUE(s.hasSelection);
    EXPECT_TRUE(s.slideShowRunning);
    m.m_prefs.pitch = 150;
    m.m_prefs.showFileName = 0;
    m.m_prefs.showFileDate = 1;
    m.m_nCols = 4;
    const GridLook look = m.Look();
    EXPECT_EQ(look.pitch, 150);
    EXPECT_EQ(look.cols, 4);
    EXPECT_FALSE(look.showName);
    EXPECT_TRUE(look.showDate);
    EXPECT_EQ(m.CurrentScanSettings(7).pitch, 150);
    EXPECT_EQ(m.CurrentScanSettings(7).cacheLimit, 7u);
}
