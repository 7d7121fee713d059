// The window host: hit codes, caption commands, caption styles, the window's title and icon,
// hover, cursors, painting, and the end of the binding.

#include <gtest/gtest.h>

#include <QPixmap>
#include <QToolTip>
#include <memory>

#include "hosted_fixture.h"
#include "pixels.h"
#include "platform/text.h"
#include "temp_dir.h"

namespace {

constexpr UINT kAppButton = 77;
constexpr UINT WM_PROBE = WM_USER + 2;

class MainUIObjectTest : public HostedTest {
protected:
    void SetUp() override {
        HostedTest::SetUp();
        root_.SetStyle(UIS_CLOSEBOX | UIS_MAXIMIZEBOX | UIS_MINIMIZEBOX | UIS_ICON | UIS_CAPTION);
        const RECT place{50, 60, 110, 90};
        button_.Create(L"Go", &place, &root_, kAppButton);
        window_.messages.clear();
    }

    LRESULT HitAt(QPoint local) {
        const QPoint global = window_.mapToGlobal(local);
        return SendMessage(Handle(), WM_NCHITTEST, 0, MAKELPARAM(global.x(), global.y()));
    }

    void ClickOn(const CUIObject& object) { ClickAt(Centre(object)); }

    CUIButton button_;
};

TEST_F(MainUIObjectTest, BordersResizeTheBackgroundAndCaptionMoveAndObjectsGetTheMouse) {
    EXPECT_EQ(HitAt({3, 3}), HTTOPLEFT);
    EXPECT_EQ(HitAt({3, 100}), HTLEFT);
    EXPECT_EQ(HitAt({297, 3}), HTTOPRIGHT);
    EXPECT_EQ(HitAt({297, 100}), HTRIGHT);
    EXPECT_EQ(HitAt({150, 197}), HTBOTTOM);
    EXPECT_EQ(HitAt({2, 198}), HTBOTTOMLEFT);
    EXPECT_EQ(HitAt({297, 197}), HTBOTTOMRIGHT);
    EXPECT_EQ(window_.Count(WM_NCHITTEST), 0u) << "answered by the root alone";

    EXPECT_EQ(HitAt({150, 150}), HTCAPTION) << "the background";
    EXPECT_EQ(HitAt(Centre(root_.GetCaptionObject())), HTCAPTION);
    EXPECT_EQ(HitAt(Centre(button_)), HTCLIENT);
    EXPECT_EQ(HitAt(Centre(*root_.GetCaptionButton(SC_CLOSE))), HTCLIENT);
    EXPECT_EQ(window_.Count(WM_NCHITTEST), 2u) << "objects' points pass on to the window";
}

TEST_F(MainUIObjectTest, TheCloseButtonIsTheApplicationsCancelCommand) {
    ClickOn(*root_.GetCaptionButton(SC_CLOSE));
    const auto commands = window_.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, IDCANCEL);
    EXPECT_EQ(window_.Count(WM_SYSCOMMAND), 0u);
    EXPECT_EQ(window_.Count(WM_CLOSE), 0u);
    EXPECT_TRUE(IsWindow(Handle()));
    EXPECT_TRUE(window_.isVisible());
}

TEST_F(MainUIObjectTest, MaximiseTwiceRestoresAndSwapsTheGlyphEachTime) {
    CUIButton& maximize = *root_.GetCaptionButton(SC_MAXIMIZE);
    EXPECT_EQ(maximize.GetImageSize(), CSize(22, 12));
    ClickOn(maximize);
    EXPECT_TRUE(IsZoomed(Handle()));
    EXPECT_EQ(maximize.GetImageSize(), CSize(14, 12)) << "the restore glyph";
    CRect client;
    root_.GetClientRect(&client);
    EXPECT_EQ(client.Width(), window_.width()) << "the root follows WM_SIZE";

    ClickOn(maximize);
    EXPECT_FALSE(IsZoomed(Handle()));
    EXPECT_EQ(maximize.GetImageSize(), CSize(22, 12));
    EXPECT_EQ(window_.Count(WM_SYSCOMMAND), 0u);
}

