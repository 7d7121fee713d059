#include "qt_application.h"

namespace testsupport {

namespace {

QtMessageHandler standardHandler = nullptr;

void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
        standardHandler(type, context, text);
    }
}

}  // namespace

std::unique_ptr<QApplication> StartQtApplication(const char* programName) {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    standardHandler = qInstallMessageHandler(QuietPlatformNotes);
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace testsupport
