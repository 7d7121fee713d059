#include "web_areas.h"

#include <QRegion>

#include "basalt/basalt.h"
#include "desktop_services.h"
#include "texts.h"
#include "web_area_hooks.h"

namespace app {

namespace {

constexpr int kBannerLeft = 430;
constexpr int kBannerRight = -10;
constexpr int kBannerTop = 32;
constexpr int kBannerBottom = 82;
constexpr int kStripAboveRegionBottom = 25;
constexpr int kStripInsetLeft = 10;
constexpr int kStripInsetRight = 8;
constexpr int kStripHeight = 20;

std::wstring IniValue(const wchar_t* key) {
    const wchar_t* value = GetIniString(key);
    return value ? value : L"";
}

}  // namespace

WebAreas::WebAreas(HWND mainWindow, CUILink& newsLink, CWndAnchor& anchors,
                   engine::ConversionSettings& settings)
    : mainWindow_(mainWindow), newsLink_(newsLink), anchors_(anchors), settings_(settings) {}

WebAreas::~WebAreas() {
    KillTimer(mainWindow_, kTickerTimer);
    settings_.SetBannerObserver(nullptr);
    if (IsWindow(strip_)) {
        ShowWindow(strip_, SW_HIDE);
        DestroyWindow(strip_);
    }
}

void WebAreas::Start() {
    OpenStartPage();
    worker_.Start(mainWindow_, Text(L"200001"));
}

void WebAreas::Build() {
    if (built_) {
        return;
    }
    built_ = true;
    BuildBanner(IniValue(L"AdURLTop"));
    const std::wstring stripUrl = IniValue(L"AdURL");
    if (!stripUrl.empty()) {
        BuildStrip(stripUrl);
    } else {
        BuildTicker(IniValue(L"AdTextInfo"));
    }
}

void WebAreas::BuildBanner(const std::wstring& url) {
    if (url.empty()) {
        return;
    }
    banner_ = OpenWebWnd(url.c_str(), mainWindow_, WEBWND_PANEL, WM_WEB_WINDOW_NOTICE);
    if (!banner_) {
        return;
    }
    anchors_.SetAnchor(banner_, ANCHOR_LEFT, mainWindow_, ANCHOR_LEFT, kBannerLeft);
    anchors_.SetAnchor(banner_, ANCHOR_RIGHT, mainWindow_, ANCHOR_RIGHT, kBannerRight);
    anchors_.SetAnchor(banner_, ANCHOR_TOP, mainWindow_, ANCHOR_TOP, kBannerTop);
    anchors_.SetAnchor(banner_, ANCHOR_BOTTOM, mainWindow_, ANCHOR_TOP, kBannerBottom);
    anchors_.Relayout();
    const HWND banner = banner_;
    settings_.SetBannerObserver([banner](bool shown) {
        if (IsWindow(banner)) {
            ShowWindow(banner, shown ? SW_SHOW : SW_HIDE);
        }
    });
    if (settings_.ShowAD) {
        ShowWindow(banner_, SW_SHOW);
    }
}

void WebAreas::BuildStrip(const std::wstring& url) {
    strip_ = OpenWebWnd(url.c_str(), mainWindow_, WEBWND_POPUP, WM_WEB_WINDOW_NOTICE);
}

void WebAreas::BuildTicker(const std::wstring& value) {
    if (value.empty()) {
        return;
    }
    if (ticker_.Parse(value)) {
        SetTimer(mainWindow_, kTickerTimer, ticker_.IntervalMs());
        ShowNextNews();
    } else {
        KillTimer(mainWindow_, kTickerTimer);
    }
}

void WebAreas::PlaceStrip(bool show) {
    if (!IsWindow(strip_)) {
        return;
    }
    RECT window;
    GetWindowRect(mainWindow_, &window);
    QRect region = GetWindowRgn(mainWindow_).boundingRect();
    if (region.isEmpty()) {
        region = QRect(0, 0, window.right - window.left, window.bottom - window.top);
    }
    const int top = window.top + region.y() + region.height() - kStripAboveRegionBottom;
    const int left = window.left + region.x() + kStripInsetLeft;
    const int right = window.left + region.x() + region.width() - kStripInsetRight;
    SetWindowPos(strip_, left, top, right - left, kStripHeight, 0);
    if (show) {
        ShowWindow(strip_, SW_SHOW);
    }
}

void WebAreas::ShowNextNews() {
    const std::wstring text = ticker_.NextText();
    if (!text.empty()) {
        newsLink_.SetText(text.c_str(), 1);
    }
}

void WebAreas::OpenNewsLink() {
    const std::wstring link = ticker_.LinkOf(newsLink_.GetText());
    if (!link.empty()) {
        OpenWebPage(link);
    }
}

}  // namespace app
