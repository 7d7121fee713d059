#pragma once

// The demo's window, built only from toolkit objects: the owner-drawn caption bar, buttons with
// images and drop-downs, tabs, a text field, a combo box, a check box, a link, and a status
// line telling what the last click or change was. Closing it ends the application.

#include <QIcon>
#include <QTemporaryDir>

#include "trellis/main_ui_object.h"
#include "trellis/ui_combo_box.h"
#include "trellis/ui_edit.h"
#include "trellis/ui_tab.h"
#include "ui/host_window.h"

class DemoWindow : public CHostWindow {
public:
    DemoWindow();
    ~DemoWindow() override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildToolbar(const QTemporaryDir& artFolder);
    void BuildSettings();
    void Report(const std::wstring& text);
    void ReportChange(UINT id);

    QIcon icon_;
    CMainUIObject root_;
    CUIButton addButton_;
    CUIButton settingsButton_;
    CUIButton makeButton_;
    CUITab tabs_;
    CUIStatic titleLabel_;
    CUIEdit titleField_;
    CUIStatic paperLabel_;
    CUIComboBox paperCombo_;
    CUIButton openWhenDone_;
    CUILink helpLink_;
    CUIStatic status_;
};
