// The view's More Options command.

#include "app/PixfoldView.h"
#include "dialogs/MoreOptionsDlg.h"
#include "res/CommandIds.h"

namespace pixfold {

void CPixfoldView::OnMoreOptions() {
    if (!IsCommandEnabled(res::ID_MORE_OPTIONS)) {
        return;
    }
    CMoreOptionsDlg dlg(this);
    dlg.m_options = m_model.m_options;
    dlg.TransferDataToWindow();
    const int result = dlg.ShowModal();
    if (result != wxID_OK) {
        return;
    }
    ApplyMoreOptions(dlg.m_options);
}

void CPixfoldView::ApplyMoreOptions(const MoreOptions& options) {
    const MoreOptions old = m_model.m_options;
    m_model.m_options = options;
    StoreMoreOptions(m_store, options);
    // Turning, dates taken and the order are settled by a scan.
    if (!old.SameScan(options)) {
        Reload(false);
    } else if (old.outlineCaptions != options.outlineCaptions) {
        Refresh();
    }
}

}  // namespace pixfold
