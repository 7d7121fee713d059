// CMainUIObject: the caption bar, the window's shape, and painting.

#include "fit.h"
#include "glyphs.h"
#include "image_loading.h"
#include "trellis/drawing.h"
#include "trellis/main_ui_object.h"
#include "trellis/resources.h"
#include "ui/region.h"

namespace {

constexpr LONG kEdgeGap = 10;   // between the rightmost button and the window's edge
constexpr LONG kButtonGap = 2;  // between neighbouring buttons, and before the caption text
constexpr int kCornerSize = 3;  // ellipse size of the window's rounded corners

}  // namespace

void CMainUIObject::AnchorRightOf(CUIObject& object, CUIObject* previous) {
    if (previous != nullptr) {
        object.Anchor(ANCHOR_RIGHT, previous, ANCHOR_LEFT, -kButtonGap);
    } else {
        object.Anchor(ANCHOR_RIGHT, this, ANCHOR_RIGHT, -kEdgeGap);
    }
}

void CMainUIObject::Initctrl() {
    struct CaptionButton {
        CUIButton* button;
        UINT id;
        CRect rect;
        const CRect& glyph;
        UINT sysCommand;
    };
    const CaptionButton buttons[] = {
        {&closeButton_, SC_CLOSE, {100, 5, 120, 25}, kCloseGlyph, SC_CLOSE},
        {&maximizeButton_, SC_MAXIMIZE, {80, 5, 100, 25}, kMaximizeGlyph, SC_MAXIMIZE},
        {&minimizeButton_, SC_MINIMIZE, {60, 5, 80, 25}, kMinimizeGlyph, SC_MINIMIZE},
        {&menuButton_, ID_UI_MENU, {60, 5, 80, 25}, kMenuGlyph, 0},
        {&skinButton_, ID_UI_SKIN, {40, 5, 60, 25}, kSkinGlyph, 0}};
    const ScopedResourceModule toolkit(kToolkitResourceModule);
    CUIObject* previous = nullptr;
    for (const CaptionButton& entry : buttons) {
        entry.button->Create(nullptr, &entry.rect, this, entry.id);
        entry.button->SetBtStyle(UIBS_IMAGE);
        entry.button->SetImage(kGlyphStripId, L"PNG", &entry.glyph, nullptr, nullptr);
        entry.button->SetSysCommand(entry.sysCommand);
        AnchorRightOf(*entry.button, previous);
        previous = entry.button;
    }
    const CRect iconRect(5, 5, 21, 21);
    icon_.Create(nullptr, &iconRect, this, SC_MOUSEMENU);
    icon_.SetSysCommand(SC_MOUSEMENU);
    const CRect captionRect(0, 0, 20, 20);
    caption_.Create(text_.c_str(), &captionRect, this, SC_MOVE);
    caption_.SetSysCommand(SC_MOVE);
    caption_.SetFormat(DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    caption_.Anchor(ANCHOR_RIGHT, &skinButton_, ANCHOR_LEFT, 5);
    caption_.Anchor(ANCHOR_TOP, &icon_, ANCHOR_TOP, 0);
    caption_.Anchor(ANCHOR_LEFT, &icon_, ANCHOR_RIGHT, 5);
    caption_.Anchor(ANCHOR_BOTTOM, &icon_, ANCHOR_BOTTOM, 0);
}

int CMainUIObject::SetStyle(UINT style) {
    style_ = style;
    const bool closeBox = style & UIS_CLOSEBOX;
    closeButton_.SetVisible(closeBox);
    CUIObject* previous = closeBox ? &closeButton_ : nullptr;
    const std::pair<CUIButton*, UINT> chained[] = {{&minimizeButton_, UIS_MINIMIZEBOX},
                                                   {&maximizeButton_, UIS_MAXIMIZEBOX},
                                                   {&menuButton_, UIS_MENUBOX},
                                                   {&skinButton_, UIS_SKINBOX}};
    for (const auto& [button, bit] : chained) {
        const bool visible = style & bit;
        button->SetVisible(visible);
        if (visible) {
            AnchorRightOf(*button, previous);
            previous = button;
        }
    }
    icon_.SetVisible(style & UIS_ICON);
    caption_.SetVisible(style & UIS_CAPTION);
    if (style & UIS_CAPTION) {
        AnchorRightOf(caption_, previous);
    }
    const CRect current = rect_;
    SetRect(&current);
    return 1;
}

CUIButton* CMainUIObject::GetCaptionButton(UINT id) {
    switch (id) {
        case SC_CLOSE:
            return &closeButton_;
        case SC_MAXIMIZE:
            return &maximizeButton_;
        case SC_MINIMIZE:
            return &minimizeButton_;
        case ID_UI_MENU:
            return &menuButton_;
        case ID_UI_SKIN:
            return &skinButton_;
        default:
            return nullptr;
    }
}

int CMainUIObject::SetRect(const RECT* rect) {
    if (rect != nullptr && GetWnd() != nullptr) {
        SetWindowRgn(GetWnd(),
                     CreateRoundRectRgn(rect->left, rect->top, rect->right, rect->bottom,
                                        kCornerSize, kCornerSize),
                     1);
    }
    return CUIRoot::SetRect(rect);
}

int CMainUIObject::SetColor(COLORREF background, COLORREF frame) {
    bkColor_ = background;
    frameColor_ = frame;
    ReDraw(nullptr);
    return 1;
}

int CMainUIObject::SetBkImage(const wchar_t* path) {
    bkImage_.Destroy();
    if (!LoadImageFile(bkImage_, path)) {
        return 0;
    }
    ReDraw(nullptr);
    return 1;
}

int CMainUIObject::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    if (const auto font = reinterpret_cast<HFONT>(SendMessageToWnd(WM_GETFONT, 0, 0))) {
        dc->SelectFont(*font);
    }
    FillRectAlpha(dc, rect, bkColor_, 255);
    DrawBackgroundImage(dc, *rect);
    QRegion shape = GetWindowRgn(GetWnd());
    if (shape.isEmpty()) {
        shape = QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    }
    FrameRgn(dc, shape, frameColor_);
    if (drawProc_ != nullptr) {
        drawProc_(dc, rect, drawContext_);
    }
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

void CMainUIObject::DrawBackgroundImage(CDC* dc, const RECT& rect) {
    if (bkImage_.IsNull()) {
        return;
    }
    const CSize covered = FitCover(rect, CSize(bkImage_.GetWidth(), bkImage_.GetHeight()));
    const int previousMode = dc->SetStretchBltMode(HALFTONE);
    bkImage_.Draw(dc, rect, CRect(0, 0, covered.cx, covered.cy));
    dc->SetStretchBltMode(previousMode);
}
