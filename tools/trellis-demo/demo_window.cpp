#include "demo_window.h"

#include <QPixmap>
#include <QTemporaryDir>

#include "demo_art.h"

namespace {

enum DemoId : UINT {
    kAddImages = 101,
    kSettings,
    kMakePdf,
    kTabs,
    kTitleField,
    kPaperCombo,
    kOpenWhenDone,
    kHelpLink,
    kStatus,
};

constexpr int kWidth = 720;
constexpr int kHeight = 460;
constexpr RECT kIconRect{0, 0, 32, 32};
constexpr DWORD kImageAboveText = UIBS_IMAGE | UIBS_TEXT | UIBS_IMAGETOP;

std::wstring SavedPicture(const QTemporaryDir& folder, const QString& name, const QImage& image) {
    const QString path = folder.filePath(name);
    image.save(path);
    return path.toStdWString();
}

std::wstring NameOf(UINT id) {
    switch (id) {
        case kAddImages:
            return L"Add images";
        case kSettings:
            return L"Settings";
        case kMakePdf:
            return L"Make PDF";
        case kTabs:
            return L"the tabs";
        case kHelpLink:
            return L"the help link";
        case ID_UI_MENU:
            return L"the menu button";
        default:
            return L"object " + std::to_wstring(id);
    }
}

}  // namespace

DemoWindow::DemoWindow() {
    resize(kWidth, kHeight);
    icon_ = QIcon(QPixmap::fromImage(WindowIconPicture()));
    SendMessage(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&icon_));
    SetWindowText(GetSafeHwnd(), L"Folioforge toolkit demo");
    root_.Attach(GetSafeHwnd());
    root_.SetStyle(UIS_ICON | UIS_CAPTION | UIS_CLOSEBOX | UIS_MINIMIZEBOX | UIS_MAXIMIZEBOX |
                   UIS_MENUBOX);
    root_.SetColor(0xFFFFFF, 0x6E6E6E);
    const QTemporaryDir artFolder;
    root_.SetBkImage(
        SavedPicture(artFolder, "landscape.png", LandscapePicture(QSize(kWidth * 2, kHeight * 2)))
            .c_str());
    BuildToolbar(artFolder);
    BuildSettings();
}

DemoWindow::~DemoWindow() {
    DestroyWindow(GetSafeHwnd());
}

void DemoWindow::BuildToolbar(const QTemporaryDir& artFolder) {
    struct ToolButton {
        CUIButton* button;
        const wchar_t* text;
        UINT id;
        RECT rect;
        DWORD style;
        QImage icon;
        const char* file;
    };
    const ToolButton buttons[] = {{&addButton_,
                                   L"Add images",
                                   kAddImages,
                                   {12, 36, 96, 106},
                                   kImageAboveText | UIBS_DROPDOWN,
                                   AddImagesIcon(),
                                   "add.png"},
                                  {&settingsButton_,
                                   L"Settings",
                                   kSettings,
                                   {100, 36, 172, 94},
                                   kImageAboveText,
                                   SettingsIcon(),
                                   "settings.png"},
                                  {&makeButton_,
                                   L"Make PDF",
                                   kMakePdf,
                                   {176, 36, 272, 94},
                                   kImageAboveText | UIBS_DROPDOWN | UIBS_DROPRIGHT,
                                   MakePdfIcon(),
                                   "make.png"}};
    for (const ToolButton& entry : buttons) {
        entry.button->Create(entry.text, &entry.rect, &root_, entry.id);
        entry.button->SetBtStyle(entry.style);
        const std::wstring path = SavedPicture(artFolder, entry.file, entry.icon);
        entry.button->SetImage(path.c_str(), &kIconRect, nullptr, nullptr);
    }
    const RECT tabsRect{12, 120, 708, 148};
    tabs_.Create(nullptr, &tabsRect, &root_, kTabs);
    // The strip stretches with the window, so the tabs stay at its left edge.
    tabs_.Anchor(ANCHOR_LEFT, &root_, ANCHOR_LEFT, 12);
    tabs_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -12);
    for (const wchar_t* text : {L"Pages", L"Layout", L"Watermark", L"Document"}) {
        tabs_.AddItem(text);
    }
    tabs_.SetHotIndex(0);
}

void DemoWindow::BuildSettings() {
    const RECT titleLabelRect{24, 170, 100, 196};
    titleLabel_.Create(L"Title", &titleLabelRect, &root_, 0);
    titleLabel_.SetFormat(DT_VCENTER | DT_SINGLELINE);
    const RECT titleRect{100, 168, 360, 198};
    titleField_.Create(L"Holiday photos", &titleRect, &root_, kTitleField);

    const RECT paperLabelRect{24, 212, 100, 238};
    paperLabel_.Create(L"Paper", &paperLabelRect, &root_, 0);
    paperLabel_.SetFormat(DT_VCENTER | DT_SINGLELINE);
    const RECT paperRect{100, 212, 240, 238};
    paperCombo_.Create(nullptr, &paperRect, &root_, kPaperCombo);
    for (const wchar_t* paper : {L"A4", L"Letter", L"A3", L"Legal", L"Same as the image"}) {
        paperCombo_.AddString(paper);
    }
    paperCombo_.SetSelectItem(0);

    const RECT checkRect{20, 252, 300, 276};
    openWhenDone_.Create(L"Open the PDF when it is done", &checkRect, &root_, kOpenWhenDone);
    openWhenDone_.SetBtStyle(UIBS_CHECK);
    openWhenDone_.SetCheck(1);
    const RECT linkRect{24, 286, 300, 308};
    helpLink_.Create(L"What does each setting do?", &linkRect, &root_, kHelpLink);
    helpLink_.SetFormat(DT_VCENTER | DT_SINGLELINE);
    helpLink_.SetTextColor(0xA24F1D, 0xFFFFFF);

    const RECT statusRect{12, 430, 708, 452};
    status_.Create(L"Ready", &statusRect, &root_, kStatus);
    status_.SetFormat(DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    status_.SetTextColor(0xFFFFFF, 0x000000);
    status_.Anchor(ANCHOR_LEFT, &root_, ANCHOR_LEFT, 12);
    status_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -12);
    status_.Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -8);
}

void DemoWindow::Report(const std::wstring& text) {
    status_.SetText(text.c_str(), 0);
}

void DemoWindow::ReportChange(UINT id) {
    switch (id) {
        case kTitleField:
            Report(L"Title: " + titleField_.GetText());
            break;
        case kPaperCombo:
            Report(L"Paper: " + paperCombo_.GetSelectString());
            break;
        case kOpenWhenDone:
            Report(openWhenDone_.GetCheck() ? L"The PDF opens when it is done"
                                            : L"The PDF stays closed");
            break;
        default:
            break;
    }
}

LRESULT DemoWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (wParam == IDCANCEL) {
                DestroyWindow(GetSafeHwnd());
            } else if (LOWORD(wParam) == kTabs) {
                Report(L"Tab " + std::to_wstring(tabs_.GetHotIndex() + 1) + L" chosen");
            } else if (LOWORD(wParam) != kTitleField && LOWORD(wParam) != kPaperCombo) {
                Report(L"Clicked " + NameOf(LOWORD(wParam)));
            }
            return 0;
        case WM_UI_MESSAGE:
            if (const auto* data = reinterpret_cast<const tagUIMessageData*>(wParam);
                data->msg == UIN_DROPDOWN) {
                Report(L"Drop-down of " + NameOf(data->id));
            }
            return 0;
        case WM_UI_CHANGED:
            ReportChange(static_cast<UINT>(wParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return CHostWindow::WindowProc(msg, wParam, lParam);
    }
}
