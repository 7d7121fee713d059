// OpenWebWnd against pages of a live folioforge-recordd: the notifications and their records,
// the window kinds, the end of web windows, and what a page may make the desktop open.

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/registry.h"
#include "silent_server.h"
#include "url_catcher.h"
#include "web_window_fixture.h"

using namespace testsupport;

namespace {

bool IsOpenWindow(HWND window) {
    return IsWindow(window) != 0;
}

}  // namespace

TEST_F(WebWindowTest, PanelReportsItsPageAndShowsInsideItsParent) {
    // The request's letter case differs from the browser's address; only ASCII case differs.
    std::wstring requested = Url("/web/buttons.html");
    requested.replace(0, 4, L"HTTP");
    const HWND web =
        OpenWebWnd(requested.c_str(), parent_->GetSafeHwnd(), WEBWND_PANEL, kNotifyMessage);
    ASSERT_NE(web, nullptr);
    QWidget* window = WindowFromHandle(web);
    EXPECT_EQ(window->parentWidget(), parent_.get());
    EXPECT_FALSE(window->isWindow());
    EXPECT_FALSE(window->isVisible()) << "a panel waits for its owner to show it";

    ASSERT_TRUE(WaitForCode(WEBWND_DOCUMENT_COMPLETE));
    const SeenNotification complete = parent_->Seen(WEBWND_DOCUMENT_COMPLETE).at(0);
    EXPECT_EQ(complete.window, web);
    EXPECT_EQ(complete.url, Url("/web/buttons.html"));
    EXPECT_TRUE(WaitForTitle(web, L"Buttons"));

    SetWindowPos(web, 20, 40, 420, 120, 0);
    ShowWindow(web, SW_SHOW);
    Pump(1500);
    const QImage shot = parent_->grab().toImage();
    std::filesystem::create_directories(ARTEFACTS_DIR);
    shot.save(QString::fromUtf8(ARTEFACTS_DIR "/web_window_panel.png"));
    // The page's red "close" button, 10 px into the page, inside the window's frame.
    EXPECT_EQ(shot.pixelColor(20 + 1 + 30, 40 + 1 + 20), QColor(0xbb, 0x33, 0x33));
    EXPECT_EQ(parent_->Seen(WEBWND_DOCUMENT_COMPLETE).size(), 1u);
}

TEST_F(WebWindowTest, ClickingCloseOrCloseOkNotifiesThenEndsTheWindow) {
    // "close_ok" is clicked on the text inside it: a click within the element counts.
    for (const auto& [at, code] :
         {std::pair{QPoint(40, 25), WEBWND_CLOSE}, std::pair{QPoint(75, 72), WEBWND_CLOSE_OK}}) {
        parent_->seen.clear();
        const HWND web = OpenWebWnd(Url("/web/buttons.html").c_str(), parent_->GetSafeHwnd(),
                                    WEBWND_PANEL | WEBWND_VISIBLE, kNotifyMessage);
        ASSERT_NE(web, nullptr);
        SetWindowPos(web, 0, 0, 400, 200, 0);
        ASSERT_TRUE(WaitForCode(WEBWND_DOCUMENT_COMPLETE));
        Pump(300);
        const QPointer<QWidget> window = WindowFromHandle(web);

        ClickPage(web, at);
        ASSERT_TRUE(WaitForCode(code)) << "code " << code;
        EXPECT_EQ(parent_->Seen(code).at(0).window, web);
        EXPECT_FALSE(IsOpenWindow(web));
        EXPECT_TRUE(WaitFor([&] { return window.isNull(); })) << "the window object is freed";
    }
}

