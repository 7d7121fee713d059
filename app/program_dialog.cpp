#include "program_dialog.h"

#include <QEventLoop>

#include "folioforge_app.h"
#include "program_icon.h"

namespace {

constexpr UINT kCaptionStyle = UIS_ICON | UIS_CAPTION | UIS_CLOSEBOX;
constexpr COLORREF kBackgroundColor = 0xFFD510;
constexpr COLORREF kFrameColor = 0x787878;

}  // namespace

CProgramDialog::CProgramDialog(CFolioforgeApp& app, QWidget* owner, QSize size,
                               const std::wstring& title)
    : app_(app), icon_(app::ProgramIcon()) {
    resize(size);
    if (owner) {
        move(owner->geometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    setWindowModality(Qt::ApplicationModal);
    SendMessage(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(&icon_));
    SetWindowText(GetSafeHwnd(), title.c_str());
}

CProgramDialog::~CProgramDialog() {
    DestroyWindow(GetSafeHwnd());
}

void CProgramDialog::AttachSkin() {
    root_.Attach(GetSafeHwnd());
    root_.SetStyle(kCaptionStyle);
    root_.SetColor(kBackgroundColor, kFrameColor);
    root_.SetBkImage(app_.GetBackground().c_str());
}

int CProgramDialog::RunModal() {
    show();
    activateWindow();
    setFocus();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
    hide();
    return result_;
}

void CProgramDialog::EndDialog(int result) {
    result_ = result;
    if (modalLoop_) {
        modalLoop_->quit();
    }
}

void DressTextButton(CUIButton& button) {
    button.SetBtStyle(UIBS_TEXT);
    button.SetBkColor(0x64FFFFFF, 0x96FFFFFF, 0x32FFFFFF);  // opacity in the top byte
}
