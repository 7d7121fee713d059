#pragma once

// A shown parent window with an image list in it. The parent writes down what the list tells
// it and, like the main window, renumbers the list after an internal move.

#include <gtest/gtest.h>

#include <QEvent>
#include <QPoint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "drop_list_ctrl.h"
#include "temp_dir.h"
#include "ui/host_window.h"

class ListParent : public CHostWindow {
public:
    struct Notice {
        UINT code = 0;
        int item = -1;
        int column = 0;
        UINT newState = 0;
        UINT oldState = 0;
    };

    CDropListCtrl* list = nullptr;
    std::vector<Notice> notices;
    std::vector<std::vector<std::wstring>> drops;  // paths of each WM_DROPFILES

    std::vector<Notice> Of(UINT code) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

class ListTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates an empty file (the list does not read files) and returns its full path.
    std::wstring Touch(const std::string& relative) const;
    std::wstring Wide(const std::filesystem::path& path) const;
    std::vector<std::wstring> Column(int column) const;
    // The list's position column read as the original numbers of the rows, for order checks:
    // rows are added with file names "<n>.jpg".
    std::vector<int> NamesInOrder() const;
    void AddNumbered(int count);
    // Makes rows the selection; the first of them becomes the focused row.
    void Select(const std::vector<int>& rows) const;
    // Sends a mouse event to the list's viewport at point (viewport coordinates).
    void Mouse(QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons held) const;
    // Presses on row from, moves past the drag distance in small steps and then to the
    // viewport point to; Release lets go at a viewport point.
    void DragRowTo(int from, QPoint to) const;
    void Release(QPoint point) const;
    // The middle of row's file name.
    QPoint RowPoint(int row) const;
    // Runs the event loop until the size probe has delivered every result (at most 20 s).
    bool WaitForProbe() const;

    testsupport::TempDir dir_;
    ListParent parent_;
    std::unique_ptr<CDropListCtrl> list_;
};
