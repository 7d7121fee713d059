#pragma once

// CWebWindow: a window of the window layer that shows one web page (a QWebEngineView filling
// its client area, inside a one-pixel frame for bordered styles) and reports the page's events
// to its parent through a WebNotifier.
//
// The window owns itself: it deletes itself (later) once its handle ends, whoever ends it, and
// it ends with its parent. Windows still open when the application object goes are deleted
// before the browser engine shuts down. GUI thread only.

#include <QUrl>
#include <QWebEngineView>
#include <string>

#include "ui/host_window.h"
#include "web_notifier.h"
#include "web_page.h"
#include "web_style.h"

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

namespace basalt {

struct WebWindowRequest {
    std::wstring url;
    HWND parent = nullptr;
    WebWindowShape shape;
    unsigned int message = 0;
};

class CWebWindow final : public CHostWindow {
public:
    // Creates the window and starts loading its page; the handle of the new window, or null
    // when the request cannot be met (a parent that is not a window, a child without parent).
    static HWND Open(const WebWindowRequest& request);

    ~CWebWindow() override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    CWebWindow(const WebWindowRequest& request, QWidget* parent);

    void Place(QWidget* parent);
    void OnLoading(const QWebEngineLoadingInfo& loading);
    void OnElementClicked(const QString& id);
    void OnNewWindow(QWebEngineNewWindowRequest& request);

    QUrl url_;
    bool framed_;
    bool ending_ = false;  // in the destructor: the object is going anyway
    WebNotifier notifier_;
    QWebEngineView* view_;
    CWebPage* page_;
};

}  // namespace basalt
