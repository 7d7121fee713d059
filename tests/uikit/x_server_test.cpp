// The window host on a real X server, driven by xdotool: quick clicks and real drags on the
// caption, and the pointer's shape after a line edit showed under a still pointer.

#include "x_server.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <QWindow>

#include "hosted_fixture.h"
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
        start_ = window_.pos();
    }

    // The screen point of a point of the window's client area.
    QPoint Screen(QPoint local) const { return window_.mapToGlobal(local); }
    void MoveTo(QPoint local) { MovePointerTo(Screen(local).x(), Screen(local).y()); }

    Qt::CursorShape ShownCursor() const { return window_.windowHandle()->cursor().shape(); }

    QPoint start_;
};

TEST_F(XServerTest, QuickClicksOnTheCaptionLeaveTheWindowWhereItIs) {
    MoveTo(Centre(root_.GetCaptionObject()));
    ASSERT_TRUE(Xdotool("click --repeat 5 --delay 40 1"));
    QTest::qWait(100);
    // A click while the program is busy: press and release wait in the queue together.
    ASSERT_TRUE(Xdotool("mousedown 1 mouseup 1"));
    QThread::msleep(330);
    QTest::qWait(100);
    MoveTo(Centre(root_.GetCaptionObject()) + QPoint(120, 90));
    MoveTo(Centre(root_.GetCaptionObject()) + QPoint(200, 150));
    EXPECT_EQ(window_.pos(), start_) << "no button held, nothing follows the pointer";
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
    EXPECT_EQ(window_.pos(), start_ + QPoint(60, 40));
    MovePointerTo(grip.x() + 160, grip.y() + 140);
    EXPECT_EQ(window_.pos(), start_ + QPoint(60, 40)) << "the release ended the move";
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

}  // namespace
