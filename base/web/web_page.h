#pragma once

// The page of a web window: reports clicks on the elements with the ids "close" and "close_ok".
//
// A script in a world of its own (the page's scripts cannot see or change it) listens for
// clicks on the document and reports a click on either element, or inside one, as a console
// message of its own source, which this page picks out.

#include <QWebEnginePage>
#include <functional>

namespace basalt {

class CWebPage final : public QWebEnginePage {
public:
    using ElementClicked = std::function<void(const QString& id)>;

    CWebPage(ElementClicked clicked, QObject* parent);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int line, const QString& source) override;

private:
    ElementClicked clicked_;
};

}  // namespace basalt
