// One QApplication for the whole test program, created before the first test on the main
// thread (fonts, icons and widgets need it). The offscreen platform's notes about what it
// cannot do (window masks, raising, keyboard grabs) are kept out of the test output.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

QtMessageHandler standardHandler = nullptr;

void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
        standardHandler(type, context, text);
    }
}

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "uikit_tests";
        static char* argv[] = {name, nullptr};
        standardHandler = qInstallMessageHandler(QuietPlatformNotes);
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
