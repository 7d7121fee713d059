#include "image_row_model.h"

#include <algorithm>

namespace {
const std::wstring kNoText;
}

ImageRowModel::ImageRowModel(QObject* parent) : QAbstractTableModel(parent) {}

void ImageRowModel::SetHeaderTexts(const std::array<QString, ImageRow::kColumns>& texts) {
    headers_ = texts;
    emit headerDataChanged(Qt::Horizontal, 0, ImageRow::kColumns - 1);
}

const std::wstring& ImageRowModel::Text(int row, int column) const {
    if (row < 0 || row >= Count() || column < 0 || column >= ImageRow::kColumns) {
        return kNoText;
    }
    return rows_[row].text[column];
}

void ImageRowModel::SetText(int row, int column, std::wstring text) {
    rows_.at(row).text.at(column) = std::move(text);
    ColumnChanged(row, row, column);
}

void ImageRowModel::SetTexts(const std::vector<int>& rows, int column, const std::wstring& text) {
    if (rows.empty()) {
        return;
    }
    for (int row : rows) {
        rows_.at(row).text.at(column) = text;
    }
    const auto [first, last] = std::minmax_element(rows.begin(), rows.end());
    ColumnChanged(*first, *last, column);
}

int ImageRowModel::RowOfSerial(std::uint64_t serial) const {
    if (serialRowsStale_) {
        serialRows_.clear();
        for (int row = 0; row < Count(); ++row) {
            serialRows_.emplace(rows_[row].serial, row);
        }
        serialRowsStale_ = false;
    }
    const auto found = serialRows_.find(serial);
    return found == serialRows_.end() ? -1 : found->second;
}

void ImageRowModel::Append(std::vector<ImageRow> rows) {
    if (rows.empty()) {
        return;
    }
    const int first = Count();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    for (ImageRow& row : rows) {
        if (!serialRowsStale_) {
            serialRows_.emplace(row.serial, Count());
        }
        rows_.push_back(std::move(row));
    }
    endInsertRows();
}

void ImageRowModel::Remove(const std::vector<int>& rows) {
    // Runs of adjacent rows from the last to the first, so earlier indexes stay valid.
    for (size_t end = rows.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1) {
            --begin;
        }
        beginRemoveRows({}, rows[begin], rows[end - 1]);
        rows_.erase(rows_.begin() + rows[begin], rows_.begin() + rows[end - 1] + 1);
        endRemoveRows();
        end = begin;
    }
    serialRowsStale_ = serialRowsStale_ || !rows.empty();
}

void ImageRowModel::RemoveAll() {
    beginResetModel();
    rows_.clear();
    serialRows_.clear();
    serialRowsStale_ = false;
    endResetModel();
}

void ImageRowModel::Reorder(const std::vector<int>& order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> placeOf(order.size());
    std::vector<ImageRow> sorted;
    sorted.reserve(order.size());
    for (size_t place = 0; place < order.size(); ++place) {
        placeOf[order[place]] = static_cast<int>(place);
        sorted.push_back(std::move(rows_[order[place]]));
    }
    rows_ = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        after.push_back(index.isValid() ? createIndex(placeOf[index.row()], index.column())
                                        : QModelIndex());
    }
    changePersistentIndexList(before, after);
    serialRowsStale_ = true;
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ImageRowModel::Renumber() {
    for (int row = 0; row < Count(); ++row) {
        rows_[row].text[0] = std::to_wstring(row + 1);
    }
    if (!rows_.empty()) {
        ColumnChanged(0, Count() - 1, 0);
    }
}

void ImageRowModel::ColumnChanged(int firstRow, int lastRow, int column) {
    emit dataChanged(index(firstRow, column), index(lastRow, column), {Qt::DisplayRole});
}

int ImageRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int ImageRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ImageRow::kColumns;
}

QVariant ImageRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) {
        return {};
    }
    const ImageRow& row = rows_[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdWString(row.text[index.column()]);
        case Qt::DecorationRole:
            return index.column() == 0 ? QVariant(row.icon) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ImageRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ImageRow::kColumns) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return headers_[section];
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags ImageRowModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
