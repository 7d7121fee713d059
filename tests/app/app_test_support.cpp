#include "app_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <memory>

#include "make_pdf_dialog.h"
#include "qt_application.h"

namespace apptest {

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = testsupport::StartQtApplication("app_tests"); }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

std::filesystem::path ArtefactPath(const std::string& name) {
    const std::filesystem::path folder = ARTEFACTS_DIR;
    std::filesystem::create_directories(folder);
    return folder / name;
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
            if (fileAnswers.empty()) {
                dialog->reject();
            } else {
                // Typed into the name field, as a user would; accept() checks it is a file.
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(fileAnswers.front());
                fileAnswers.erase(fileAnswers.begin());
                static_cast<QDialog*>(dialog)->accept();  // public there
            }
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
