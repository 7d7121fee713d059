// The main window's web areas against a live folioforge-recordd: the start page, the banner
// following ShowAD, the bottom strip following the window, the news ticker and its links, and
// screenshots of the window with banner and with ticker.

#include <QApplication>
#include <QElapsedTimer>
#include <QUrl>
#include <cstdlib>
#include <set>

#include "app_test_support.h"
#include "conversion_fixture.h"
#include "folioforge_dlg.h"
#include "platform/text.h"
#include "qt_wait.h"
#include "recordd_process.h"
#include "silent_server.h"
#include "url_catcher.h"
#include "web_area_hooks.h"

namespace {

using testsupport::WaitUntil;

// Web windows need these before the application object exists, which the test environment
// creates before any test runs.
const bool kWebReady = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0) {
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    }
    return true;
}();

QRect ScreenRect(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

class WebAreasTest : public apptest::ConversionTest {
protected:
    WebAreasTest() {
        setenv("FOLIOFORGE_SERVER", server_.url().c_str(), 1);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            before_.insert(widget);
        }
    }
    ~WebAreasTest() override {
        window_.reset();
        // The start pages the windows opened are not kept by the program.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* host = dynamic_cast<CHostWindow*>(widget);
            if (host && !before_.count(widget) && IsWindow(host->GetSafeHwnd())) {
                DestroyWindow(host->GetSafeHwnd());
            }
        }
        unsetenv("FOLIOFORGE_SERVER");
    }

    // Opens the main window with the server handing out entries; waits for its web areas.
    CFolioforgeDlg& OpenWindow(const std::string& entries) {
        server_.SetEntries(entries);
        window_ = std::make_unique<CFolioforgeDlg>(*app_, std::vector<std::wstring>{});
        window_->show();
        EXPECT_TRUE(WaitUntil([&] { return window_->GetWebAreas()->IsBuilt(); }));
        return *window_;
    }

    const app::WebAreas& Areas() const { return *window_->GetWebAreas(); }
    std::wstring LinkText() { return window_->VersionLink().GetText(); }
    void ClickLink() { SendMessage(window_->GetSafeHwnd(), WM_COMMAND, 2008, 0); }

    std::string Page(const std::string& path) const { return server_.url() + path; }

    testsupport::RecorddProcess server_{dir_.path()};
    std::unique_ptr<CFolioforgeDlg> window_;
    std::set<QWidget*> before_;
    testsupport::UrlCatcher catcher_{"http", "https", "file", "javascript", "data"};
};

TEST_F(WebAreasTest, TickerRotatesEveryIntervalAndAClickOpensTheLinkShown) {
    OpenWindow("AdTextInfo=3000|A|http://l1.test/|B|https://l2.test/\n");
    EXPECT_EQ(Areas().Strip(), nullptr);
    EXPECT_EQ(LinkText(), L"A");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitUntil([&] { return LinkText() == L"B"; }, 5000));
    EXPECT_GE(clock.elapsed(), 2500);
    ClickLink();
    EXPECT_EQ(catcher_.opened, QStringList{QStringLiteral("https://l2.test/")});
    ASSERT_TRUE(WaitUntil([&] { return LinkText() == L"A"; }, 5000));
    ClickLink();
    EXPECT_EQ(catcher_.opened.size(), 2);
    EXPECT_TRUE(apptest::SaveScreenshot(*window_, "main-window-ticker.png"));
}

TEST_F(WebAreasTest, TickerLinksThatAreNotWebAddressesAreNeverOpened) {
    OpenWindow(
        "AdTextInfo=10|J|javascript:alert(1)|F|file:///etc/passwd|D|data:text/html,<b>x</b>\n");
    for (int i = 0; i < 3; ++i) {
        const std::wstring shown = LinkText();
        ClickLink();
        ASSERT_TRUE(WaitUntil([&] { return LinkText() != shown; }, 2000));
    }
    QApplication::processEvents();
    EXPECT_TRUE(catcher_.opened.isEmpty()) << catcher_.opened.join(' ').toStdString();
}

TEST_F(WebAreasTest, TickerValuesWithoutPairsKeepTheVersionText) {
    const std::wstring version = [&] {
        CFolioforgeDlg probe(*app_, {});
        return probe.VersionLink().GetText();
    }();
    OpenWindow("AdTextInfo=|||\n");
    EXPECT_EQ(LinkText(), version);
    ClickLink();
    EXPECT_TRUE(catcher_.opened.isEmpty());
}