TEST_F(MainUIObjectTest, TheGlyphFollowsTheWindowsStateHoweverItChanges) {
    CUIButton& maximize = *root_.GetCaptionButton(SC_MAXIMIZE);
    ShowWindow(Handle(), SW_MAXIMIZE);  // as the window manager would
    EXPECT_EQ(maximize.GetImageSize(), CSize(14, 12)) << "the restore glyph";
    ShowWindow(Handle(), SW_RESTORE);
    EXPECT_EQ(maximize.GetImageSize(), CSize(22, 12));

    QTest::mouseDClick(&window_, Qt::LeftButton, {}, Centre(root_.GetCaptionObject()));
    EXPECT_TRUE(IsZoomed(Handle())) << "a double click on the caption maximises";
    EXPECT_EQ(maximize.GetImageSize(), CSize(14, 12));
    ClickOn(maximize);
    EXPECT_FALSE(IsZoomed(Handle()));
    EXPECT_EQ(maximize.GetImageSize(), CSize(22, 12));
}

TEST_F(MainUIObjectTest, TheSystemsOwnCommandsReachTheWindowUnchanged) {
    SendMessage(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, MAKELPARAM(12, 34));
    const auto commands = window_.Of(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, SC_MINIMIZE);
    EXPECT_EQ(commands[0].lParam, MAKELPARAM(12, 34));
    EXPECT_TRUE(IsIconic(Handle())) << "and the default procedure carries them out";
    ShowWindow(Handle(), SW_RESTORE);

    QTest::mousePress(&window_, Qt::LeftButton, {}, QPoint(150, 150));
    QTest::mouseMove(&window_, QPoint(170, 150));
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, QPoint(170, 150));
    ASSERT_EQ(window_.Count(WM_SYSCOMMAND), 2u);
    EXPECT_EQ(window_.Of(WM_SYSCOMMAND)[1].wParam, SC_MOVE | HTCAPTION);
}

TEST_F(MainUIObjectTest, SetTextRenamesTheCaptionWithoutTheApplication) {
    EXPECT_EQ(SendMessage(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Renamed")), 1);
    EXPECT_EQ(root_.GetCaptionObject().GetText(), L"Renamed");
    EXPECT_EQ(GetWindowText(Handle()), L"Renamed");
    EXPECT_EQ(window_.Count(WM_SETTEXT), 0u);
}

TEST_F(MainUIObjectTest, TheCaptionTakesThePlaceOfAMissingIcon) {
    RecordingWindow withoutIcon;
    CMainUIObject bare;
    ASSERT_EQ(bare.Attach(withoutIcon.GetSafeHwnd()), 1);
    EXPECT_FALSE(bare.GetIconObject().IsVisible());
    CRect r;
    bare.GetCaptionObject().GetRect(&r);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.bottom, 21);

    RecordingWindow withIcon;
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    const QIcon icon(picture);
    SendMessage(withIcon.GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&icon));
    SetWindowText(withIcon.GetSafeHwnd(), L"Titled");
    CMainUIObject root;
    ASSERT_EQ(root.Attach(withIcon.GetSafeHwnd()), 1);
    EXPECT_TRUE(root.GetIconObject().IsVisible());
    root.GetCaptionObject().GetRect(&r);
    EXPECT_EQ(r.left, 26) << "5 pixels right of the icon";
    EXPECT_EQ(root.GetCaptionObject().GetText(), L"Titled");
}

