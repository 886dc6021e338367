#include "app/GridPrintout.h"

#include "app/PixfoldView.h"

#include <algorithm>

namespace pixfold {

CGridPrintout::CGridPrintout(CPixfoldView* view) : wxPrintout("Pixfold"), m_view(view) {}

int CGridPrintout::GridWidth() const {
    if (m_view->Model().m_list.empty()) {
        return std::max(1, m_view->GetClientSize().x);
    }
    return std::max(1, m_view->Model().m_prefs.pitch * m_view->Model().m_nCols);
}

void CGridPrintout::MapGridToPage() {
    // One screen pixel takes the room on paper it takes on the screen, unless
    // the rows are wider than the page: then the whole layout is scaled down
    // evenly, so that no column is cut off.
    MapScreenSizeToPage();
    const wxRect page = GetLogicalPageRect();
    const int width = GridWidth();
    if (width > page.width && page.width > 0) {
        double sx = 1, sy = 1;
        GetDC()->GetUserScale(&sx, &sy);
        const double f = static_cast<double>(page.width) / width;
        GetDC()->SetUserScale(sx * f, sy * f);
    }
}

void CGridPrintout::OnPreparePrinting() {
    MapGridToPage();
    const wxRect page = GetLogicalPageRect();
    // Whole rows per page, so that no cell is cut in two.
    const int pitch = m_view->Model().m_prefs.pitch > 0 ? m_view->Model().m_prefs.pitch : 1;
    const int rowsPerPage = std::max(1, page.height / pitch);
    m_pageHeight = rowsPerPage * pitch;
    const int rows = m_view->Model().m_list.empty() ? 1 : m_view->Model().m_nRows;
    m_pages = std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);
}

void CGridPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    *minPage = 1;
    *maxPage = m_pages;
    *pageFrom = 1;
    *pageTo = m_pages;
}

bool CGridPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc) {
        return false;
    }
    MapGridToPage();
    const int top = (page - 1) * m_pageHeight;
    dc->SetLogicalOrigin(0, top);
    dc->SetClippingRegion(0, top, GridWidth(), m_pageHeight);
    m_view->OnDraw(*dc);
    dc->DestroyClippingRegion();
    return true;
}

}  // namespace pixfold
