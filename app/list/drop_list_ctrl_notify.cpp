// What the image list tells its parent: selection and focus changes, header clicks and moves.

#include <QHeaderView>
#include <QItemSelectionModel>

#include "drop_list_ctrl.h"
#include "image_list_view.h"
#include "ui/window_api.h"

void CDropListCtrl::ConnectNotifications() {
    QItemSelectionModel* selection = view_->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, this,
                     [this](const QItemSelection& selected, const QItemSelection& deselected) {
                         for (const QModelIndex& index : selected.indexes()) {
                             if (index.column() == 0) {
                                 NotifySelectionChange(index.row(), LVIS_SELECTED, true);
                             }
                         }
                         for (const QModelIndex& index : deselected.indexes()) {
                             if (index.column() == 0) {
                                 NotifySelectionChange(index.row(), LVIS_SELECTED, false);
                             }
                         }
                     });
    QObject::connect(selection, &QItemSelectionModel::currentRowChanged, this,
                     [this](const QModelIndex& current, const QModelIndex& previous) {
                         if (previous.isValid()) {
                             NotifySelectionChange(previous.row(), LVIS_FOCUSED, false);
                         }
                         if (current.isValid()) {
                             NotifySelectionChange(current.row(), LVIS_FOCUSED, true);
                         }
                     });
    QObject::connect(view_->header(), &QHeaderView::sectionClicked, this,
                     [this](int column) { NotifyParent(LVN_COLUMNCLICK, -1, column); });
}

void CDropListCtrl::NotifySelectionChange(int row, UINT changedBit, bool nowSet) {
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    const UINT state = RowState(row);
    const UINT newState = nowSet ? state | changedBit : state & ~changedBit;
    const UINT oldState = nowSet ? newState & ~changedBit : newState | changedBit;
    NotifyParent(LVN_ITEMCHANGED, row, 0, newState, oldState);
}

void CDropListCtrl::NotifyParent(UINT code, int row, int column, UINT newState, UINT oldState) {
    NMLISTVIEW notice;
    notice.hdr.hwndFrom = GetSafeHwnd();
    notice.hdr.idFrom = IDC_IMAGE_LIST;
    notice.hdr.code = code;
    notice.iItem = row;
    notice.iSubItem = column;
    notice.uNewState = newState;
    notice.uOldState = oldState;
    SendMessage(GetParent(GetSafeHwnd()), WM_NOTIFY, IDC_IMAGE_LIST,
                reinterpret_cast<LPARAM>(&notice));
}
