// The window layer: chained procedures, messages across threads, timers, the end of a window,
// hit codes deciding what the pointer does, mouse tracking, and window shapes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <thread>

#include "pixels.h"
#include "pointer_geometry.h"
#include "recording_window.h"
#include "ui/region.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 1;

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override { window_.ShowAt(QRect(100, 100, 300, 200)); }

    HWND Handle() const { return window_.GetSafeHwnd(); }

    RecordingWindow window_;
};

// A procedure put in front of the window's own one; it writes down what it sees and chains.
struct Subclass {
    static inline WNDPROC previous = nullptr;
    static inline std::vector<UINT> seen;

    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        seen.push_back(msg);
        if (msg == WM_PROBE) {
            return 7;  // answered here: the window's own procedure never sees it
        }
        return CallWindowProc(previous, hwnd, msg, wParam, lParam);
    }
};

TEST_F(WindowLayerTest, AReplacedProcedureChainsToThePreviousOneAndCanBeRestored) {
    Subclass::seen.clear();
    Subclass::previous = SetWindowProc(Handle(), &Subclass::Procedure);
    ASSERT_NE(Subclass::previous, nullptr);
    EXPECT_EQ(GetWindowProc(Handle()), &Subclass::Procedure);

    EXPECT_EQ(SendMessage(Handle(), WM_PROBE, 0, 0), 7);
    EXPECT_EQ(window_.Count(WM_PROBE), 0u);
    EXPECT_TRUE(SetWindowText(Handle(), L"Chained"));
    EXPECT_EQ(GetWindowText(Handle()), L"Chained") << "the default procedure stored the text";
    EXPECT_EQ(window_.Count(WM_SETTEXT), 1u);

    EXPECT_EQ(SetWindowProc(Handle(), Subclass::previous), &Subclass::Procedure);
    SendMessage(Handle(), WM_PROBE, 0, 0);
    EXPECT_EQ(window_.Count(WM_PROBE), 1u);
    EXPECT_EQ(Subclass::seen, (std::vector<UINT>{WM_PROBE, WM_SETTEXT}));
    EXPECT_EQ(SetWindowProc(Handle(), nullptr), nullptr) << "a null procedure is refused";
}

// Answers WM_PROBE with twice its wParam and notes the thread it ran on.
struct ThreadProbe {
    static inline std::thread::id handledOn;
    static LRESULT Procedure(HWND, UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_PROBE) {
            handledOn = std::this_thread::get_id();
            return static_cast<LRESULT>(wParam) * 2;
        }
        return 0;
    }
};

TEST_F(WindowLayerTest, AMessageSentFromAWorkerIsHandledOnTheWindowsThread) {
    const WNDPROC own = SetWindowProc(Handle(), &ThreadProbe::Procedure);
    std::atomic<LRESULT> answer = 0;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        answer = SendMessage(Handle(), WM_PROBE, 21, 0);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 5000));
    worker.join();
    SetWindowProc(Handle(), own);
    EXPECT_EQ(answer, 42) << "the sender gets the procedure's answer";
    EXPECT_EQ(ThreadProbe::handledOn, std::this_thread::get_id());
}

TEST_F(WindowLayerTest, PostedMessagesArriveLaterAndNeverAfterTheWindowEnds) {
    EXPECT_TRUE(PostMessage(Handle(), WM_PROBE, 1, 0));
    EXPECT_EQ(window_.Count(WM_PROBE), 0u) << "posting returns before delivery";
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_.Count(WM_PROBE) == 1; }, 5000));

    std::thread worker([&] { PostMessage(Handle(), WM_PROBE, 2, 0); });
    worker.join();
    EXPECT_TRUE(DestroyWindow(Handle()));
    QTest::qWait(20);
    EXPECT_EQ(window_.Count(WM_PROBE), 1u);
}