TEST_F(WebAreasTest, WithAStripTheTickerIsNotUsedAndTheStripFollowsTheWindow) {
    const std::wstring version = [&] {
        CFolioforgeDlg probe(*app_, {});
        return probe.VersionLink().GetText();
    }();
    CFolioforgeDlg& window =
        OpenWindow("AdURL=" + Page("/web/buttons.html") + "\nAdTextInfo=3000|A|http://l1/\n");
    ASSERT_NE(Areas().Strip(), nullptr);
    EXPECT_EQ(LinkText(), version);
    const HWND strip = Areas().Strip();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(strip); }));  // on the page's 7690

    const auto expected = [&] {
        const QRect main = ScreenRect(window.GetSafeHwnd());
        QRect region = GetWindowRgn(window.GetSafeHwnd()).boundingRect();
        if (region.isEmpty()) {
            region = QRect(QPoint(0, 0), main.size());
        }
        return QRect(main.left() + region.left() + 10,
                     main.top() + region.top() + region.height() - 25, region.width() - 18, 20);
    };
    EXPECT_EQ(ScreenRect(strip), expected());
    window.move(window.pos() + QPoint(37, 21));
    QApplication::processEvents();
    EXPECT_EQ(ScreenRect(strip), expected());
    window.resize(820, 640);
    QApplication::processEvents();
    EXPECT_EQ(ScreenRect(strip), expected());
    EXPECT_EQ(ScreenRect(strip).height(), 20);

    DestroyWindow(window.GetSafeHwnd());
    EXPECT_FALSE(IsWindow(strip));
}

TEST_F(WebAreasTest, BannerSitsRightOfTheToolbarAndFollowsShowAD) {
    app_->Settings().SetShowAD(0);
    CFolioforgeDlg& window = OpenWindow("AdURLTop=" + Page("/web/buttons.html") + "\n");
    const HWND banner = Areas().Banner();
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(IsWindowVisible(banner));
    const QRect placed = WindowFromHandle(banner)->geometry();
    EXPECT_EQ(placed, QRect(430, 32, window.width() - 440, 50));

    app_->Settings().SetShowAD(1);
    EXPECT_TRUE(IsWindowVisible(banner));
    window.resize(900, 650);
    QApplication::processEvents();
    EXPECT_EQ(WindowFromHandle(banner)->geometry(), QRect(430, 32, 460, 50));
    WaitUntil([] { return false; }, 1500);  // let the page paint
    EXPECT_TRUE(apptest::SaveScreenshot(window, "main-window-banner.png"));
    app_->Settings().SetShowAD(0);
    EXPECT_FALSE(IsWindowVisible(banner));
}

TEST_F(WebAreasTest, StartPageOpensUnlessTheServerSaysInternetFalse) {
    const struct {
        const char* entry;
        bool opens;
    } cases[] = {{"Internet=\n", true}, {"Internet=TRUE\n", true}, {"Internet=false\n", false}};
    for (const auto& c : cases) {
        InitBasalt(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
        server_.SetEntries(c.entry);
        DownloadIni(nullptr);
        const HWND page = app::OpenStartPage();
        EXPECT_EQ(page != nullptr, c.opens) << c.entry;
        if (page) {
            EXPECT_TRUE(IsWindowVisible(page));
            DestroyWindow(page);
        }
    }
    InitBasalt(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
}

TEST_F(WebAreasTest, ClosingWhileTheUpdateCheckWaitsOnASilentServerEndsCleanly) {
    // A server that never answers: the check's request waits for its time-out.
    const testsupport::SilentServer silent;
    const std::string url = platform::ToUtf8(silent.Url(L""));
    setenv("FOLIOFORGE_HTTP_TIMEOUT_MS", "1500", 1);
    setenv("FOLIOFORGE_SERVER", url.c_str(), 1);
    QElapsedTimer clock;
    {
        CFolioforgeDlg window(*app_, {});
        window.show();
        WaitUntil([] { return false; }, 300);
        EXPECT_FALSE(window.GetWebAreas()->IsBuilt());  // still waiting for the server
        clock.start();
        DestroyWindow(window.GetSafeHwnd());
        EXPECT_EQ(window.GetWebAreas(), nullptr);
    }
    EXPECT_LT(clock.elapsed(), 5000);
    unsetenv("FOLIOFORGE_HTTP_TIMEOUT_MS");
}

}  // namespace
