#pragma once

// CDropListCtrl, the main window's image list: a report-style list (a Qt item view hosted as
// the child window 1000 of the window layer) whose row order is the page order. Columns: 0 the
// 1-based position, 1 the file name, 2 the folder with its trailing separator, 3 the horizontal
// resolution ("" not probed, "-" being probed or unreadable), 4 the size "W*H". A row's full
// path is column 2 followed by column 1; the rows are the list's only store.
//
// The list tells its parent by WM_NOTIFY (wParam 1000, lParam an NMLISTVIEW valid during the
// send): LVN_ITEMCHANGED when a row's selection or focus changes, LVN_COLUMNCLICK when a header
// is clicked (the list does not sort itself: the parent calls SortByHeader), LVN_ROWSMOVED
// (-199) when an internal drag has moved rows (iItem: the row under the drop point, -1 when
// none; the parent answers with Renumber). A drag moves the selected rows and the focused row,
// in their order, to just before the row under the release point, or to the end when there is
// none (also when released outside the list). Files and folders dropped on the list from a file
// manager reach the parent as WM_DROPFILES; the parent hands them to AddDroppedPaths.
//
// Every operation that adds or removes many rows changes the view once, so lists of tens of
// thousands of rows stay quick. GUI thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ui/control_window.h"

class ImageListView;
class ImageRowModel;
class SizeProbe;
struct ImageRow;

constexpr UINT IDC_IMAGE_LIST = 1000;

// WM_NOTIFY codes sent to the parent.
constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
constexpr UINT LVN_ROWSMOVED = static_cast<UINT>(-199);

// Row states in NMLISTVIEW.
constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;      // the row concerned; -1 for none
    int iSubItem = 0;    // LVN_COLUMNCLICK: the column
    UINT uNewState = 0;  // LVN_ITEMCHANGED: the row's new LVIS_ state
    UINT uOldState = 0;
};

// Files dropped from a file manager: wParam carries a const DroppedFiles* valid during the send.
constexpr UINT WM_DROPFILES = 0x0233;
struct DroppedFiles {
    std::vector<std::wstring> paths;  // full paths, in the order the drop listed them
};

enum ListColumn : int {
    kColumnPosition = 0,
    kColumnName = 1,
    kColumnFolder = 2,
    kColumnDpi = 3,
    kColumnSize = 4,
};

class CDropListCtrl : public CControlWindow {
public:
    // The list as child window IDC_IMAGE_LIST of parent, with its five columns (header texts
    // from the language files).
    explicit CDropListCtrl(HWND parent);
    ~CDropListCtrl() override;

    // Appends a row for path when its extension is accepted; the row index, or -1. The file is
    // not looked at; duplicates are allowed. The first row of an empty list becomes selected
    // and focused.
    int AddFile(const std::wstring& path);

    // Adds the folder's accepted files in the order the file system lists them, entering
    // subfolders depth first where they are met when recurse; linked folders are not followed.
    // The number of files added at the folder's own level; 0 for a folder that cannot be read.
    int AddFolder(const std::wstring& folder, bool recurse);

    // What a drop from the file manager does: usage event 107 with the count, then each path in
    // order: a folder with its subfolders, anything else as a file.
    void AddDroppedPaths(const std::vector<std::wstring>& paths);

    void RemoveSelected();  // then renumbers when rows remain
    void RemoveAll();
    void Renumber();  // column 0 of row i becomes i + 1

    // A click on header column given the current sort state: sorts the rows, renumbers, records
    // usage event 108 and returns the new sort state (kept by the caller).
    int SortByHeader(int column, int sortState);

    int GetItemCount() const;
    std::wstring GetItemText(int row, int column) const;  // "" for a row or column out of range
    std::wstring GetFullPath(int row) const;              // column 2 + column 1
    std::vector<int> GetSelectedRows() const;             // in row order
    void SelectRow(int row);                              // the only selected row, focused

    // Size probe, driven by the parent's timer: true when some row's column 3 is still empty.
    bool HasUnprobedRow() const;
    // Claims every unprobed row (column 3 becomes "-") and probes the claimed files on worker
    // threads, reading headers only. Each result lands on the row it was claimed for, wherever
    // that row has moved meanwhile, and is dropped when the row has been removed: column 3 the
    // horizontal resolution, column 4 "W*H"; an unreadable file keeps "-" and an empty size.
    // Never waits for a worker; destroying the list while probes run is safe.
    void StartSizeProbe();
    // True while claimed rows wait for their results.
    bool IsProbeRunning() const { return probesInFlight_ > 0; }

    // The item view inside the window (owned by it), for the parent's focus handling and tests.
    ImageListView* View() const { return view_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Posted to the list itself when probe results are waiting.
    static constexpr UINT kProbeResultsMessage = WM_USER + 0x107;

    void SetUpColumns();
    void ConnectNotifications();
    // Appends a row for each accepted path in one batch; the number appended.
    int AppendFiles(const std::vector<std::wstring>& paths);
    ImageRow MakeRow(const std::wstring& path, int position);
    void MoveRowsBefore(int hitRow);
    void TakeProbeResults();
    void NotifyParent(UINT code, int row, int column = 0, UINT newState = 0, UINT oldState = 0);
    void NotifySelectionChange(int row, UINT changedBit, bool nowSet);
    UINT RowState(int row) const;

    ImageListView* view_;   // owned by the window (Control())
    ImageRowModel* model_;  // owned by view_
    std::unique_ptr<SizeProbe> probe_;
    int probesInFlight_ = 0;
    std::uint64_t nextSerial_ = 1;
};
