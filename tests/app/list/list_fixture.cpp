#include "list_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <fstream>

#include "image_list_view.h"
#include "platform/text.h"

std::vector<ListParent::Notice> ListParent::Of(UINT code) const {
    std::vector<Notice> found;
    for (const Notice& notice : notices) {
        if (notice.code == code) {
            found.push_back(notice);
        }
    }
    return found;
}

LRESULT ListParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        const auto* view = reinterpret_cast<const NMLISTVIEW*>(lParam);
        notices.push_back(
            {header->code, view->iItem, view->iSubItem, view->uNewState, view->uOldState});
        if (header->code == LVN_ROWSMOVED && list) {
            list->Renumber();
        }
        return 0;
    }
    if (msg == WM_DROPFILES) {
        drops.push_back(reinterpret_cast<const DroppedFiles*>(wParam)->paths);
        return 0;
    }
    return CHostWindow::WindowProc(msg, wParam, lParam);
}

void ListTest::SetUp() {
    parent_.setGeometry(100, 100, 680, 300);
    parent_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent_));
    list_ = std::make_unique<CDropListCtrl>(parent_.GetSafeHwnd());
    parent_.list = list_.get();
    SetWindowPos(list_->GetSafeHwnd(), 0, 0, 660, 280, 0);
}

void ListTest::TearDown() {
    parent_.list = nullptr;
    list_.reset();
}

std::wstring ListTest::Touch(const std::string& relative) const {
    const std::filesystem::path file = dir_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).put('x');
    return Wide(file);
}

std::wstring ListTest::Wide(const std::filesystem::path& path) const {
    return platform::FromUtf8(path.native());
}

std::vector<std::wstring> ListTest::Column(int column) const {
    std::vector<std::wstring> texts;
    for (int row = 0; row < list_->GetItemCount(); ++row) {
        texts.push_back(list_->GetItemText(row, column));
    }
    return texts;
}

std::vector<int> ListTest::NamesInOrder() const {
    std::vector<int> numbers;
    for (const std::wstring& name : Column(kColumnName)) {
        numbers.push_back(std::stoi(name));
    }
    return numbers;
}

void ListTest::AddNumbered(int count) {
    for (int n = 1; n <= count; ++n) {
        list_->AddFile(Touch(std::to_string(n) + ".jpg"));
    }
}

bool ListTest::WaitForProbe() const {
    return QTest::qWaitFor([this] { return !list_->IsProbeRunning(); }, 20000);
}

void ListTest::Select(const std::vector<int>& rows) const {
    list_->SelectRow(rows.front());
    for (int row : rows) {
        list_->View()->selectionModel()->select(
            list_->View()->model()->index(row, 0),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void ListTest::Mouse(QEvent::Type type, QPoint point, Qt::MouseButton button,
                     Qt::MouseButtons held) const {
    QWidget* viewport = list_->View()->viewport();
    QMouseEvent event(type, point, viewport->mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

QPoint ListTest::RowPoint(int row) const {
    return list_->View()->visualRect(list_->View()->model()->index(row, kColumnName)).center();
}

void ListTest::DragRowTo(int from, QPoint to) const {
    const QPoint start = RowPoint(from);
    Mouse(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int step : {2, 5, 12}) {
        Mouse(QEvent::MouseMove, start + QPoint(0, step), Qt::NoButton, Qt::LeftButton);
    }
    Mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

void ListTest::Release(QPoint point) const {
    Mouse(QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
}
