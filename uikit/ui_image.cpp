#include "trellis/ui_image.h"

#include "fit.h"
#include "image_loading.h"
#include "trellis/drawing.h"
#include "trellis/resources.h"

namespace {

constexpr COLORREF kNoBackground = 0xFFFFFFFF;
constexpr int kIconSize = 16;
constexpr LONG kZoomMargin = 2;
constexpr COLORREF kFrameColour = 0x8C8C8C;
constexpr UINT kFrameOpacity = 250;

}  // namespace

int CUIImage::SetImage(const wchar_t* path) {
    const bool loaded = LoadImageFile(image_, path);
    ReDraw(nullptr);
    return loaded ? 1 : 0;
}

int CUIImage::SetImage(UINT bitmapId) {
    const bool loaded = LoadImageResource(image_, GetResourceModule(), bitmapId, L"BITMAP");
    ReDraw(nullptr);
    return loaded ? 1 : 0;
}

int CUIImage::SetImage(HICON icon) {
    image_.Destroy();
    icon_ = icon;
    ReDraw(nullptr);
    return icon != nullptr ? 1 : 0;
}

int CUIImage::SetAutoZoom(int autoZoom) {
    autoZoom_ = autoZoom != 0;
    ReDraw(nullptr);
    return 1;
}

int CUIImage::SetBkColor(COLORREF colour, UINT opacity) {
    bkColor_ = colour;
    bkOpacity_ = opacity;
    ReDraw(nullptr);
    return 1;
}

int CUIImage::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr) {
        return 0;
    }
    if (bkColor_ != kNoBackground) {
        DrawAlphaRect(dc, rect, bkColor_, bkOpacity_);
    }
    const CRect whole(0, 0, image_.GetWidth(), image_.GetHeight());
    if (icon_ != nullptr) {
        dc->DrawIcon(icon_, rect->left, rect->top, kIconSize);
    } else if (!image_.IsNull() && autoZoom_) {
        DrawZoomed(dc);
    } else if (!image_.IsNull()) {
        image_.Draw(dc, whole, whole);
    }
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

void CUIImage::DrawZoomed(CDC* dc) {
    CRect area = ClientRect();
    area.DeflateRect(kZoomMargin);
    CRect placed = FitShrink(area, CSize(image_.GetWidth(), image_.GetHeight()));
    if (!placed.IsRectEmpty()) {
        const int previousMode = dc->SetStretchBltMode(HALFTONE);
        image_.Draw(dc, placed, CRect(0, 0, image_.GetWidth(), image_.GetHeight()));
        dc->SetStretchBltMode(previousMode);
        // The frame runs one pixel clear of the picture on every side.
        placed = {placed.left - 2, placed.top - 2, placed.right + 1, placed.bottom + 1};
    }
    DrawAlphaFrameRect(dc, &placed, kFrameColour, kFrameOpacity);
}