TEST_F(WebWindowTest, NewWindowRequestsAreReportedAndOnlyWebAddressesOpen) {
    UrlCatcher catcher{"http", "https", "file", "mailto", "ftp"};
    const std::wstring help = Url("/help");
    struct Case {
        std::wstring target;
        int16_t answer;
        bool opens;
    };
    for (const Case& c :
         {Case{help, 0, true}, Case{help, -1, false}, Case{L"file:///etc/hostname", 0, false},
          Case{L"mailto:someone@example.invalid", 0, false},
          Case{L"ftp://127.0.0.1/file", 0, false}}) {
        SCOPED_TRACE(QString::fromStdWString(c.target).toStdString());
        parent_->seen.clear();
        parent_->cancelAnswer = c.answer;
        catcher.opened.clear();
        const QByteArray encoded = QUrl::toPercentEncoding(QString::fromStdWString(c.target));
        const std::wstring page =
            Url("/web/opener.html?to=") + QString::fromLatin1(encoded).toStdWString();
        const HWND web =
            OpenWebWnd(page.c_str(), parent_->GetSafeHwnd(), WEBWND_POPUP, kNotifyMessage);
        ASSERT_NE(web, nullptr);
        ASSERT_TRUE(WaitForCode(WEBWND_DOCUMENT_COMPLETE));
        const bool asked = WaitForCode(WEBWND_NEW_WINDOW, c.opens ? 20000 : 3000);
        Pump(300);
        if (c.opens || c.answer != 0) {
            ASSERT_TRUE(asked);
        }
        if (asked) {
            const SeenNotification seen = parent_->Seen(WEBWND_NEW_WINDOW).at(0);
            EXPECT_EQ(seen.window, web);
            EXPECT_TRUE(seen.cancelPresetFalse);
            EXPECT_EQ(seen.url, c.target);
            EXPECT_EQ(seen.context, page);
            EXPECT_EQ(seen.flags & WEBWND_NEWWINDOW_USER_INITIATED, 0u) << "opened by a script";
        }
        EXPECT_EQ(catcher.opened,
                  c.opens ? QStringList{QString::fromStdWString(help)} : QStringList{});
        DestroyWindow(web);
    }
}

TEST_F(WebWindowTest, NavigationErrorsReportTheAddressAndStatus) {
    SilentServer closed;
    closed.Close();  // nothing listens there any more: the connection is refused
    for (const auto& [url, httpStatus] :
         {std::pair{closed.Url(), false}, std::pair{Url("/web/missing.html"), true}}) {
        parent_->seen.clear();
        const HWND web =
            OpenWebWnd(url.c_str(), parent_->GetSafeHwnd(), WEBWND_PANEL, kNotifyMessage);
        ASSERT_NE(web, nullptr);
        ASSERT_TRUE(WaitForCode(WEBWND_NAVIGATE_ERROR));
        const SeenNotification error = parent_->Seen(WEBWND_NAVIGATE_ERROR).at(0);
        EXPECT_EQ(error.window, web);
        EXPECT_EQ(error.url, url);
        EXPECT_EQ(error.frame, L"");
        EXPECT_TRUE(error.cancelPresetFalse);
        if (httpStatus) {
            EXPECT_EQ(error.status, 404);
        } else {
            EXPECT_LT(error.status, 0) << "a network error number";
        }
        Pump(300);
        EXPECT_TRUE(parent_->Seen(WEBWND_DOCUMENT_COMPLETE).empty());
        DestroyWindow(web);
    }
}

TEST_F(WebWindowTest, NothingIsSentWithoutParentOrMessage) {
    const HWND quiet =
        OpenWebWnd(Url("/web/buttons.html").c_str(), parent_->GetSafeHwnd(), WEBWND_PANEL, 0);
    ASSERT_NE(quiet, nullptr);
    ASSERT_TRUE(WaitForTitle(quiet, L"Buttons"));

    const HWND alone =
        OpenWebWnd(Url("/web/buttons.html").c_str(), nullptr, WEBWND_STANDALONE, kNotifyMessage);
    ASSERT_NE(alone, nullptr);
    QWidget* window = WindowFromHandle(alone);
    EXPECT_TRUE(window->isWindow());
    EXPECT_TRUE(window->isVisible()) << "nobody else would show it";
    EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint) << "it has a caption";
    EXPECT_TRUE(WaitForTitle(alone, L"Buttons"));
    Pump(500);
    EXPECT_TRUE(parent_->seen.empty());
    DestroyWindow(alone);
    EXPECT_FALSE(IsOpenWindow(alone));
}

TEST_F(WebWindowTest, SwitchedOffNetworkOrBadArgumentsGiveNull) {
    const size_t windowsBefore = QApplication::topLevelWidgets().size();
    const HWND parent = parent_->GetSafeHwnd();
    const std::wstring page = Url("/web/buttons.html");
    EXPECT_EQ(OpenWebWnd(nullptr, parent, WEBWND_PANEL, kNotifyMessage), nullptr);
    EXPECT_EQ(OpenWebWnd(page.c_str(), nullptr, WEBWND_PANEL, kNotifyMessage), nullptr)
        << "a child needs a parent";
    EXPECT_EQ(OpenWebWnd(page.c_str(), reinterpret_cast<HWND>(uintptr_t{0x7fffffff}), WEBWND_POPUP,
                         kNotifyMessage),
              nullptr)
        << "not a window";

    platform::RegWriteDWord(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                            L"CheckSkip", 1);
    InitBasalt(HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
    ASSERT_EQ(IsSkipURL(), 1);
    EXPECT_EQ(OpenWebWnd(page.c_str(), parent, WEBWND_POPUP, kNotifyMessage), nullptr);
    EXPECT_EQ(OpenWebWnd(page.c_str(), nullptr, WEBWND_STANDALONE, 0), nullptr);
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore) << "nothing was created";
    EXPECT_TRUE(parent_->findChildren<CHostWindow*>().isEmpty());
}

