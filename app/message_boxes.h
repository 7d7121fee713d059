#pragma once

// The program's message boxes, owned by one of its windows and modal to it. GUI thread.

#include <string>

class QWidget;

namespace app {

// An information box with an OK button.
void ShowInformation(QWidget* owner, const std::wstring& caption, const std::wstring& text);

// A warning box with an OK button and no caption.
void ShowWarning(QWidget* owner, const std::wstring& text);

// A question answered Yes or No (No is the default button); true for Yes.
bool AskYesNo(QWidget* owner, const std::wstring& caption, const std::wstring& text);

}  // namespace app
