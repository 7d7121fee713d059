#include "drop_list_ctrl.h"

#include <QHeaderView>
#include <algorithm>

#include "basalt/basalt.h"
#include "engine/conversion_job.h"
#include "file_icon.h"
#include "folder_files.h"
#include "image_list_view.h"
#include "image_row_model.h"
#include "platform/file_io.h"
#include "row_order.h"
#include "size_probe.h"
#include "ui/window_api.h"

namespace {

constexpr int kUsageDrop = 107;
constexpr int kUsageSort = 108;

struct ColumnSpec {
    const wchar_t* textId;
    int width;
};
constexpr ColumnSpec kColumns[ImageRow::kColumns] = {
    {L"200010", 60}, {L"200011", 150}, {L"200012", 240}, {L"100030", 60}, {L"100031", 120}};

bool IsAccepted(const std::wstring& path) {
    return engine::ConversionJob::IsAcceptedImage(path);
}

}  // namespace

CDropListCtrl::CDropListCtrl(HWND parent)
    : CControlWindow(parent, IDC_IMAGE_LIST, std::make_unique<ImageListView>()),
      view_(static_cast<ImageListView*>(Control())),
      model_(new ImageRowModel(view_)),
      probe_(std::make_unique<SizeProbe>(GetSafeHwnd(), kProbeResultsMessage)) {
    view_->setModel(model_);
    SetUpColumns();
    ConnectNotifications();
    view_->SetHooks({[this](int hitRow) { MoveRowsBefore(hitRow); },
                     [this](const std::vector<std::wstring>& paths) {
                         DroppedFiles files{paths};
                         SendMessage(GetParent(GetSafeHwnd()), WM_DROPFILES,
                                     reinterpret_cast<WPARAM>(&files), 0);
                     }});
}

CDropListCtrl::~CDropListCtrl() {
    probe_.reset();  // workers stop taking claims; their results go nowhere
    view_->SetHooks({});
    QObject::disconnect(view_->selectionModel(), nullptr, this, nullptr);
    QObject::disconnect(view_->header(), nullptr, this, nullptr);
    DestroyWindow(GetSafeHwnd());
}

void CDropListCtrl::SetUpColumns() {
    std::array<QString, ImageRow::kColumns> texts;
    for (int column = 0; column < ImageRow::kColumns; ++column) {
        const wchar_t* text = GetTextByID(kColumns[column].textId, nullptr, nullptr, nullptr);
        texts[column] = text ? QString::fromWCharArray(text) : QString();
    }
    model_->SetHeaderTexts(texts);
    for (int column = 0; column < ImageRow::kColumns; ++column) {
        view_->header()->resizeSection(column, kColumns[column].width);
    }
}

int CDropListCtrl::AddFile(const std::wstring& path) {
    return AppendFiles({path}) == 1 ? GetItemCount() - 1 : -1;
}

int CDropListCtrl::AddFolder(const std::wstring& folder, bool recurse) {
    const FolderFiles found = ListFolderFiles(folder, recurse, IsAccepted);
    AppendFiles(found.files);
    return found.ownLevelCount;
}

void CDropListCtrl::AddDroppedPaths(const std::vector<std::wstring>& paths) {
    RecordF(kUsageDrop, L"%d", static_cast<int>(paths.size()));
    std::vector<std::wstring> files;
    for (const std::wstring& path : paths) {
        if (platform::KindOf(path) == platform::PathKind::kFolder) {
            const FolderFiles found = ListFolderFiles(path, true, IsAccepted);
            files.insert(files.end(), found.files.begin(), found.files.end());
        } else {
            files.push_back(path);
        }
    }
    AppendFiles(files);
}

int CDropListCtrl::AppendFiles(const std::vector<std::wstring>& paths) {
    const bool wasEmpty = GetItemCount() == 0;
    std::vector<ImageRow> rows;
    for (const std::wstring& path : paths) {
        if (IsAccepted(path)) {
            rows.push_back(MakeRow(path, GetItemCount() + static_cast<int>(rows.size()) + 1));
        }
    }
    const int added = static_cast<int>(rows.size());
    model_->Append(std::move(rows));
    if (wasEmpty && added > 0) {
        SelectRow(0);
    }
    return added;
}

ImageRow CDropListCtrl::MakeRow(const std::wstring& path, int position) {
    ImageRow row;
    row.text[kColumnPosition] = std::to_wstring(position);
    const size_t slash = path.rfind(L'/');
    if (slash != std::wstring::npos) {
        row.text[kColumnName] = path.substr(slash + 1);
        row.text[kColumnFolder] = path.substr(0, slash + 1);
    }
    row.icon = FileTypeIcon(path);
    row.serial = nextSerial_++;
    return row;
}

void CDropListCtrl::RemoveSelected() {
    model_->Remove(GetSelectedRows());
    if (GetItemCount() > 0) {
        Renumber();
    }
}

void CDropListCtrl::RemoveAll() {
    model_->RemoveAll();
}

void CDropListCtrl::Renumber() {
    model_->Renumber();
}

int CDropListCtrl::SortByHeader(int column, int sortState) {
    const int newState = NextSortState(column, sortState);
    std::vector<std::wstring> keys;
    keys.reserve(GetItemCount());
    for (int row = 0; row < GetItemCount(); ++row) {
        keys.push_back(column == kColumnFolder ? GetFullPath(row) : GetItemText(row, column));
    }
    RecordF(kUsageSort, L"%d,%d", GetItemCount(), newState);
    model_->Reorder(NaturalOrder(keys, newState <= 0));
    Renumber();
    return newState;
}

void CDropListCtrl::MoveRowsBefore(int hitRow) {
    const int target = hitRow >= 0 ? hitRow : GetItemCount() + 1;
    std::vector<bool> moving(GetItemCount());
    for (int row = 0; row < GetItemCount(); ++row) {
        moving[row] = RowState(row) != 0;
    }
    model_->Reorder(NaturalOrder(MoveKeys(moving, target), false));
    NotifyParent(LVN_ROWSMOVED, hitRow);
}

int CDropListCtrl::GetItemCount() const {
    return model_->Count();
}

std::wstring CDropListCtrl::GetItemText(int row, int column) const {
    return model_->Text(row, column);
}

std::wstring CDropListCtrl::GetFullPath(int row) const {
    return model_->Text(row, kColumnFolder) + model_->Text(row, kColumnName);
}

std::vector<int> CDropListCtrl::GetSelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CDropListCtrl::SelectRow(int row) {
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    view_->selectionModel()->setCurrentIndex(
        model_->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

UINT CDropListCtrl::RowState(int row) const {
    const QItemSelectionModel* selection = view_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    return (selection->isRowSelected(row) ? LVIS_SELECTED : 0) |
           (current.isValid() && current.row() == row ? LVIS_FOCUSED : 0);
}
