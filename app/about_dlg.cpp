#include "about_dlg.h"

#include "basalt/basalt.h"
#include "folioforge_app.h"
#include "server_address.h"
#include "texts.h"

namespace {

constexpr int kWidth = 380;
constexpr int kHeight = 240;
constexpr int kTextLeft = 80;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_PATH_ELLIPSIS;  // 0x4024

}  // namespace

CAboutDlg::CAboutDlg(CFolioforgeApp& app, QWidget* owner)
    : CProgramDialog(app, owner, QSize(kWidth, kHeight),
                     app::Text(L"100019") + L" " + app::Text(L"200001")) {
    BuildLayout();
    AttachSkin();
}

void CAboutDlg::AddLine(CUIStatic& line, const std::wstring& text, const RECT& rect) {
    line.Create(text.c_str(), &rect, &root_, kText);
    line.SetFormat(kLineFormat);
    line.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
}

void CAboutDlg::BuildLayout() {
    const RECT logo{10, 50, 58, 98};
    logo_.Create(nullptr, &logo, &root_, kText);
    logo_.SetImage(L"res/logo.png");
    logo_.SetAutoZoom(1);
    const wchar_t* version = GetIniString(L"FileVersion");
    AddLine(title_, app::Text(L"200001"), {kTextLeft, 50, kWidth - 10, 70});
    AddLine(version_, app::Text(L"100017", version ? version : L""),
            {kTextLeft, 78, kWidth - 10, 98});
    AddLine(textLine_, app::Text(L"100022"), {10, 110, kWidth - 10, 130});
    // The addresses take the full width rather than 200 px, so they are not cut short.
    AddLine(webAddress_, app::Text(L"100021") + L":  " + app::RecordServerHome(),
            {10, 132, kWidth - 10, 152});
    AddLine(supportAddress_, app::Text(L"100023") + L":  " + app::SupportAddress(),
            {10, 154, kWidth - 10, 174});
    const RECT ok{kWidth - 110, kHeight - 30, kWidth - 10, kHeight - 10};
    ok_.Create(app::Text(L"100001").c_str(), &ok, &root_, IDOK);
    DressTextButton(ok_);
    ok_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, -10);
    ok_.Anchor(ANCHOR_BOTTOM, &root_, ANCHOR_BOTTOM, -10);
    const RECT panel{0, 30, kWidth, kHeight - 38};
    panel_.Create(nullptr, &panel, &root_, kPanel);
    panel_.SetBkColor(0xFFFFFF, 200);
    panel_.Anchor(ANCHOR_RIGHT, &root_, ANCHOR_RIGHT, 0);
    panel_.Anchor(ANCHOR_BOTTOM, &ok_, ANCHOR_TOP, -8);
}

std::vector<std::wstring> CAboutDlg::Texts() const {
    return {title_.GetText(), version_.GetText(), textLine_.GetText(), webAddress_.GetText(),
            supportAddress_.GetText()};
}

int CAboutDlg::DoModal() {
    RunModal();
    return IDOK;
}

void CAboutDlg::Close() {
    EndDialog(IDOK);
}

LRESULT CAboutDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                Close();
            }
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                Close();
            }
            return 0;
        default:
            return CHostWindow::WindowProc(msg, wParam, lParam);
    }
}