TEST_F(MainUIObjectTest, StylesChooseTheCaptionObjectsAndChainThemFromTheRight) {
    root_.SetStyle(0);
    for (UINT id : {SC_CLOSE, SC_MAXIMIZE, SC_MINIMIZE, ID_UI_MENU, ID_UI_SKIN}) {
        EXPECT_FALSE(root_.GetCaptionButton(id)->IsVisible()) << id;
    }
    EXPECT_FALSE(root_.GetIconObject().IsVisible());
    EXPECT_FALSE(root_.GetCaptionObject().IsVisible());

    root_.SetStyle(UIS_ICON | UIS_CAPTION | UIS_CLOSEBOX);
    CRect close;
    CRect caption;
    root_.GetCaptionButton(SC_CLOSE)->GetRect(&close);
    root_.GetCaptionObject().GetRect(&caption);
    EXPECT_TRUE(root_.GetIconObject().IsVisible());
    EXPECT_TRUE(root_.GetCaptionObject().IsVisible());
    EXPECT_FALSE(root_.GetCaptionButton(SC_MAXIMIZE)->IsVisible());
    EXPECT_EQ(close.right, 300 - 10);
    EXPECT_EQ(caption.right, close.left - 2);

    root_.SetStyle(UIS_CLOSEBOX | UIS_MINIMIZEBOX | UIS_MAXIMIZEBOX);
    CRect minimize;
    CRect maximize;
    root_.GetCaptionButton(SC_MINIMIZE)->GetRect(&minimize);
    root_.GetCaptionButton(SC_MAXIMIZE)->GetRect(&maximize);
    EXPECT_EQ(minimize.right, close.left - 2) << "minimise sits next to close";
    EXPECT_EQ(maximize.right, minimize.left - 2);
}

TEST_F(MainUIObjectTest, ResizingTheWindowLaysTheCaptionBarOutAgain) {
    window_.resize(400, 250);
    CRect close;
    root_.GetCaptionButton(SC_CLOSE)->GetRect(&close);
    EXPECT_EQ(close.right, 390);
    EXPECT_EQ(GetWindowRgn(Handle()).boundingRect(), QRect(0, 0, 400, 250));
    EXPECT_FALSE(GetWindowRgn(Handle()).contains(QPoint(0, 0))) << "rounded corners";
}

TEST_F(MainUIObjectTest, ThePointerRestingOnAnObjectForASecondIsAHover) {
    std::vector<UINT> hovered;
    window_.inspect = [&](const RecordingWindow::Message& message) {
        const auto* data = reinterpret_cast<const tagUIMessageData*>(message.wParam);
        if (message.msg == WM_UI_MESSAGE && data->msg == WM_MOUSEHOVER) {
            hovered.push_back(data->id);
        }
    };
    button_.SetTipText(L"Make it so");
    QElapsedTimer clock;
    clock.start();
    QTest::mouseMove(&window_, Centre(button_));
    EXPECT_TRUE(button_.IsMouseInWnd());
    QTest::qWait(800);
    EXPECT_TRUE(hovered.empty() || clock.elapsed() >= 1000) << "not before a second";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hovered.empty(); }, 5000));
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_EQ(hovered, std::vector<UINT>{kAppButton});
    EXPECT_EQ(window_.toolTip(), QStringLiteral("Make it so"));
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Make it so"));

    QTest::mouseMove(&window_, QPoint(150, 10));
    EXPECT_FALSE(button_.IsMouseInWnd()) << "the caption area is outside the client area";
    EXPECT_EQ(window_.toolTip(), QString()) << "the tip is withdrawn";
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
}

TEST_F(MainUIObjectTest, ObjectsChooseTheCursorAndBordersShowTheResizeCursor) {
    QTest::mouseMove(&window_, Centre(button_));
    EXPECT_EQ(window_.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&window_, QPoint(150, 150));
    EXPECT_EQ(window_.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&window_, QPoint(2, 100));
    EXPECT_EQ(window_.cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(MainUIObjectTest, AClickOnAnApplicationObjectIsItsCommand) {
    ClickOn(button_);
    const auto commands = window_.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kAppButton, UI_COMMAND_TAG));
    EXPECT_EQ(GetCapture(), nullptr) << "the capture ends with the release";
}

