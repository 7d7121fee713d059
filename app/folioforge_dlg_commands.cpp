// The main window's commands, menus, notifications and timers.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>

#include "about_dlg.h"
#include "background_image.h"
#include "basalt/basalt.h"
#include "desktop_services.h"
#include "file_dialogs.h"
#include "folioforge_app.h"
#include "folioforge_dlg.h"
#include "list/drop_list_ctrl.h"
#include "list/file_drop.h"
#include "message_boxes.h"
#include "platform/file_io.h"
#include "platform/registry.h"
#include "qt_text.h"
#include "settings_dialog.h"
#include "texts.h"
#include "web_area_hooks.h"

namespace {

// The /make command line is carried out at most once per process.
bool gMakeCommandLineHandled = false;

}  // namespace

app::ListRows CFolioforgeDlg::Rows() const {
    app::ListRows rows;
    for (int row = 0; row < list_->GetItemCount(); ++row) {
        rows.paths.push_back(list_->GetFullPath(row));
        rows.dpi.push_back(list_->GetItemText(row, kColumnDpi));
    }
    return rows;
}

app::ConversionCommand::Outcome CFolioforgeDlg::RunConversion(int command) {
    const app::ConversionCommand::Outcome outcome = conversion_.Run(command, Rows());
    if (closeAfterConversion_) {
        DestroyWindow(GetSafeHwnd());
    }
    return outcome;
}

void CFolioforgeDlg::RunMakeCommandLine() {
    KillTimer(GetSafeHwnd(), kMakeTimer);
    if (gMakeCommandLineHandled) {
        return;
    }
    gMakeCommandLineHandled = true;
    for (const std::wstring& path : makePaths_) {
        switch (platform::KindOf(path)) {
            case platform::PathKind::kFolder:
                list_->AddFolder(path, false);
                break;
            case platform::PathKind::kOther:
                list_->AddFile(path);
                break;
            case platform::PathKind::kMissing:
                break;  // names nothing, so adds nothing
        }
    }
    RunConversion(0);
}

void CFolioforgeDlg::AddMenuItem(int item) {
    if (item == 1) {
        Record(100, L"图片");
        for (const std::wstring& path : app::ChooseImageFiles(this)) {
            list_->AddFile(path);
        }
        return;
    }
    if (item != 2 && item != 3) {
        return;
    }
    const bool recurse = item == 3;
    Record(100, recurse ? L"子文件夹" : L"文件夹");
    if (const auto folder = app::ChooseFolder(this, app::Text(L"100015"))) {
        list_->AddFolder(*folder, recurse);
    }
}

void CFolioforgeDlg::RemoveMenuItem(int item) {
    if (item == 1) {
        Record(101, L"选中");
        list_->RemoveSelected();
    } else if (item == 2) {
        Record(101, L"所有");
        list_->RemoveAll();
    }
}

void CFolioforgeDlg::MainMenuItem(int item) {
    switch (item) {
        case 1:
            OpenSettings();
            break;
        case 2:
            Record(110, L"检查更新");
            app::OpenWebPage(app::ProductPageUrl());
            break;
        case 3:
            Record(110, L"帮助");
            app::OpenWebPage(app::HelpPageUrl());
            previewHint_.SetVisible(1);
            preview_.SetImage(L"");
            break;
        case 4:
            Record(110, L"关于");
            CAboutDlg(app_, this).DoModal();
            break;
        case 5:
            Record(110, L"首页");
            app::OpenWebPage(app::HomePageUrl());
            break;
        default:
            break;
    }
}

void CFolioforgeDlg::OpenSettings() {
    Record(102, nullptr);
    CSettingsDialog dialog(app_, this, settingsServices_);
    dialog.DoModal();
    if (dialog.IsRestartRequested()) {
        RequestClose();  // a new instance with the new language has taken over
    }
}

void CFolioforgeDlg::ChooseBackground() {
    Record(103, nullptr);
    while (const auto chosen = app::ChooseAnyFile(this, app::Text(L"100016"))) {
        if (app_.SetBackground(*chosen)) {
            engine::ConversionSettings& settings = app_.Settings();
            platform::RegWriteString(settings.registryRoot, settings.registryKey,
                                     app::kBackgroundValue, *chosen);
            root_.SetBkImage(chosen->c_str());
            root_.ReDraw(nullptr);
            return;
        }
        app::ShowWarning(this, app::Text(L"200015"));
    }
}

int CFolioforgeDlg::PopupMenu(CUIObject& anchor, const std::vector<MenuItem>& items,
                              bool alignRight) {
    QMenu menu(this);
    for (const MenuItem& item : items) {
        if (item.id == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(app::ToQString(app::Text(item.text)))->setData(item.id);
        }
    }
    RECT rect;
    anchor.GetWndRect(&rect);
    QPoint corner(alignRight ? rect.right - menu.sizeHint().width() : rect.left, rect.bottom);
    const QAction* chosen = menu.exec(mapToGlobal(corner));
    return chosen ? chosen->data().toInt() : 0;
}

