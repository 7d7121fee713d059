// Child windows of the window layer: parent and control id, the order of destruction, and
// coordinates relative to the parent.

#include <gtest/gtest.h>

#include <QLabel>
#include <memory>

#include "recording_window.h"
#include "ui/control_window.h"

namespace {

class ChildWindowTest : public ::testing::Test {
protected:
    void SetUp() override { dialog_.ShowAt(QRect(200, 150, 400, 300)); }

    RecordingWindow dialog_;
};

TEST_F(ChildWindowTest, AChildKnowsItsParentAndIsFoundByItsId) {
    RecordingWindow child(WS_CHILD, dialog_.GetSafeHwnd(), 1003);
    CControlWindow control(dialog_.GetSafeHwnd(), 1000, std::make_unique<QLabel>("x"));
    EXPECT_EQ(GetParent(child.GetSafeHwnd()), dialog_.GetSafeHwnd());
    EXPECT_EQ(GetParent(dialog_.GetSafeHwnd()), nullptr);
    EXPECT_EQ(GetDlgCtrlID(child.GetSafeHwnd()), 1003);
    EXPECT_EQ(GetDlgCtrlID(dialog_.GetSafeHwnd()), 0) << "a top-level window has no control id";
    EXPECT_EQ(GetDlgItem(dialog_.GetSafeHwnd(), 1000), control.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(dialog_.GetSafeHwnd(), 1003), child.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(dialog_.GetSafeHwnd(), 5), nullptr);
    EXPECT_TRUE(IsWindowVisible(child.GetSafeHwnd())) << "children show with their parent";

    RecordingWindow orphan(WS_CHILD, nullptr, 9);
    EXPECT_EQ(GetParent(orphan.GetSafeHwnd()), nullptr) << "no live parent: a top-level window";
}

TEST_F(ChildWindowTest, ChildrenEndBetweenTheirParentsDestroyMessages) {
    RecordingWindow child(WS_CHILD, dialog_.GetSafeHwnd(), 1);
    std::vector<std::pair<HWND, UINT>> order;
    const HWND parentHandle = dialog_.GetSafeHwnd();
    const HWND childHandle = child.GetSafeHwnd();
    dialog_.inspect = [&](const RecordingWindow::Message& m) {
        order.emplace_back(parentHandle, m.msg);
    };
    child.inspect = [&](const RecordingWindow::Message& m) {
        order.emplace_back(childHandle, m.msg);
    };
    DestroyWindow(parentHandle);
    const std::vector<std::pair<HWND, UINT>> expected{{parentHandle, WM_DESTROY},
                                                      {childHandle, WM_DESTROY},
                                                      {childHandle, WM_NCDESTROY},
                                                      {parentHandle, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(childHandle));
}

TEST_F(ChildWindowTest, PositionsAreInTheParentsClientAreaAndChildrenTakeNoActivation) {
    RecordingWindow child(WS_CHILD, dialog_.GetSafeHwnd(), 1);
    SetWindowPos(child.GetSafeHwnd(), 10, 20, 100, 50, 0);
    RECT screen;
    GetWindowRect(child.GetSafeHwnd(), &screen);
    RECT parentScreen;
    GetWindowRect(dialog_.GetSafeHwnd(), &parentScreen);
    EXPECT_EQ(screen.left - parentScreen.left, 10);
    EXPECT_EQ(screen.top - parentScreen.top, 20);
    EXPECT_EQ(screen.right - screen.left, 100);

    SetFocus(dialog_.GetSafeHwnd());
    QApplication::processEvents();
    EXPECT_EQ(child.Count(WM_ACTIVATE), 0u);
}

}  // namespace
