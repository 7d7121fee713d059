// The window host on a real X server, driven by xdotool: quick clicks and real drags on the
// caption, and the pointer's shape after a line edit showed under a still pointer.

#include "x_server.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <QWindow>

#include "hosted_fixture.h"
#include "trellis/ui_combo_box.h"
#include "trellis/ui_edit.h"

namespace {

class XServerTest : public HostedTest {
protected:
    void SetUp() override {
        if (!OnXServer()) {
            GTEST_SKIP() << "needs xvfb-run and xdotool";
        }
        HostedTest::SetUp();
        root_.SetStyle(UIS_CLOSEBOX | UIS_CAPTION);
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        QTest::qWait(200);  // a window manager may still place the window
        start_ = window_.pos();
    }

    // The screen point of a point of the window's client area.
    QPoint Screen(QPoint local) const { return window_.mapToGlobal(local); }
    void MoveTo(QPoint local) { MovePointerTo(Screen(local).x(), Screen(local).y()); }

    Qt::CursorShape ShownCursor() const { return window_.windowHandle()->cursor().shape(); }

    QPoint start_;
};

TEST_F(XServerTest, QuickClicksOnTheCaptionNeverLeaveTheWindowFollowingThePointer) {
    const QPoint caption = Centre(root_.GetCaptionObject());
    const int settle = QApplication::doubleClickInterval() + 100;
    MoveTo(caption);
    ASSERT_TRUE(Xdotool("click --repeat 5 --delay 30 1"));
    QTest::qWait(settle);
    const QPoint afterClicks = window_.pos();  // double clicks may have maximised and restored
    MoveTo(caption + QPoint(120, 90));
    MoveTo(caption + QPoint(200, 150));
    EXPECT_EQ(window_.pos(), afterClicks) << "no button held, nothing follows the pointer";

    // A click while the program is busy: press and release wait in the queue together.
    MoveTo(caption);
    ASSERT_TRUE(Xdotool("mousedown 1 mouseup 1"));
    QThread::msleep(330);
    QTest::qWait(settle);
    const QPoint afterBusyClick = window_.pos();
    MoveTo(caption + QPoint(150, 100));
    EXPECT_EQ(window_.pos(), afterBusyClick);
}

TEST_F(XServerTest, DraggingTheCaptionMovesTheWindowUntilTheRelease) {
    const QPoint grip = Screen(Centre(root_.GetCaptionObject()));
    MovePointerTo(grip.x(), grip.y());
    ASSERT_TRUE(Xdotool("mousedown 1"));
    QTest::qWait(50);
    MovePointerTo(grip.x() + 20, grip.y() + 10);
    MovePointerTo(grip.x() + 60, grip.y() + 40);
    ASSERT_TRUE(Xdotool("mouseup 1"));
    QTest::qWait(100);
    // A window manager carries the move on from where the pointer was when it took over, after
    // the drag distance: the window may lag by that much.
    const QPoint moved = window_.pos() - start_;
    EXPECT_LE((QPoint(60, 40) - moved).manhattanLength(), QApplication::startDragDistance() * 3)
        << moved.x() << "," << moved.y();
    const QPoint released = window_.pos();
    MovePointerTo(grip.x() + 160, grip.y() + 140);
    EXPECT_EQ(window_.pos(), released) << "the release ended the move";
}

TEST_F(XServerTest, ThePointerTakesTheShapeOfWhatIsUnderItAfterALineEditShowed) {
    CUIEdit edit;
    CUIButton button;
    const RECT editPlace{40, 60, 200, 90};
    const RECT buttonPlace{40, 120, 120, 150};
    edit.Create(L"text", &editPlace, &root_, 31);
    button.Create(L"Go", &buttonPlace, &root_, 32);
    MoveTo(Centre(edit));
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit.GetEditControl() != nullptr; }, 2000));
    QTest::qWait(100);
    EXPECT_EQ(ShownCursor(), Qt::IBeamCursor) << "the line edit shows under the still pointer";

    MoveTo(Centre(button));
    EXPECT_EQ(ShownCursor(), Qt::PointingHandCursor);
    MoveTo(QPoint(2, 170));
    EXPECT_EQ(ShownCursor(), Qt::SizeHorCursor);
    MoveTo(QPoint(250, 170));
    EXPECT_EQ(ShownCursor(), Qt::ArrowCursor);
}

TEST_F(XServerTest, AClickOutsideTheOpenListReachesWhatIsUnderThePointer) {
    CUIComboBox combo;
    CUIButton button;
    const RECT comboPlace{40, 60, 160, 85};
    const RECT buttonPlace{200, 120, 280, 150};
    combo.Create(nullptr, &comboPlace, &root_, 41);
    button.Create(L"Go", &buttonPlace, &root_, 42);
    for (const wchar_t* choice : {L"A", L"B", L"C"}) {
        combo.AddString(choice);
    }
    const auto popupShows = [&] { return IsWindowVisible(combo.GetPopup().GetSafeHwnd()) != 0; };
    MoveTo(Centre(combo));
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(QTest::qWaitFor(popupShows, 2000));
    window_.messages.clear();
    MoveTo(Centre(button));
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_.Count(WM_COMMAND) > 0; }, 2000));
    QTest::qWait(100);
    EXPECT_FALSE(popupShows());
    ASSERT_EQ(window_.Count(WM_COMMAND), 1u);
    EXPECT_EQ(window_.Of(WM_COMMAND)[0].wParam, MAKEWPARAM(42, UI_COMMAND_TAG));
    EXPECT_FALSE(button.IsMouseDown()) << "the release reached it too";

    MoveTo(Centre(combo));
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(QTest::qWaitFor(popupShows, 2000));
    ASSERT_TRUE(Xdotool("click 1"));
    QTest::qWait(200);
    EXPECT_FALSE(popupShows()) << "a click on the combo closes its list and opens nothing";
}

}  // namespace
