#include "catalog/ViewModel.h"

#include <algorithm>

#include "catalog/SlideShow.h"

namespace pixfold {

GridLook ViewModel::Look() const {
    GridLook look;
    look.pitch = m_prefs.pitch;
    look.cols = m_nCols;
    look.back = m_prefs.back;
    look.text = m_prefs.text;
    look.showDim = m_prefs.showDim != 0;
    look.showName = m_prefs.showFileName != 0;
    look.showSize = m_prefs.showFileSize != 0;
    look.showDate = m_prefs.showFileDate != 0;
    look.outlineCaptions = m_options.outlineCaptions;
    return look;
}

ViewState ViewModel::State(bool slideWindowOpen) const {
    ViewState s;
    s.catalogEmpty = m_list.empty();
    s.slideShowRunning = slideWindowOpen;
    s.hasSelection = m_pSelected != nullptr;
    return s;
}

ScanSettings ViewModel::CurrentScanSettings(uint64_t cacheLimit) const {
    ScanSettings settings;
    settings.pitch = m_prefs.pitch;
    settings.sortOption = m_prefs.sortOption;
    settings.sortStyle = m_prefs.sortStyle;
    settings.cacheLimit = cacheLimit;
    settings.options = m_options;
    return settings;
}

void ViewModel::Sort() {
    SortCatalog(m_list, m_prefs.sortOption, m_prefs.sortStyle, m_options.Rules());
}

void ViewModel::StartShow() {
    m_show.m_bSlidePaused = 0;
    m_show.m_bSlideRunning = 0;
    m_show.m_nLastSlide = -1;
}

ThumbRecord* ViewModel::NextSlide(bool first) {
    if (m_list.empty()) {
        return nullptr;
    }
    SlideShowState& s = m_show;
    if (m_prefs.random) {
        const int i =
            GetRandomSlide(first, m_list.size(), s.m_strSlideMarks, s.m_nLastSlide, s.m_rand);
        return i < 0 ? nullptr : &m_list.at(static_cast<size_t>(i));
    }
    if (first || !s.m_posSlide || !m_list.Contains(s.m_posSlide)) {
        s.m_posSlide = m_list.head();
    }
    ThumbRecord* record = s.m_posSlide;
    const long index = m_list.IndexOf(record);
    s.m_posSlide = static_cast<size_t>(index + 1) < m_list.size()
                       ? &m_list.at(static_cast<size_t>(index + 1))
                       : nullptr;
    return record;
}

ThumbRecord* ViewModel::PreviousSlide(const ThumbRecord* shown) {
    if (m_list.empty()) {
        return nullptr;
    }
    const long n = static_cast<long>(m_list.size());
    const long i = shown ? std::max(m_list.IndexOf(shown), 0L) : 0;
    m_show.m_posSlide = &m_list.at(static_cast<size_t>(i));
    return &m_list.at(static_cast<size_t>((i + n - 1) % n));
}

void ViewModel::Remove(ThumbRecord* record) {
    const long index = m_list.IndexOf(record);
    if (index < 0) {
        return;
    }
    if (m_pSelected == record) {
        m_pSelected = nullptr;
    }
    SlideShowState& s = m_show;
    // The show goes on from the entry after the one that leaves.
    if (s.m_posSlide == record) {
        s.m_posSlide = static_cast<size_t>(index + 1) < m_list.size()
                           ? &m_list.at(static_cast<size_t>(index + 1))
                           : nullptr;
    }
    if (static_cast<size_t>(index) < s.m_strSlideMarks.size()) {
        s.m_strSlideMarks.erase(static_cast<size_t>(index), 1);
    }
    if (s.m_nLastSlide == index) {
        s.m_nLastSlide = -1;
    } else if (s.m_nLastSlide > index) {
        --s.m_nLastSlide;
    }
    m_list.Remove(record);
}

}  // namespace pixfold