TEST_F(WindowLayerTest, ADestroyedWindowHearsNothingMoreAndIsNoWindow) {
    const HWND handle = Handle();
    SetTimer(handle, 3, 10);
    EXPECT_TRUE(DestroyWindow(handle));
    ASSERT_GE(window_.messages.size(), 2u);
    EXPECT_EQ(window_.messages[window_.messages.size() - 2].msg, WM_DESTROY);
    EXPECT_EQ(window_.messages.back().msg, WM_NCDESTROY);
    const size_t heard = window_.messages.size();

    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(window_.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(SendMessage(handle, WM_PROBE, 0, 0), 0);
    EXPECT_FALSE(PostMessage(handle, WM_PROBE, 0, 0));
    EXPECT_EQ(SetTimer(handle, 4, 10), 0u);
    EXPECT_EQ(GetWindowProc(handle), nullptr);
    EXPECT_FALSE(DestroyWindow(handle));
    QTest::qWait(40);
    EXPECT_EQ(window_.messages.size(), heard) << "not even the timer";

    HWND gone = nullptr;
    {
        RecordingWindow shortLived;
        gone = shortLived.GetSafeHwnd();
        EXPECT_TRUE(IsWindow(gone));
    }
    EXPECT_FALSE(IsWindow(gone));
    RecordingWindow next;
    EXPECT_NE(next.GetSafeHwnd(), gone) << "handles are never reused";
}

TEST_F(WindowLayerTest, TimersTickWithTheirIdUntilKilled) {
    EXPECT_EQ(SetTimer(Handle(), 9, 10), 9u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_.Count(WM_TIMER) >= 2; }, 5000));
    EXPECT_EQ(window_.Of(WM_TIMER).front().wParam, 9u);
    EXPECT_TRUE(KillTimer(Handle(), 9));
    const size_t ticks = window_.Count(WM_TIMER);
    QTest::qWait(60);
    EXPECT_EQ(window_.Count(WM_TIMER), ticks);
    EXPECT_FALSE(KillTimer(Handle(), 9));
    EXPECT_EQ(SetTimer(Handle(), 0, 10), 0u) << "id 0 is refused";
}

TEST_F(WindowLayerTest, TheCloseRequestIsASystemCommandAndTheDefaultDestroys) {
    window_.close();
    const auto commands = window_.Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_CLOSE);
    EXPECT_EQ(commands[0].lParam, 0);
    EXPECT_EQ(window_.Count(WM_CLOSE), 1u);
    EXPECT_EQ(window_.Count(WM_NCDESTROY), 1u);
}

TEST_F(WindowLayerTest, DraggingWhereTheHitTestSaysCaptionMovesTheWindow) {
    window_.hitTest = [](QPoint local) { return local.y() < 30 ? HTCAPTION : HTCLIENT; };
    const QPoint start = window_.pos();
    QTest::mousePress(&window_, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(window_.Count(WM_LBUTTONDOWN), 0u);
    ASSERT_EQ(window_.Count(WM_NCLBUTTONDOWN), 1u);
    EXPECT_EQ(window_.Of(WM_NCLBUTTONDOWN)[0].wParam, static_cast<WPARAM>(HTCAPTION));
    QTest::mouseMove(&window_, QPoint(51, 11));
    EXPECT_EQ(window_.Count(WM_SYSCOMMAND), 0u) << "not yet past the drag distance";

    QTest::mouseMove(&window_, QPoint(80, 30));
    const auto commands = window_.Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_MOVE | HTCAPTION);
    QTest::mouseMove(&window_, QPoint(80, 30));
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, QPoint(80, 30));
    EXPECT_EQ(window_.pos(), start + QPoint(30, 20)) << "the window keeps to the press point";
    EXPECT_EQ(window_.Count(WM_LBUTTONUP), 0u);

    QTest::mouseMove(&window_, QPoint(120, 60));
    EXPECT_EQ(window_.pos(), start + QPoint(30, 20)) << "the release ended the drag";
    QTest::mouseClick(&window_, Qt::LeftButton, {}, QPoint(50, 100));
    EXPECT_EQ(window_.Count(WM_LBUTTONDOWN), 1u) << "the client area gets the click";
    EXPECT_EQ(window_.Count(WM_LBUTTONUP), 1u);
}

TEST_F(WindowLayerTest, AQuickClickOnTheCaptionNeverLeavesTheWindowFollowingThePointer) {
    window_.hitTest = [](QPoint local) { return local.y() < 30 ? HTCAPTION : HTCLIENT; };
    const QPoint start = window_.pos();
    for (int click = 0; click < 5; ++click) {
        QTest::mouseClick(&window_, Qt::LeftButton, {}, QPoint(50 + click, 10));
    }
    QTest::mouseMove(&window_, QPoint(150, 100));
    QTest::mouseMove(&window_, QPoint(200, 150));
    EXPECT_EQ(window_.Count(WM_SYSCOMMAND), 0u);
    EXPECT_EQ(window_.pos(), start);
}

