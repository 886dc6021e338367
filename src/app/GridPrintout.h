#pragma once
// Printing the grid: the screen layout, page after page, through the view's
// own drawing.

#include <wx/print.h>

namespace pixfold {

class CPixfoldView;

class CGridPrintout : public wxPrintout {
  public:
    explicit CGridPrintout(CPixfoldView* view);

    void OnPreparePrinting() override;
    bool OnPrintPage(int page) override;
    bool HasPage(int page) override { return page >= 1 && page <= m_pages; }
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

    int PageCount() const { return m_pages; }

  private:
    // The screen's size on paper, made smaller when whole rows would not
    // fit the page's width otherwise.
    void MapGridToPage();
    int GridWidth() const;

    CPixfoldView* m_view;
    int m_pages = 1;
    int m_pageHeight = 1;  // in screen pixels
};

}  // namespace pixfold
