#pragma once

// ImageRowModel: the image list's rows, the list's only store. Each row holds the five column
// texts, the icon of its file type and a serial number given when it was added, which stays
// with the row through every sort and move, so work started for a row can find it again.
//
// The model changes only through its own operations, each of which tells the view once per
// batch (one insertion, one removal per run of adjacent rows, one layout change, one data
// change), so large lists stay quick. GUI thread only.

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct ImageRow {
    static constexpr int kColumns = 5;
    std::array<std::wstring, kColumns> text;
    QIcon icon;  // shown in column 0
    std::uint64_t serial = 0;
};

class ImageRowModel : public QAbstractTableModel {
public:
    explicit ImageRowModel(QObject* parent = nullptr);

    void SetHeaderTexts(const std::array<QString, ImageRow::kColumns>& texts);

    int Count() const { return static_cast<int>(rows_.size()); }
    // "" for a row or column out of range.
    const std::wstring& Text(int row, int column) const;
    void SetText(int row, int column, std::wstring text);
    // Sets column of each of rows (any order) to text.
    void SetTexts(const std::vector<int>& rows, int column, const std::wstring& text);
    // The row that carries serial, or -1 when it has been removed.
    int RowOfSerial(std::uint64_t serial) const;
    std::uint64_t SerialOf(int row) const { return rows_.at(row).serial; }

    void Append(std::vector<ImageRow> rows);
    // Removes the given rows (ascending, no repeats).
    void Remove(const std::vector<int>& rows);
    void RemoveAll();
    // Puts the rows in order: order[i] is the current index of the row that goes to place i.
    // Selections and other persistent indexes move with their rows.
    void Reorder(const std::vector<int>& order);
    // Column 0 of row i becomes i + 1.
    void Renumber();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ColumnChanged(int firstRow, int lastRow, int column);

    std::vector<ImageRow> rows_;
    std::array<QString, ImageRow::kColumns> headers_;
    // Serial -> row, rebuilt on the first look-up after rows were removed or moved.
    mutable std::unordered_map<std::uint64_t, int> serialRows_;
    mutable bool serialRowsStale_ = false;
};