TEST_F(WindowLayerTest, ADragEndsWithAReleaseSeenAnywhereOrWhenTheFocusGoes) {
    window_.hitTest = [](QPoint local) { return local.y() < 30 ? HTCAPTION : HTCLIENT; };
    RecordingWindow other;
    other.ShowAt(QRect(500, 100, 100, 100));
    const auto dragBy = [&](QPoint delta) {
        QTest::mousePress(&window_, Qt::LeftButton, {}, QPoint(50, 10));
        QTest::mouseMove(&window_, QPoint(50, 10) + delta);
    };
    dragBy({20, 0});
    QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(10, 10));
    const QPoint afterFirst = window_.pos();
    QTest::mouseMove(&window_, QPoint(150, 100), -1);
    EXPECT_EQ(window_.pos(), afterFirst) << "released over another window";

    SetFocus(Handle());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    dragBy({0, 20});
    SetFocus(other.GetSafeHwnd());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_.isActiveWindow(); }, 1000));
    const QPoint afterSecond = window_.pos();
    QTest::mouseMove(&window_, QPoint(160, 120));
    EXPECT_EQ(window_.pos(), afterSecond) << "the focus went elsewhere";
}

TEST_F(WindowLayerTest, ABorderCodeShowsItsCursorAndADragResizes) {
    window_.hitTest = [](QPoint local) {
        return local.x() >= 295 && local.y() >= 195 ? HTBOTTOMRIGHT : HTCLIENT;
    };
    QTest::mouseMove(&window_, QPoint(297, 197));
    EXPECT_EQ(window_.cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(&window_, QPoint(150, 100));
    EXPECT_EQ(window_.cursor().shape(), Qt::ArrowCursor);

    QTest::mousePress(&window_, Qt::LeftButton, {}, QPoint(297, 197));
    QTest::mouseMove(&window_, QPoint(317, 207));
    const auto commands = window_.Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_SIZE | 8u) << "bottom-right";
    QTest::mouseMove(&window_, QPoint(317, 207));
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, QPoint(317, 207));
    EXPECT_EQ(window_.size(), QSize(320, 210));
    const auto sizes = window_.Of(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back().lParam, MAKELPARAM(320, 210));
}

TEST_F(WindowLayerTest, ADoubleClickOnTheCaptionMaximisesAndRestores) {
    window_.hitTest = [](QPoint local) { return local.y() < 30 ? HTCAPTION : HTCLIENT; };
    QTest::mouseDClick(&window_, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_TRUE(IsZoomed(Handle()));
    ASSERT_EQ(window_.Count(WM_NCLBUTTONDBLCLK), 1u);
    EXPECT_EQ(window_.Of(WM_SYSCOMMAND).back().wParam, SC_MAXIMIZE);
    ASSERT_FALSE(window_.Of(WM_SIZE).empty());
    EXPECT_EQ(window_.Of(WM_SIZE).back().wParam, SIZE_MAXIMIZED);

    QTest::mouseDClick(&window_, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_FALSE(IsZoomed(Handle()));
    EXPECT_EQ(window_.Of(WM_SYSCOMMAND).back().wParam, SC_RESTORE);
    EXPECT_EQ(window_.Of(WM_SIZE).back().wParam, SIZE_RESTORED);

    QTest::mouseDClick(&window_, Qt::LeftButton, {}, QPoint(50, 100));
    EXPECT_FALSE(IsZoomed(Handle())) << "the client area only sees presses";
    EXPECT_EQ(window_.Count(WM_LBUTTONDOWN), 1u) << "the double click arrives as a press";
}

TEST_F(WindowLayerTest, HoverComesOncePerRequestAndLeaveWhenThePointerGoes) {
    window_.hitTest = [](QPoint local) { return local.y() < 30 ? HTCAPTION : HTCLIENT; };
    QTest::mouseMove(&window_, QPoint(100, 100));
    TRACKMOUSEEVENT request;
    request.dwFlags = TME_HOVER | TME_LEAVE;
    request.hwndTrack = Handle();
    request.dwHoverTime = 50;
    ASSERT_TRUE(TrackMouseEvent(&request));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_.Count(WM_MOUSEHOVER) == 1; }, 5000));
    EXPECT_EQ(window_.Of(WM_MOUSEHOVER)[0].lParam, MAKELPARAM(100, 100));
    QTest::qWait(150);
    EXPECT_EQ(window_.Count(WM_MOUSEHOVER), 1u) << "hover tracking ends with its message";

    QTest::mouseMove(&window_, QPoint(100, 10));
    EXPECT_EQ(window_.Count(WM_MOUSELEAVE), 1u) << "the caption is outside the client area";
    QTest::mouseMove(&window_, QPoint(100, 100));
    QTest::mouseMove(&window_, QPoint(100, 10));
    EXPECT_EQ(window_.Count(WM_MOUSELEAVE), 1u) << "once per request";
}