void CFolioforgeDlg::OnDropDown(UINT id) {
    switch (id) {
        case kAddButton:
            AddMenuItem(PopupMenu(addButton_, {{1, L"100012"}, {2, L"100013"}, {3, L"100014"}}));
            break;
        case kRemoveButton:
            RemoveMenuItem(PopupMenu(removeButton_, {{1, L"100010"}, {2, L"100011"}}));
            break;
        case kMakeButton: {
            const int item = PopupMenu(makeButton_, {{1, L"201105"},
                                                     {2, L"201103"},
                                                     {3, L"201106"},
                                                     {0, nullptr},
                                                     {5, L"201108"},
                                                     {6, L"201109"},
                                                     {7, L"201110"}});
            if (item != 0) {
                RunConversion(item < 4 ? item - 1 : item - 2);
            }
            break;
        }
        default:
            break;
    }
}

void CFolioforgeDlg::OnMainMenu() {
    CUIButton* menuButton = root_.GetCaptionButton(ID_UI_MENU);
    MainMenuItem(PopupMenu(*menuButton,
                           {{3, L"100020"},
                            {5, L"100021"},
                            {0, nullptr},
                            {1, L"200004"},
                            {2, L"100018"},
                            {0, nullptr},
                            {4, L"100019"}},
                           true));
}

void CFolioforgeDlg::OnCommand(UINT id) {
    switch (id) {
        case kAddButton:
            AddMenuItem(1);
            break;
        case kRemoveButton:
            RemoveMenuItem(1);
            break;
        case kSettingsButton:
            MainMenuItem(1);
            break;
        case kMakeButton:
            RunConversion(0);
            break;
        case kHomeButton:
            Record(104, nullptr);
            app::OpenWebPage(app::HomePageUrl());
            break;
        case kPreviewToggle:
            TogglePreview();
            break;
        case ID_UI_SKIN:
            ChooseBackground();
            break;
        case ID_UI_MENU:
            OnMainMenu();
            break;
        case IDCANCEL:
            RequestClose();
            break;
        case kVersionLink:
            if (webAreas_) {
                webAreas_->OpenNewsLink();
            }
            break;
        default:
            break;
    }
}

void CFolioforgeDlg::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_IMAGE_LIST) {
        return;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_ITEMCHANGED && change.uNewState != 0) {
        ShowPreviewOf(change.iItem);
    } else if (header.code == LVN_COLUMNCLICK) {
        sortState_ = list_->SortByHeader(change.iSubItem, sortState_);
    } else if (header.code == LVN_ROWSMOVED) {
        list_->Renumber();
    }
}

void CFolioforgeDlg::OnTimer(UINT_PTR id) {
    if (id == kMakeTimer) {
        RunMakeCommandLine();
    } else if (id == kProbeTimer && list_->HasUnprobedRow()) {
        list_->StartSizeProbe();
    } else if (id == app::WebAreas::kTickerTimer && webAreas_) {
        webAreas_->ShowNextNews();
    }
}

LRESULT CFolioforgeDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_UI_MESSAGE:
            if (const auto* data = reinterpret_cast<const tagUIMessageData*>(wParam);
                data->msg == UIN_DROPDOWN) {
                OnDropDown(data->id);
            }
            return 0;
        case WM_NOTIFY:
            OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_DROPFILES:
            list_->AddDroppedPaths(reinterpret_cast<const DroppedFiles*>(wParam)->paths);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_SIZE: {
            anchors_.Relayout();
            const LRESULT result = CHostWindow::WindowProc(msg, wParam, lParam);
            if (webAreas_) {
                webAreas_->PlaceStrip(false);
            }
            return result;
        }
        case WM_CLOSE:
            RequestClose();
            return 0;
        case app::WM_WEB_AREAS_READY:
            if (webAreas_) {
                webAreas_->Build();
            }
            return 0;
        case app::WM_WEB_WINDOW_NOTICE:
            if (webAreas_) {
                webAreas_->PlaceStrip(true);
            }
            return 0;
        case WM_DESTROY:
            OnDestroy();
            break;
        default:
            break;
    }
    return CHostWindow::WindowProc(msg, wParam, lParam);
}

void CFolioforgeDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && HasDroppedPaths(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CFolioforgeDlg::moveEvent(QMoveEvent* event) {
    CHostWindow::moveEvent(event);
    if (webAreas_) {
        webAreas_->PlaceStrip(false);
    }
}

void CFolioforgeDlg::dropEvent(QDropEvent* event) {
    if (!event->mimeData()) {
        return;
    }
    const DroppedFiles dropped{DroppedPaths(*event->mimeData())};
    if (!dropped.paths.empty()) {
        event->acceptProposedAction();
        SendMessage(GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(&dropped), 0);
    }
}
