#pragma once

// WebAreas: what the maker publishes in the main window through the server's entries. After
// the update check (UpdateCheckWorker) it builds one of: the banner, a web panel right of the
// toolbar that follows ShowAD ("AdURLTop"); the bottom strip, a pop-up web window along the
// window's lower edge ("AdURL"); or the news ticker rotating texts through the version link
// ("AdTextInfo"), when there is no strip. Only http and https addresses are ever opened.
//
// Owned by the main window and used on the GUI thread only. The destructor stops timer 3,
// destroys the strip, leaves ShowAD changes to nobody and waits for the update check (see
// UpdateCheckWorker): destroy it while the main window's handle still works.

#include <string>

#include "engine/conversion_settings.h"
#include "news_ticker.h"
#include "trellis/ui_static.h"
#include "trellis/wnd_anchor.h"
#include "ui/window_api.h"
#include "update_worker.h"

namespace app {

class WebAreas {
public:
    static constexpr UINT_PTR kTickerTimer = 3;

    // mainWindow, newsLink, anchors and settings (the live record) must outlive the object.
    WebAreas(HWND mainWindow, CUILink& newsLink, CWndAnchor& anchors,
             engine::ConversionSettings& settings);
    ~WebAreas();
    WebAreas(const WebAreas&) = delete;
    WebAreas& operator=(const WebAreas&) = delete;

    // Opens the start page and starts the update check, whose end calls Build.
    void Start();

    // WM_WEB_AREAS_READY: builds the banner, then the strip or else the ticker. Once only.
    void Build();

    // Moves the strip along the main window's lower edge; with show, shows it as well. Nothing
    // without a strip.
    void PlaceStrip(bool show);

    // Timer 3: the next ticker text into the link.
    void ShowNextNews();

    // A click on the link: opens the link of the text it shows, when that is an http or https
    // address. The version text has no link.
    void OpenNewsLink();

    HWND Banner() const { return banner_; }
    HWND Strip() const { return strip_; }
    bool IsBuilt() const { return built_; }

private:
    void BuildBanner(const std::wstring& url);
    void BuildStrip(const std::wstring& url);
    void BuildTicker(const std::wstring& value);

    HWND mainWindow_;
    CUILink& newsLink_;
    CWndAnchor& anchors_;
    engine::ConversionSettings& settings_;
    HWND banner_ = nullptr;
    HWND strip_ = nullptr;
    NewsTicker ticker_;
    bool built_ = false;
    UpdateCheckWorker worker_;  // last, so it is waited for before the rest goes
};

}  // namespace app
