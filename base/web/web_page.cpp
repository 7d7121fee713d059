#include "web_page.h"

#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <utility>

namespace basalt {
namespace {

const QString kScriptName = QStringLiteral("folioforge-element-clicks");
const QString kReportPrefix = QStringLiteral("folioforge-click:");

// Capturing on the document sees every click, also those a page handler stops.
const QString kScriptSource = QStringLiteral(R"(
document.addEventListener('click', function (event) {
    for (var node = event.target; node; node = node.parentElement) {
        if (node.id === 'close' || node.id === 'close_ok') {
            console.info('folioforge-click:' + node.id);
            return;
        }
    }
}, true);
)");

QWebEngineScript ClickScript() {
    QWebEngineScript script;
    script.setName(kScriptName);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(kScriptSource);
    return script;
}

}  // namespace

CWebPage::CWebPage(ElementClicked clicked, QObject* parent)
    : QWebEnginePage(parent), clicked_(std::move(clicked)) {
    scripts().insert(ClickScript());
}

void CWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                        const QString& source) {
    // Messages of the page's own scripts name the page as their source.
    if (source != QStringLiteral("userscript:") + kScriptName ||
        !message.startsWith(kReportPrefix)) {
        return;
    }
    clicked_(message.mid(kReportPrefix.size()));
}

}  // namespace basalt
