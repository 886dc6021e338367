#include "app/PixfoldDoc.h"

#include "app/PixfoldView.h"

namespace pixfold {

bool CPixfoldDoc::OnNewDocument() {
    m_strPathName.clear();
    return true;
}

bool CPixfoldDoc::OnOpenDocument(const std::string& path) {
    if (m_pView && !m_pView->m_pSlideWnd) {
        m_pView->OpenFolder(path);
    }
    return true;
}

void CPixfoldDoc::SetPathName(const std::string& path, bool addToRecent) {
    m_strPathName = path;
    if (addToRecent && m_addToRecent) {
        m_addToRecent(path);
    }
}

}  // namespace pixfold
