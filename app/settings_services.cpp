#include "settings_services.h"

#include <QColor>
#include <QColorDialog>
#include <QCoreApplication>
#include <QProcess>
#include <QStringList>

#include "file_dialogs.h"
#include "shellext/registration_launcher.h"

namespace app {

namespace {

QColor QColorOf(COLORREF colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

COLORREF ColorRefOf(const QColor& colour) {
    return static_cast<COLORREF>(colour.red()) | (static_cast<COLORREF>(colour.green()) << 8) |
           (static_cast<COLORREF>(colour.blue()) << 16);
}

std::optional<COLORREF> ChooseColor(QWidget* owner, COLORREF initial) {
    const QColor chosen = QColorDialog::getColor(QColorOf(initial), owner);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return ColorRefOf(chosen);
}

void SwitchContextMenu(bool on) {
    using shellext::RegistrationAction;
    shellext::StartExtensionRegistration(
        on ? RegistrationAction::kRegister : RegistrationAction::kUnregister,
        shellext::RegistrationScope::kCurrentUser);
}

bool RestartProgram() {
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty()) {
        arguments.removeFirst();  // the program itself
    }
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

}  // namespace

SettingsServices DesktopSettingsServices() {
    SettingsServices services;
    services.chooseFolder = &ChooseFolder;
    services.chooseFile = [](QWidget* owner) { return ChooseAnyFile(owner, std::wstring()); };
    services.chooseColor = &ChooseColor;
    services.switchContextMenu = &SwitchContextMenu;
    services.restartProgram = &RestartProgram;
    return services;
}

}  // namespace app
