// The view's Make Thumbs command: options dialog, then the publishing run.

#include <ctime>

#include "app/PixfoldView.h"
#include "platform/Shell.h"
#include "publish/MakeThumbsDlg.h"
#include "publish/Publish.h"
#include "res/CommandIds.h"
#include "res/WxIds.h"

namespace pixfold {

void CPixfoldView::OnMakeThumbs() {
    if (m_model.m_list.empty()) {
        return;
    }
    const std::string imagesFolder = m_model.m_list.head()->m_strFolder;
    PublishOptions o =
        LoadPublishOptions(m_store, imagesFolder, static_cast<uint32_t>(m_model.m_prefs.thumbMax));
    CMakeThumbsDlg dlg(this, m_store, imagesFolder, m_model.m_pSelected != nullptr);
    dlg.m_nSizeLimit = o.sizeLimit;
    dlg.m_bHtml = o.html;
    dlg.m_nPrepend = o.prepend;
    dlg.m_bHref = o.href;
    dlg.m_strHtmlPath = o.htmlPath;
    dlg.m_bDoAll = o.doAll;
    dlg.m_nRowCount = static_cast<unsigned>(o.rowCount);
    dlg.m_bTable = o.table;
    dlg.m_strThumbFolder = o.folder;
    const int result = dlg.ShowModal();
    if (result != wxID_OK) {
        return;
    }
    WaitCursor wait;
    o.sizeLimit = dlg.m_nSizeLimit;
    o.html = dlg.m_bHtml;
    o.prepend = dlg.m_nPrepend;
    o.href = dlg.m_bHref;
    o.htmlPath = dlg.m_strHtmlPath;
    o.doAll = dlg.m_bDoAll;
    o.rowCount = static_cast<int>(dlg.m_nRowCount);
    o.table = dlg.m_bTable;
    o.folder = dlg.m_strThumbFolder;
    o.replaceOriginals = dlg.m_bOverwriteApproved != 0;
    o.upright = m_model.m_options.upright;
    StorePublishOptions(m_store, o);
    Publish(m_model.m_list, m_model.m_pSelected, o, std::time(nullptr), [this] { Reload(true); });
}

}  // namespace pixfold
