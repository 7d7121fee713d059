#pragma once

// The system's file dialogs as the program uses them (Qt's, native where the desktop has one).
// Each returns nothing when the user cancels. GUI thread.

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace app {

// A filter in the host's "Description|patterns|Description|patterns||" form as a Qt name
// filter list: "Description (p1 p2)" entries joined by ";;". A description's own trailing
// "(...)" is replaced by the real patterns.
QString QtFilterOf(std::wstring_view pipeFilter);

// The image files to add, in the order the dialog lists them.
std::vector<std::wstring> ChooseImageFiles(QWidget* owner);

// A folder, with the title text title.
std::optional<std::wstring> ChooseFolder(QWidget* owner, const std::wstring& title);

// The PDF to write; asks before replacing an existing file. ".pdf" is added when missing.
std::optional<std::wstring> ChoosePdfFile(QWidget* owner);

// Any file, with the title text title.
std::optional<std::wstring> ChooseAnyFile(QWidget* owner, const std::wstring& title);

}  // namespace app