TEST_F(WebWindowTest, DestroyingTheParentEndsEveryWebWindowItHoldsOrOwns) {
    const std::wstring page = Url("/web/buttons.html");
    const HWND parent = parent_->GetSafeHwnd();
    const HWND panel = OpenWebWnd(page.c_str(), parent, WEBWND_PANEL, kNotifyMessage);
    const HWND standalone = OpenWebWnd(page.c_str(), parent, WEBWND_STANDALONE, kNotifyMessage);
    const HWND popup = OpenWebWnd(page.c_str(), parent, WEBWND_POPUP, kNotifyMessage);
    ASSERT_TRUE(panel && standalone && popup);
    for (const HWND owned : {standalone, popup}) {
        QWidget* window = WindowFromHandle(owned);
        EXPECT_TRUE(window->isWindow());
        EXPECT_EQ(window->parentWidget(), parent_.get()) << "owned by the parent";
    }
    EXPECT_TRUE(WindowFromHandle(popup)->windowFlags() & Qt::FramelessWindowHint);
    ShowWindow(popup, SW_SHOW);
    ASSERT_TRUE(WaitFor([&] { return parent_->Seen(WEBWND_DOCUMENT_COMPLETE).size() == 3; }));

    const QPointer<QWidget> popupObject = WindowFromHandle(popup);
    DestroyWindow(parent);
    for (const HWND web : {panel, standalone, popup}) {
        EXPECT_FALSE(IsOpenWindow(web));
    }
    EXPECT_TRUE(WaitFor([&] { return popupObject.isNull(); }));
}

TEST_F(WebWindowTest, SlowPagesAndSilentServersNeverBlockTheCaller) {
    SilentServer silent;
    SetTimer(parent_->GetSafeHwnd(), 1, 20);
    const auto start = std::chrono::steady_clock::now();
    const HWND slow = OpenWebWnd(Url("/web/slow.html").c_str(), parent_->GetSafeHwnd(),
                                 WEBWND_PANEL | WEBWND_VISIBLE, kNotifyMessage);
    const HWND unanswered = OpenWebWnd(silent.Url().c_str(), parent_->GetSafeHwnd(),
                                       WEBWND_POPUP | WEBWND_VISIBLE, kNotifyMessage);
    ASSERT_TRUE(slow && unanswered);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    ASSERT_TRUE(WaitForTitle(slow, L"Slow"));
    parent_->timerTicks = 0;
    Pump(2000);
    EXPECT_GE(parent_->timerTicks, 40) << "the caller's events keep flowing";
    EXPECT_TRUE(parent_->seen.empty()) << "neither page has finished or failed";

    DestroyWindow(slow);
    DestroyWindow(unanswered);
    EXPECT_FALSE(IsOpenWindow(slow) || IsOpenWindow(unanswered));
}

TEST_F(WebWindowTest, AWorkerThreadGetsAWindowOfTheApplicationThread) {
    std::atomic<HWND> web = nullptr;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        web = OpenWebWnd(Url("/web/buttons.html").c_str(), parent_->GetSafeHwnd(), WEBWND_PANEL,
                         kNotifyMessage);
        done = true;
    });
    ASSERT_TRUE(WaitFor([&] { return done.load(); }));
    worker.join();
    ASSERT_NE(web.load(), nullptr);
    EXPECT_EQ(WindowFromHandle(web)->thread(), QApplication::instance()->thread());
    EXPECT_TRUE(WaitForCode(WEBWND_DOCUMENT_COMPLETE));
}

int main(int argc, char** argv) {
    // Chromium will not run sandboxed as root; its profile goes to the tests' own folder.
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    const TempDir data;
    setenv("XDG_DATA_HOME", (data.path() / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (data.path() / "cache").c_str(), 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
