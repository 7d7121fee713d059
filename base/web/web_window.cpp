#include "web_window.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <set>

#include "parent_watch.h"
#include "qt_strings.h"
#include "ui/region.h"
#include "web_url.h"

namespace basalt {
namespace {

// Where a new window starts and how large it is, in dialog units.
constexpr int kStartDialogUnits = 10;
constexpr int kSizeDialogUnits = 200;

std::set<CWebWindow*>& LiveWindows() {
    static std::set<CWebWindow*> windows;
    return windows;
}

// Runs as the application object goes, before the browser engine shuts down (which wants every
// page gone by then).
void DeleteLiveWindows() {
    while (!LiveWindows().empty()) {
        delete *LiveWindows().begin();
    }
}

Qt::WindowFlags WindowFlagsOf(const WebWindowShape& shape, bool owned) {
    if (shape.child) {
        return Qt::Widget;
    }
    if (shape.caption) {
        return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
               Qt::WindowCloseButtonHint;
    }
    // An owned pop-up (a strip over its owner) stays out of the task bar.
    return (owned ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint;
}

// The address as the browser states it: an empty path of an address with a host is "/".
QUrl Normalised(QUrl url) {
    if (!url.host().isEmpty() && url.path().isEmpty()) {
        url.setPath(QStringLiteral("/"));
    }
    return url;
}

bool SameAddressIgnoringCase(const QUrl& a, const QUrl& b) {
    return qstricmp(Normalised(a).toEncoded().constData(), Normalised(b).toEncoded().constData()) ==
           0;
}

std::wstring AddressText(const QUrl& url) {
    return ToWide(QString::fromLatin1(url.toEncoded()));
}

uint32_t NewWindowFlags(const QWebEngineNewWindowRequest& request) {
    uint32_t flags = request.isUserInitiated() ? WEBWND_NEWWINDOW_USER_INITIATED : 0;
    switch (request.destination()) {
        case QWebEngineNewWindowRequest::InNewWindow:
            return flags | WEBWND_NEWWINDOW_WINDOW;
        case QWebEngineNewWindowRequest::InNewTab:
            return flags | WEBWND_NEWWINDOW_TAB;
        case QWebEngineNewWindowRequest::InNewBackgroundTab:
            return flags | WEBWND_NEWWINDOW_TAB | WEBWND_NEWWINDOW_BACKGROUND;
        case QWebEngineNewWindowRequest::InNewDialog:
            return flags | WEBWND_NEWWINDOW_DIALOG;
    }
    return flags;
}

}  // namespace

HWND CWebWindow::Open(const WebWindowRequest& request) {
    QWidget* parent = WindowFromHandle(request.parent);
    if ((request.parent != nullptr && parent == nullptr) ||
        (request.shape.child && parent == nullptr)) {
        return nullptr;
    }
    auto* window = new CWebWindow(request, parent);
    // After the first page exists, so that this runs before the engine's own clean-up.
    [[maybe_unused]] static const bool cleanupRegistered =
        (qAddPostRoutine(&DeleteLiveWindows), true);
    return window->GetSafeHwnd();
}

CWebWindow::CWebWindow(const WebWindowRequest& request, QWidget* parent)
    : url_(ToQString(request.url)),
      framed_(request.shape.border),
      notifier_(request.parent, request.message),
      view_(new QWebEngineView(this)),
      page_(new CWebPage([this](const QString& id) { OnElementClicked(id); }, view_)) {
    LiveWindows().insert(this);
    notifier_.SetWindow(GetSafeHwnd());
    setParent(parent, WindowFlagsOf(request.shape, parent != nullptr));
    SetWindowText(GetSafeHwnd(), L"Dialog");

    view_->setPage(page_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(QMargins() + (framed_ ? 1 : 0));
    layout->addWidget(view_);

    connect(page_, &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& loading) { OnLoading(loading); });
    connect(page_, &QWebEnginePage::newWindowRequested, this,
            [this](QWebEngineNewWindowRequest& request) { OnNewWindow(request); });
    connect(page_, &QWebEnginePage::titleChanged, this, [this](const QString& title) {
        if (!title.isEmpty()) {
            SetWindowText(GetSafeHwnd(), ToWide(title).c_str());
        }
    });
    if (request.parent != nullptr) {
        new ParentWatch(request.parent, this, [this] { DestroyWindow(GetSafeHwnd()); });
    }

    Place(parent);
    page_->load(url_);
    if (request.shape.visible || parent == nullptr) {
        show();
    }
}

CWebWindow::~CWebWindow() {
    ending_ = true;
    LiveWindows().erase(this);
    DestroyWindow(GetSafeHwnd());
}

void CWebWindow::Place(QWidget* parent) {
    const QFontMetrics metrics(font());
    const auto across = [&](int units) { return units * metrics.averageCharWidth() / 4; };
    const auto down = [&](int units) { return units * metrics.height() / 8; };
    QPoint at(across(kStartDialogUnits), down(kStartDialogUnits));
    if (isWindow() && parent != nullptr) {
        at = parent->mapToGlobal(at);
    } else if (isWindow() && QGuiApplication::primaryScreen() != nullptr) {
        at += QGuiApplication::primaryScreen()->availableGeometry().topLeft();
    }
    resize(across(kSizeDialogUnits), down(kSizeDialogUnits));
    move(at);
}

LRESULT CWebWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && framed_) {
        FrameRgn(reinterpret_cast<CDC*>(wParam), QRegion(rect()), GetSysColor(COLOR_WINDOWFRAME));
    } else if (msg == WM_NCDESTROY && !ending_) {
        deleteLater();
    }
    return CHostWindow::WindowProc(msg, wParam, lParam);
}

void CWebWindow::OnLoading(const QWebEngineLoadingInfo& loading) {
    if (loading.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
        if (SameAddressIgnoringCase(loading.url(), url_)) {
            notifier_.DocumentComplete(AddressText(loading.url()));
        }
    } else if (loading.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
        const bool cancelled =
            notifier_.NavigateError(AddressText(loading.url()), loading.errorCode());
        if (cancelled && IsWindow(GetSafeHwnd())) {
            page_->setHtml(QString());
        }
    }
}

void CWebWindow::OnElementClicked(const QString& id) {
    if (id != QStringLiteral("close") && id != QStringLiteral("close_ok")) {
        return;
    }
    notifier_.ElementClicked(id == QStringLiteral("close") ? WEBWND_CLOSE : WEBWND_CLOSE_OK);
    DestroyWindow(GetSafeHwnd());
}

// Unless the parent cancels, the address goes to the desktop's browser, and only when it is an
// http or https address: a page must not make the desktop open files or other programs.
void CWebWindow::OnNewWindow(QWebEngineNewWindowRequest& request) {
    const QUrl target = request.requestedUrl();
    const std::wstring address = AddressText(target);
    if (notifier_.NewWindow(NewWindowFlags(request), AddressText(page_->url()), address)) {
        return;
    }
    if (IsWebUrl(address)) {
        QDesktopServices::openUrl(target);
    }
}

}  // namespace basalt
