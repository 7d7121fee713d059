#include "app_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <memory>

#include "make_pdf_dialog.h"

namespace apptest {

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform's notes about what it cannot do are kept out of the test output.
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
        standardHandler(type, context, text);
    }
}

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "app_tests";
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

std::filesystem::path ArtefactPath(const std::string& name) {
    const char* testTmp = std::getenv("FOLIOFORGE_TEST_TMP");
    const std::filesystem::path build =
        testTmp ? std::filesystem::path(testTmp).parent_path() : std::filesystem::current_path();
    std::filesystem::create_directories(build / "artefacts");
    return build / "artefacts" / name;
}

bool SaveScreenshot(QWidget& widget, const std::string& name) {
    return widget.grab().save(QString::fromStdString(ArtefactPath(name).string()), "PNG");
}

ModalAnswerer::ModalAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswerer::Poll);
    timer_.start(20);
}

void ModalAnswerer::Poll() {
    const CMakePDFDialog* finishedNow = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible()) {
            continue;
        }
        if (auto* box = qobject_cast<QMessageBox*>(widget)) {
            boxTexts.push_back(box->text());
            QAbstractButton* button = box->button(answer_);
            if (button) {
                button->click();
            } else {
                box->close();
            }
        } else if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            ++fileDialogs;
            dialog->reject();
        } else if (auto* progress = dynamic_cast<CMakePDFDialog*>(widget);
                   progress && progress->IsFinished()) {
            finishedNow = progress;
            if (onFinished && progress != lastFinished_) {
                onFinished(*progress);
            }
            PostMessage(progress->GetSafeHwnd(), WM_COMMAND, IDOK, 0);
        }
    }
    lastFinished_ = finishedNow;  // a dialog is shot once, even one at a reused address
}

}  // namespace apptest
