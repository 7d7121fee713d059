#include "message_boxes.h"

#include <QMessageBox>

#include "qt_text.h"

namespace app {

namespace {

// The host's line breaks in a text from the language files become plain ones.
QString BoxText(const std::wstring& text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

int ShowBox(QWidget* owner, QMessageBox::Icon icon, const std::wstring& caption,
            const std::wstring& text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, ToQString(caption), BoxText(text), buttons, owner);
    box.setDefaultButton(defaultButton);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec();
}

}  // namespace

void ShowInformation(QWidget* owner, const std::wstring& caption, const std::wstring& text) {
    ShowBox(owner, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void ShowWarning(QWidget* owner, const std::wstring& text) {
    ShowBox(owner, QMessageBox::Warning, std::wstring(), text, QMessageBox::Ok, QMessageBox::Ok);
}

bool AskYesNo(QWidget* owner, const std::wstring& caption, const std::wstring& text) {
    return ShowBox(owner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace app
