#pragma once

// CSettingsDialog, the modal options window: the conversion settings on five tabbed pages
// (general, document information, image processing, watermark, page layout), the interface
// language and the file-manager context-menu entry. There is no Apply step: every control
// stores its setting the moment its value changes, and nothing is written on closing.
//
// Choosing another language asks whether to restart now; on Yes a new instance of the program
// starts and the dialog closes with restart-requested set, which tells the main window to
// close too.
//
// GUI thread only. The dialog edits app.Settings() in place; app outlives the dialog.

#include "program_dialog.h"
#include "settings_pages.h"
#include "settings_services.h"

class CSettingsDialog : public CProgramDialog {
public:
    // owner (may be null) is the window the dialog is modal to and centred on. services: the
    // desktop's dialogs, the context-menu switch and the restart (tests replace them).
    CSettingsDialog(CFolioforgeApp& app, QWidget* owner,
                    app::SettingsServices services = app::DesktopSettingsServices());

    // Shows the dialog and returns once it has closed: IDOK after the language restart, IDCANCEL
    // when closed otherwise (Close, the caption's close button, Escape).
    int DoModal();
    // Closes the dialog as Close does.
    void Close();

    // Whether the program is to end because a new instance with the new language was started.
    bool IsRestartRequested() const { return restartRequested_; }

    // The controls, for tests.
    app::SettingsPages& Pages() { return pages_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCommand(UINT id);
    void OnChanged(UINT id, LPARAM what);
    void SelectPage(int index);
    void OnTextChanged(UINT id);
    void OnCheckChanged(UINT id, int check);
    void OnChoiceChanged(UINT id, int index);
    void StoreImageMax();
    void ChangeLanguage(const std::wstring& name);
    void BrowseOutputFolder();
    void BrowseWatermarkImage();
    void ChooseWatermarkColor();

    app::SettingsServices services_;
    app::SettingsPages pages_;
    bool restartRequested_ = false;
};
