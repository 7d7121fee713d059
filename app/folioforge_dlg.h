#pragma once

// CFolioforgeDlg, the program's main window: the toolbar (Add, Remove, Settings, Make, Home
// page), the image list, the preview panel with its toggle, the version link and the caption
// bar with its skin and menu buttons. It runs the /make command line once, probes image sizes
// on timer 4, and starts conversions (make_command.h).
//
// GUI thread only. Owned by CFolioforgeApp::Run, or by a test.

#include <QEventLoop>
#include <QIcon>
#include <memory>
#include <string>
#include <vector>

#include "make_command.h"
#include "settings_services.h"
#include "trellis/main_ui_object.h"
#include "trellis/wnd_anchor.h"
#include "ui/host_window.h"
#include "web_areas.h"

class CDropListCtrl;
class CFolioforgeApp;

class CFolioforgeDlg : public CHostWindow {
public:
    // Object and control ids.
    enum : UINT {
        kAddButton = 2001,
        kRemoveButton = 2002,
        kSettingsButton = 2003,
        kMakeButton = 2004,
        kHomeButton = 2005,
        kPreviewToggle = 2006,
        kPreviewPanel = 2007,
        kVersionLink = 2008,
    };
    // Timers.
    static constexpr UINT_PTR kMakeTimer = 2;
    static constexpr UINT_PTR kProbeTimer = 4;

    // Builds and initialises the window (hidden). makePaths: the paths of a /make command line,
    // converted by command 0 once timer 2 fires; empty for an ordinary start.
    CFolioforgeDlg(CFolioforgeApp& app, std::vector<std::wstring> makePaths);
    ~CFolioforgeDlg() override;

    // Shows the window and returns once it has been destroyed.
    void RunModal();

    // Commands, as the window's buttons and menus run them.
    app::ConversionCommand::Outcome RunConversion(int command);
    void TogglePreview();
    void AddMenuItem(int item);     // 1 images, 2 folder, 3 folder with subfolders
    void RemoveMenuItem(int item);  // 1 selected, 2 all
    void MainMenuItem(int item);    // 1 settings, 2 updates, 3 help, 4 about, 5 home page
    void ChooseBackground();

    CDropListCtrl& List() { return *list_; }
    bool IsPreviewShown() const { return previewShown_; }
    const CUIImage& PreviewPanel() const { return preview_; }
    const CUIStatic& PreviewHint() const { return previewHint_; }
    CMainUIObject& Root() { return root_; }
    // The banner, strip and news ticker; null once the window has been destroyed.
    const app::WebAreas* GetWebAreas() const { return webAreas_.get(); }
    CUILink& VersionLink() { return versionLink_; }
    // What the settings dialog uses of the desktop; tests replace parts of it.
    app::SettingsServices& SettingsDialogServices() { return settingsServices_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Files and folders dropped from a file manager anywhere on the window arrive as
    // WM_DROPFILES, as those dropped on the list do.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The bottom web strip follows the window's moves.
    void moveEvent(QMoveEvent* event) override;

private:
    void Initialise();
    void BuildToolbar();
    void BuildPreview();
    void BuildVersionLink();
    void BuildList();
    void ApplyListAnchors();
    void OnCommand(UINT id);
    void OnDropDown(UINT id);
    void OnNotify(const NMHDR& header);
    void OnTimer(UINT_PTR id);
    void RunMakeCommandLine();
    void ShowPreviewOf(int row);
    // A menu item: its id (0 for a separator) and text id.
    struct MenuItem {
        int id;
        const wchar_t* text;
    };
    // Opens a menu under anchor (left-aligned, or right-aligned with alignRight); the chosen
    // item's id, 0 when dismissed.
    int PopupMenu(CUIObject& anchor, const std::vector<MenuItem>& items, bool alignRight = false);
    void OnMainMenu();
    void OpenSettings();
    void RequestClose();
    void OnDestroy();
    app::ListRows Rows() const;

    CFolioforgeApp& app_;
    std::vector<std::wstring> makePaths_;
    QIcon icon_;
    CMainUIObject root_;
    CUIButton addButton_;
    CUIButton removeButton_;
    CUIButton settingsButton_;
    CUIButton makeButton_;
    CUIButton homeButton_;
    CUIButton previewToggle_;
    CUIImage preview_;
    CUIStatic previewHint_;
    CUILink versionLink_;
    std::unique_ptr<CDropListCtrl> list_;
    CWndAnchor anchors_;
    app::ConversionCommand conversion_;
    std::unique_ptr<app::WebAreas> webAreas_;
    app::SettingsServices settingsServices_ = app::DesktopSettingsServices();
    int sortState_ = 0;
    bool previewShown_ = false;
    bool closeAfterConversion_ = false;
    QEventLoop* runLoop_ = nullptr;
};
