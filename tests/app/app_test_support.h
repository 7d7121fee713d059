#pragma once

// Helpers of the desktop program's tests: one QApplication for the test program, answers to
// the program's modal boxes and file dialogs, the progress dialog's Finish button, and the
// screenshot folder.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <vector>

class CMakePDFDialog;
class QWidget;

namespace apptest {

// build/artefacts/name; the folder is created.
std::filesystem::path ArtefactPath(const std::string& name);

// Saves what widget shows as a PNG under build/artefacts.
bool SaveScreenshot(QWidget& widget, const std::string& name);

// While it lives, answers every message box with answer (recording its text), answers file
// dialogs with the files queued in fileAnswers, one each, and cancels the rest (counting every
// file dialog), and presses Finish in a progress dialog that has finished
// (calling onFinished first, when set).
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok);

    std::vector<QString> boxTexts;
    int fileDialogs = 0;
    std::vector<QString> fileAnswers;
    std::function<void(CMakePDFDialog&)> onFinished;

private:
    void Poll();

    QMessageBox::StandardButton answer_;
    QTimer timer_;
    const CMakePDFDialog* lastFinished_ = nullptr;
};

}  // namespace apptest
