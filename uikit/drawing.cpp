#include "trellis/drawing.h"

#include "gfx/color.h"

namespace {

constexpr int kShadowOpacity = 55;

}  // namespace

void FillRectAlpha(CDC* dc, const RECT* rect, COLORREF colour, int opacity) {
    if (dc != nullptr && rect != nullptr) {
        dc->FillRect(*rect, QColorFromRef(colour, opacity));
    }
}

void DrawLineAlpha(CDC* dc, POINT from, POINT to, COLORREF colour, int opacity) {
    if (dc != nullptr) {
        dc->DrawLine(QPointF(from.x, from.y), QPointF(to.x, to.y), QColorFromRef(colour, opacity));
    }
}

void DrawTextBk(CDC* dc, const wchar_t* text, const RECT* rect, UINT format, COLORREF textColour,
                COLORREF backColour) {
    if (dc == nullptr || text == nullptr || rect == nullptr) {
        return;
    }
    CRect shadow(*rect);
    shadow.OffsetRect(1, 1);
    dc->DrawTextInColor(text, shadow, format, QColorFromRef(backColour, kShadowOpacity));
    dc->DrawTextInColor(text, *rect, format, QColorFromRef(textColour));
}

void CImageTransparent(CImage* image) {
    if (image != nullptr) {
        image->Premultiply();
    }
}
