#pragma once

// CProgramDialog, the base of the program's modal toolkit dialogs (the progress dialog, the
// about box): a window of a fixed starting size centred on its owner, with the program icon and
// a title, dressed by a toolkit root in the program's colours and background image, and a modal
// loop that EndDialog ends.
//
// GUI thread only.

#include <QIcon>
#include <QSize>
#include <string>

#include "trellis/main_ui_object.h"
#include "ui/host_window.h"

class CFolioforgeApp;
class QEventLoop;

// Makes button a text button with the translucent white fills of the program's dialogs.
void DressTextButton(CUIButton& button);

class CProgramDialog : public CHostWindow {
public:
    ~CProgramDialog() override;

protected:
    // owner (may be null) is the window the dialog is modal to and centred on.
    CProgramDialog(CFolioforgeApp& app, QWidget* owner, QSize size, const std::wstring& title);

    // Binds the root to the window with the caption bar (icon, title, close button), the
    // program's colours and its background image. Call once the dialog's objects exist.
    void AttachSkin();

    // Shows the dialog and runs until EndDialog; then hides it and answers EndDialog's result
    // (IDCANCEL when none was given).
    int RunModal();
    void EndDialog(int result);

    CFolioforgeApp& app_;
    CMainUIObject root_;

private:
    QIcon icon_;
    QEventLoop* modalLoop_ = nullptr;
    int result_ = IDCANCEL;
};
