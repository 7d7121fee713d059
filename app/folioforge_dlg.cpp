#include "folioforge_dlg.h"

#include "basalt/basalt.h"
#include "folioforge_app.h"
#include "list/drop_list_ctrl.h"
#include "make_pdf_dialog.h"
#include "platform/registry.h"
#include "program_icon.h"
#include "record_submission.h"
#include "texts.h"

namespace {

constexpr int kStartWidth = 750;
constexpr int kStartHeight = 600;
constexpr int kMinimumSize = 400;
constexpr int kPreviewWidth = 292;
constexpr int kCollapsedPreviewWidth = 22;
constexpr int kListRightWithPreview = -310;
constexpr int kListRight = -10;
constexpr UINT kMakeDelayMs = 100;
constexpr UINT kProbePeriodMs = 500;
constexpr auto kRecordPatience = std::chrono::seconds(2);
constexpr COLORREF kBackgroundColour = 0xFFD510;
constexpr COLORREF kFrameColour = 0x787878;
constexpr UINT kCaptionStyle = UIS_ICON | UIS_CAPTION | UIS_CLOSEBOX | UIS_MINIMIZEBOX |
                               UIS_MAXIMIZEBOX | UIS_SKINBOX | UIS_MENUBOX;

}  // namespace

CFolioforgeDlg::CFolioforgeDlg(CFolioforgeApp& app, std::vector<std::wstring> makePaths)
    : app_(app), makePaths_(std::move(makePaths)), conversion_(app, this) {
    Initialise();
}

CFolioforgeDlg::~CFolioforgeDlg() {
    DestroyWindow(GetSafeHwnd());
    list_.reset();
}

void CFolioforgeDlg::Initialise() {
    icon_ = app::ProgramIcon();
    setWindowIcon(icon_);
    SendMessage(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&icon_));
    InitBasalt(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
    SetWindowText(GetSafeHwnd(), app::Text(L"200001").c_str());
    setMinimumSize(kMinimumSize, kMinimumSize);
    setAcceptDrops(true);
    resize(kStartWidth, kStartHeight);
    BuildToolbar();
    BuildPreview();
    BuildVersionLink();
    BuildList();
    root_.Attach(GetSafeHwnd());
    root_.SetStyle(kCaptionStyle);
    root_.SetColor(kBackgroundColour, kFrameColour);
    root_.SetBkImage(app_.GetBackground().c_str());
    ApplyListAnchors();
    if (app_.Settings().ShowView) {
        TogglePreview();
    }
    if (!makePaths_.empty()) {
        SetTimer(GetSafeHwnd(), kMakeTimer, kMakeDelayMs);
    }
    Record(3, nullptr);
    webAreas_ =
        std::make_unique<app::WebAreas>(GetSafeHwnd(), versionLink_, anchors_, app_.Settings());
    webAreas_->Start();
    SetTimer(GetSafeHwnd(), kProbeTimer, kProbePeriodMs);
}

void CFolioforgeDlg::BuildToolbar() {
    struct ToolButton {
        CUIButton* button;
        UINT id;
        const wchar_t* text;
        int height;
        DWORD style;
        const wchar_t* image;
        LONG imageHeight;
    };
    constexpr DWORD kWithDropDown = UIBS_TEXT | UIBS_IMAGE | UIBS_DROPDOWN | UIBS_IMAGETOP;
    constexpr DWORD kPlain = UIBS_TEXT | UIBS_IMAGE | UIBS_IMAGETOP;
    const ToolButton buttons[] = {
        {&addButton_, kAddButton, L"200002", 70, kWithDropDown, L"res/image.png", 31},
        {&removeButton_, kRemoveButton, L"200003", 70, kWithDropDown, L"res/delete.png", 32},
        {&settingsButton_, kSettingsButton, L"200004", 60, kPlain, L"res/settings.png", 32},
        {&makeButton_, kMakeButton, L"200005", 70, kWithDropDown, L"res/make.png", 32},
        {&homeButton_, kHomeButton, L"200006", 60, kPlain, L"res/app.png", 32}};
    LONG left = 10;
    for (const ToolButton& entry : buttons) {
        const RECT rect{left, 30, left + 60, 30 + entry.height};
        entry.button->Create(app::Text(entry.text).c_str(), &rect, &root_, entry.id);
        entry.button->SetBtStyle(entry.style);
        const RECT image{0, 0, 32, entry.imageHeight};
        entry.button->SetImage(entry.image, &image, nullptr, nullptr);
        left += 70;
    }
}

