#pragma once
// What the grid shows and the rules that change it, with no window: the
// catalogue, the selection, the preferences and where a slide show stands.
// The grid window draws it and routes events to it; image windows reach it
// through ImageHost.

#include <string>

#include "catalog/CommandRules.h"
#include "catalog/FolderScan.h"
#include "catalog/Grid.h"
#include "catalog/MoreOptions.h"
#include "catalog/ThumbCatalog.h"
#include "catalog/ViewPrefs.h"
#include "platform/CrtRand.h"

namespace pixfold {

struct SlideShowState {
    ThumbRecord* m_posSlide = nullptr;  // shown next in order; null: the head
    std::string m_strSlideMarks;        // random order: '1' per record shown this round
    int m_bSlideRunning = 0;            // the first picture is up
    int m_nLastSlide = -1;              // random order: the record shown last
    int m_bSlidePaused = 0;
    CrtRand m_rand;
};

class ViewModel {
  public:
    ViewPrefs m_prefs;
    MoreOptions m_options;
    ThumbCatalog m_list;
    int m_nCols = 1;
    int m_nRows = 0;
    ThumbRecord* m_pSelected = nullptr;
    SlideShowState m_show;

    GridLook Look() const;
    // The state the command rules judge; whether a show's window is up is
    // the caller's to say.
    ViewState State(bool slideWindowOpen) const;
    ScanSettings CurrentScanSettings(uint64_t cacheLimit) const;
    void Sort();

    // A show starts: nothing shown yet and nothing paused.
    void StartShow();
    // The show's next record (first: from its start), or null when none is
    // left in order (or the catalogue is empty).
    ThumbRecord* NextSlide(bool first);
    // The record before `shown` (null: the head), round the catalogue; the
    // show then goes on from `shown`. Null for an empty catalogue.
    ThumbRecord* PreviousSlide(const ThumbRecord* shown);
    // Takes a record out of the catalogue, keeping the selection and the
    // show valid. The record is released.
    void Remove(ThumbRecord* record);
};

}  // namespace pixfold