TEST_F(WindowLayerTest, APopupHidesOnAPressOutsideOrWhenAnotherWindowTakesTheFocus) {
    RecordingWindow popup(WS_POPUP);
    popup.ShowAt(QRect(150, 320, 100, 50));
    ASSERT_TRUE(popup.IsPopup());
    ASSERT_EQ(popup.Count(WM_ACTIVATE), 1u);
    EXPECT_EQ(LOWORD(popup.Of(WM_ACTIVATE)[0].wParam), WA_ACTIVE);

    QTest::mouseClick(&popup, Qt::LeftButton, {}, QPoint(-20, 10));
    EXPECT_FALSE(popup.isVisible());
    ASSERT_EQ(popup.Count(WM_ACTIVATE), 2u);
    EXPECT_EQ(LOWORD(popup.Of(WM_ACTIVATE)[1].wParam), WA_INACTIVE);
    EXPECT_TRUE(IsWindow(popup.GetSafeHwnd())) << "hidden, not destroyed";

    popup.show();
    SetFocus(Handle());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.Count(WM_ACTIVATE), 4u);
}

TEST(WindowShape, ARoundRectOfThreeByThreeCornersLosesExactlyTheCornerPixels) {
    const QRegion region = CreateRoundRectRgn(0, 0, 10, 6, 3, 3);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(9, 0)));
    EXPECT_FALSE(region.contains(QPoint(0, 5)));
    EXPECT_FALSE(region.contains(QPoint(9, 5)));
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(0, 1)));
    EXPECT_TRUE(region.contains(QPoint(9, 4)));
    int pixels = 0;
    for (const QRect& part : region) {
        pixels += part.width() * part.height();
    }
    EXPECT_EQ(pixels, 60 - 4);
    EXPECT_TRUE(CreateRoundRectRgn(5, 5, 5, 9, 3, 3).isEmpty());
}

TEST(WindowShape, TheFrameRunsInsideTheRegionsEdge) {
    QImage surface = Surface(10, 6, 0xFFFFFFFF);
    CDC dc(&surface);
    FrameRgn(&dc, CreateRoundRectRgn(0, 0, 10, 6, 3, 3), 0x0000FF);
    const QRgb red = 0xFFFF0000;
    EXPECT_EQ(PixelAt(surface, 0, 0), 0xFFFFFFFFu) << "outside the region";
    EXPECT_EQ(PixelAt(surface, 1, 0), red);
    EXPECT_EQ(PixelAt(surface, 0, 1), red);
    EXPECT_EQ(PixelAt(surface, 5, 5), red);
    EXPECT_EQ(PixelAt(surface, 9, 3), red);
    EXPECT_EQ(PixelAt(surface, 1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(surface, 5, 3), 0xFFFFFFFFu);
}

TEST(PointerGeometry, DraggingMovesOrResizesTheNamedEdgesDownToTheMinimum) {
    const QRect start(100, 100, 300, 200);
    EXPECT_EQ(DraggedGeometry(start, {}, QPoint(-10, 5), QSize(1, 1)), QRect(90, 105, 300, 200));
    EXPECT_EQ(DraggedGeometry(start, Qt::TopEdge | Qt::LeftEdge, QPoint(-10, 20), QSize(1, 1)),
              QRect(90, 120, 310, 180));
    EXPECT_EQ(DraggedGeometry(start, Qt::LeftEdge, QPoint(500, 0), QSize(50, 50)),
              QRect(350, 100, 50, 200))
        << "the right edge stays where it was";
    EXPECT_EQ(EdgesForHitCode(HTBOTTOMLEFT), Qt::BottomEdge | Qt::LeftEdge);
    EXPECT_EQ(EdgesForHitCode(HTCAPTION), Qt::Edges());
    EXPECT_EQ(CursorForHitCode(HTTOPRIGHT), Qt::SizeBDiagCursor);
    EXPECT_EQ(CursorForHitCode(HTTOP), Qt::SizeVerCursor);
}

}  // namespace