void CFolioforgeDlg::BuildPreview() {
    const int right = kStartWidth - 10;
    const RECT toggle{right - 22, 80, right, 102};
    previewToggle_.Create(app::Text(L"200007").c_str(), &toggle, &root_, kPreviewToggle);
    previewToggle_.SetBtStyle(UIBS_IMAGE);
    const RECT glyph{0, 0, 16, 14};
    previewToggle_.SetImage(L"res/view2.png", &glyph, nullptr, nullptr);
    previewToggle_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);

    const RECT panel{right - kCollapsedPreviewWidth, 110, right, kStartHeight - 32};
    preview_.Create(app::Text(L"200009").c_str(), &panel, &root_, kPreviewPanel);
    preview_.SetAutoZoom(1);
    preview_.SetBkColor(0xFFFFFF, 150);
    preview_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    preview_.Anchor(ANCHOR_TOP, &root_, ANCHOR_TOP, 110);
    preview_.Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -32);
    preview_.SetVisible(0);

    const RECT hint{10, 10, kCollapsedPreviewWidth - 10, panel.bottom - panel.top - 10};
    previewHint_.Create(app::Text(L"200017").c_str(), &hint, &preview_, 0);
    previewHint_.SetFormat(DT_CENTER | DT_VCENTER | DT_WORD_ELLIPSIS);
    previewHint_.Anchor(ANCHOR_LEFT, &preview_, ANCHOR_LEFT, 10);
    previewHint_.Anchor(ANCHOR_TOP, &preview_, ANCHOR_TOP, 10);
    previewHint_.Anchor(ANCHOR_RIGHT, &preview_, ANCHOR_RIGHT, -10);
    previewHint_.Anchor(ANCHOR_BOTTOM, &preview_, ANCHOR_BOTTOM, -10);
}

void CFolioforgeDlg::BuildVersionLink() {
    const wchar_t* version = GetIniString(L"FileVersion");
    const std::wstring text = app::Text(L"100017", version ? version : L"");
    const RECT rect{10, kStartHeight - 27, kStartWidth - 10, kStartHeight - 5};
    versionLink_.Create(text.c_str(), &rect, &root_, kVersionLink);
    versionLink_.SetFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    versionLink_.SetTextColor(0xFF0000, 0);
    versionLink_.Anchor(ANCHOR_LEFT, &root_, ANCHOR_LEFT, 10);
    versionLink_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    versionLink_.Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -5);
}

void CFolioforgeDlg::BuildList() {
    list_ = std::make_unique<CDropListCtrl>(GetSafeHwnd());
    const HWND list = list_->GetSafeHwnd();
    const HWND self = GetSafeHwnd();
    anchors_.SetAnchor(list, ANCHOR_LEFT, self, ANCHOR_LEFT, 10);
    anchors_.SetAnchor(list, ANCHOR_TOP, self, ANCHOR_TOP, 110);
    anchors_.SetAnchor(list, ANCHOR_BOTTOM, self, ANCHOR_BOTTOM, -32);
}

void CFolioforgeDlg::ApplyListAnchors() {
    const int right = previewShown_ ? kListRightWithPreview : kListRight;
    anchors_.SetAnchor(list_->GetSafeHwnd(), ANCHOR_RIGHT, GetSafeHwnd(), ANCHOR_RIGHT, right);
    anchors_.Relayout();
}

void CFolioforgeDlg::TogglePreview() {
    const bool show = !previewShown_;
    RecordF(106, L"%s", show ? L"关闭" : L"打开");
    if (show) {
        RECT rect;
        preview_.GetRect(&rect);
        rect.left = rect.right - kPreviewWidth;
        preview_.SetRect(&rect);
    }
    preview_.SetVisible(show);
    previewToggle_.SetText(app::Text(show ? L"200008" : L"200007").c_str(), 1);
    previewShown_ = show;
    ApplyListAnchors();
    root_.ReDraw(nullptr);
    app_.Settings().SetNumber(L"ShowView", show ? 1 : 0);
}

void CFolioforgeDlg::ShowPreviewOf(int row) {
    preview_.SetImage(list_->GetFullPath(row).c_str());
    if (row >= 0 && row < list_->GetItemCount()) {
        previewHint_.SetVisible(0);
    }
}

void CFolioforgeDlg::RunModal() {
    show();
    QEventLoop loop;
    runLoop_ = &loop;
    if (GetSafeHwnd()) {
        loop.exec();
    }
    runLoop_ = nullptr;
}

void CFolioforgeDlg::RequestClose() {
    if (CMakePDFDialog* running = conversion_.RunningDialog()) {
        // The window goes once the conversion has stopped and its worker has returned.
        closeAfterConversion_ = true;
        running->Cancel();
        return;
    }
    DestroyWindow(GetSafeHwnd());
}

void CFolioforgeDlg::OnDestroy() {
    KillTimer(GetSafeHwnd(), kMakeTimer);
    KillTimer(GetSafeHwnd(), kProbeTimer);
    webAreas_.reset();
    app::SubmitUsageRecords(kRecordPatience);
    if (runLoop_) {
        runLoop_->quit();
    }
}