TEST_F(MainUIObjectTest, PaintingCoversTheBackgroundWithTheImageAndFramesTheShape) {
    testsupport::TempDir dir;
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));
    for (int y = 0; y < 100; ++y) {
        for (int x = 100; x < 200; ++x) {
            picture.setPixel(x, y, qRgb(0, 0, 255));
        }
    }
    const auto path = dir / "background.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path.string())));
    EXPECT_EQ(root_.SetBkImage(L"/no/such/picture.png"), 0);
    ASSERT_EQ(root_.SetBkImage(platform::FromUtf8(path.string()).c_str()), 1);
    root_.SetColor(0x00FF00, 0x000000);
    root_.SetStyle(0);
    button_.SetVisible(0);

    const QImage shot = window_.grab().toImage();
    // The window is 1.5 times as wide as high: the left 150 x 100 of the picture, doubled.
    EXPECT_TRUE(Near(PixelAt(shot, 150, 150), 0xFFFF0000, 8));
    EXPECT_TRUE(Near(PixelAt(shot, 190, 150), 0xFFFF0000, 8));
    EXPECT_TRUE(Near(PixelAt(shot, 260, 150), 0xFF0000FF, 8));
    EXPECT_EQ(PixelAt(shot, 0, 100), 0xFF000000u) << "the frame";
    EXPECT_EQ(PixelAt(shot, 1, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(shot, 299, 100), 0xFF000000u);
}

TEST_F(MainUIObjectTest, TheDrawCallbackPaintsBetweenTheFrameAndTheObjects) {
    root_.SetDrawProc(
        [](CDC* dc, const RECT*, void*) {
            dc->FillRect({40, 50, 120, 100}, QColor(0, 0, 255));
        },
        nullptr);
    button_.SetVisible(0);
    const QImage shot = window_.grab().toImage();
    EXPECT_EQ(PixelAt(shot, 45, 55), 0xFF0000FFu);
}

TEST_F(MainUIObjectTest, AfterTheWindowEndsTheRootHearsNothingAndLetsGo) {
    DestroyWindow(Handle());
    EXPECT_EQ(root_.GetWnd(), nullptr);
    EXPECT_EQ(root_.ReDraw(nullptr), 0);
    EXPECT_EQ(root_.SendMessageToWnd(WM_PROBE, 0, 0), 0);

    RecordingWindow next;
    EXPECT_EQ(root_.Attach(next.GetSafeHwnd()), 1) << "the root can bind again";
}

TEST_F(MainUIObjectTest, ARootThatGoesFirstRestoresTheWindowsProcedure) {
    RecordingWindow window;
    const WNDPROC own = GetWindowProc(window.GetSafeHwnd());
    {
        CMainUIObject root;
        ASSERT_EQ(root.Attach(window.GetSafeHwnd()), 1);
        CMainUIObject second;
        EXPECT_EQ(second.Attach(window.GetSafeHwnd()), 0) << "one root per window";
        EXPECT_NE(GetWindowProc(window.GetSafeHwnd()), own);
    }
    EXPECT_EQ(GetWindowProc(window.GetSafeHwnd()), own);
    SendMessage(window.GetSafeHwnd(), WM_PROBE, 0, 0);
    EXPECT_EQ(window.Count(WM_PROBE), 1u);
}

// A procedure installed after the root's, chaining to it.
struct LaterSubclass {
    static inline WNDPROC previous = nullptr;
    static LRESULT Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return CallWindowProc(previous, hwnd, msg, wParam, lParam);
    }
};

TEST_F(MainUIObjectTest, ARootThatGoesWhileAnotherProcedureChainsToItPassesMessagesOn) {
    RecordingWindow window;
    auto root = std::make_unique<CMainUIObject>();
    ASSERT_EQ(root->Attach(window.GetSafeHwnd()), 1);
    LaterSubclass::previous = SetWindowProc(window.GetSafeHwnd(), &LaterSubclass::Procedure);
    root.reset();
    EXPECT_EQ(SendMessage(window.GetSafeHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"On")), 1);
    EXPECT_EQ(window.Count(WM_SETTEXT), 1u) << "the window's own procedure hears it again";

    CMainUIObject replacement;
    EXPECT_EQ(replacement.Attach(window.GetSafeHwnd()), 1);
    SendMessage(window.GetSafeHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Again"));
    EXPECT_EQ(replacement.GetCaptionObject().GetText(), L"Again");
    EXPECT_EQ(window.Count(WM_SETTEXT), 1u);
}

}  // namespace
