// The view's commands on the files behind the thumbnails: delete, move or
// rename, refresh, close view and the details export.

#include <unistd.h>

#include "app/PixfoldApp.h"
#include "app/PixfoldDoc.h"
#include "app/PixfoldView.h"
#include "fileops/Details.h"
#include "fileops/FileOps.h"
#include "platform/Shell.h"
#include "platform/TextUtil.h"
#include "platform/Trash.h"
#include "res/CommandIds.h"
#include "res/WxIds.h"

namespace pixfold {

void CPixfoldView::BindFileCommands() {
    auto on = [this](int id, void (CPixfoldView::*handler)()) {
        Bind(
            wxEVT_MENU,
            [this, id, handler](wxCommandEvent&) {
                // Commands arrive from keys too; they run only when enabled.
                if (IsCommandEnabled(id)) {
                    (this->*handler)();
                }
            },
            res::ToWxId(id));
    };
    on(res::ID_DELETE_THUMB, &CPixfoldView::OnDeleteThumb);
    on(res::ID_MOVE_RENAME_THUMB, &CPixfoldView::OnMoveRenameThumb);
    on(res::ID_REFRESH, &CPixfoldView::OnRefresh);
    on(res::ID_CLOSE_VIEW, &CPixfoldView::OnCloseView);
    on(res::ID_SHOW_DETAILS, &CPixfoldView::OnShowDetails);
    on(res::ID_MAKE_THUMBS, &CPixfoldView::OnMakeThumbs);
}

void CPixfoldView::RemoveAndRelayout(ThumbRecord* record) {
    RemoveRecord(record);
    m_model.m_pSelected = nullptr;
    SetScrolls();
    Refresh();
}

void CPixfoldView::OnDeleteThumb() {
    if (m_model.m_options.deleteToTrash) {
        TrashSelected();
        return;
    }
    ThumbRecord* record = m_model.m_pSelected;
    if (!record || !ConfirmWithSuppress(m_store, res::kNoDelDlg, kDeleteQuestion)) {
        return;
    }
    if (!DeleteFileAt(record->m_strPath).ok) {
        Shell::Current().AppMessage(Format("Could not delete file\n%s", record->m_strPath.c_str()));
        return;
    }
    RemoveAndRelayout(record);
}

void CPixfoldView::TrashSelected() {
    ThumbRecord* record = m_model.m_pSelected;
    if (!record ||
        !ConfirmWithSuppress(m_store, res::kNoTrashDlg, TrashQuestion(record->m_strPath))) {
        return;
    }
    Shell& shell = Shell::Current();
    const TrashResult trashed = MoveToTrash(record->m_strPath);
    if (trashed.status == TrashStatus::NoTrash) {
        // Nothing is deleted for good without its own question.
        if (shell.AppMessage(NoTrashQuestion(record->m_strPath, trashed.reason),
                             MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return;
        }
        if (!DeleteFileAt(record->m_strPath).ok) {
            shell.AppMessage(Format("Could not delete file\n%s", record->m_strPath.c_str()));
            return;
        }
    } else if (trashed.status == TrashStatus::Failed) {
        shell.AppMessage(Format("Could not move the file to the Trash\n%s\n\n%s",
                                record->m_strPath.c_str(), trashed.reason.c_str()));
        return;
    }
    RemoveAndRelayout(record);
}

void CPixfoldView::OnMoveRenameThumb() {
    ThumbRecord* record = m_model.m_pSelected;
    if (!record) {
        return;
    }
    const ChooserFilter f = FilterForExtension(record->m_strExt);
    Shell::SaveAsRequest request;
    request.initialPath = record->m_strPath;
    request.defaultExt = f.defaultExt;
    request.filter = f.filter;
    request.overwritePrompt = false;
    request.changeFolder = true;
    std::string chosen;
    if (!Shell::Current().ChooseSaveAs(request, &chosen)) {
        return;
    }
    if (CanOpenForReading(chosen)) {
        Shell::Current().AppMessage(
            Format("The file name you chose\n%s\nis a file that already exists.\n\nPlease choose a "
                   "different name.",
                   chosen.c_str()));
        return;
    }
    const FileOpResult moved = MoveFileNoReplace(record->m_strPath, chosen, m_moveMode);
    if (!moved.ok) {
        Shell::Current().AppMessage(Format("Could not move or rename file\n%s\n\n%s",
                                           record->m_strPath.c_str(), moved.Reason().c_str()));
        return;
    }
    if (ApplyMoveToRecord(*record, chosen) == RenameKind::Renamed) {
        Refresh();
        return;
    }
    RemoveAndRelayout(record);
}

void CPixfoldView::Reload(bool showMessage) {
    if (m_model.m_list.empty()) {
        return;
    }
    const std::string folder = m_model.m_list.head()->m_strFolder;
    m_model.m_list.Clear();
    m_model.m_pSelected = nullptr;
    if (showMessage) {
        Shell::Current().AppMessage("Images have changed and will be reloaded now.");
    }
    OpenFolder(folder);
}

void CPixfoldView::OnRefresh() {
    Reload(false);
}

void CPixfoldView::OnCloseView() {
    m_model.m_list.Clear();
    m_model.m_pSelected = nullptr;
    m_model.m_show.m_posSlide = nullptr;
    // The empty grid's scroll sizes, not the old folder's.
    SetScrolls();
    Refresh();
    m_pDocument->OnNewDocument();
}

void CPixfoldView::OnShowDetails() {
    if (m_model.m_list.empty()) {
        return;
    }
    const std::string name = "details.txt";
    if (!WriteDetailsFile(m_model.m_list, name)) {
        Shell::Current().AppMessage("Error opening file.");
        return;
    }
    char cwd[4096];
    const std::string full = getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + name : name;
    Shell::Current().OpenWithSystem(full);  // its result is not examined
}

}  // namespace pixfold
