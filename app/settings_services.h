#pragma once

// What the settings dialog asks of the desktop: the folder browser, the open-file and colour
// dialogs, the file-manager context-menu switch and the program's restart. Each is a plain
// function object, so tests put their own in place of the desktop's.
//
// GUI thread only.

#include <functional>
#include <optional>
#include <string>

#include "gfx/wintypes.h"

class QWidget;

namespace app {

struct SettingsServices {
    // A folder, chosen with the title text title; nothing on Cancel.
    std::function<std::optional<std::wstring>(QWidget* owner, const std::wstring& title)>
        chooseFolder;
    // Any existing file, without a filter; nothing on Cancel.
    std::function<std::optional<std::wstring>(QWidget* owner)> chooseFile;
    // A colour (0x00BBGGRR), starting from initial; nothing on Cancel.
    std::function<std::optional<COLORREF>(QWidget* owner, COLORREF initial)> chooseColor;
    // Registers (on) or unregisters the file-manager context-menu entry for the current user.
    // Returns at once; the outcome is not reported.
    std::function<void(bool on)> switchContextMenu;
    // Starts a new, detached instance of the program with this instance's arguments; false
    // when it could not be started.
    std::function<bool()> restartProgram;
};

// The desktop's own: Qt's file and colour dialogs, the registration tool beside the program,
// and a detached copy of the running program.
SettingsServices DesktopSettingsServices();

}  // namespace app
