// CUIButton: painting of the five looks.

#include "fit.h"
#include "gfx/color.h"
#include "glyphs.h"
#include "trellis/drawing.h"
#include "trellis/ui_button.h"

namespace {

constexpr COLORREF kPressedShade = 0x282828;
constexpr int kPressedShadeOpacity = 120;
constexpr UINT kButtonTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr UINT kCheckTextFormat = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
constexpr LONG kCheckGlyphSize = 16;

void FillPacked(CDC* dc, const RECT* rect, DWORD packed) {
    FillRectAlpha(dc, rect, PackedColorRef(packed), PackedOpacity(packed));
}

void DrawCentred(CDC* dc, const CImage& image, const RECT& area, const CRect& source) {
    image.Draw(dc, FitCentre(area, source.Size()), source);
}

}  // namespace

int CUIButton::OnDraw(CDC* dc, const RECT* rect) {
    if (style_ & UIBS_COLOR) {
        OnDrawColor(dc, rect);
    } else if (style_ & UIBS_CHECK) {
        OnDrawCheck(dc, rect);
    } else {
        OnDrawButton(dc, rect);
    }
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

int CUIButton::OnDrawButton(CDC* dc, const RECT* rect) {
    CRect image;
    CRect text;
    CRect dropDown;
    GetAllRect(rect, &image, &text, &dropDown);
    FillPacked(dc, rect, mouseIn_ ? hoverBkColor_ : normalBkColor_);
    if (!image.IsRectEmpty()) {
        OnDrawImage(dc, &image);
    }
    if (!text.IsRectEmpty()) {
        OnDrawText(dc, &text);
    }
    if (!dropDown.IsRectEmpty()) {
        OnDrawDown(dc, &dropDown);
    }
    return 0;
}

void CUIButton::OnDrawImage(CDC* dc, const RECT* area) {
    if (strip_.IsNull() || area == nullptr) {
        return;
    }
    const CRect* source = &normalRect_;
    if (!dropHot_ && mouseDown_) {
        FillRectAlpha(dc, area, kPressedShade, kPressedShadeOpacity);
        source = &pressedRect_;
    } else if (!dropHot_ && mouseIn_) {
        source = &hoverRect_;
    }
    DrawCentred(dc, strip_, *area, *source);
}

void CUIButton::OnDrawText(CDC* dc, const RECT* area) {
    if (mouseDown_ && !dropHot_) {
        FillRectAlpha(dc, area, kPressedShade, kPressedShadeOpacity);
    }
    DrawTextBk(dc, text_.c_str(), area, kButtonTextFormat, textColor_, textBkColor_);
}

void CUIButton::OnDrawDown(CDC* dc, const RECT* area) {
    if (area == nullptr) {
        return;
    }
    if (mouseIn_) {
        if (dropHot_) {
            FillRectAlpha(dc, area, 0x000000, 100);
        }
    } else if (mouseDown_) {
        FillRectAlpha(dc, area, dropHot_ ? 0x0000FA : 0x000000, dropHot_ ? 150 : 100);
    }
    const CImage& arrow = DropDownArrow();
    if (!arrow.IsNull()) {
        DrawCentred(dc, arrow, *area, CRect(0, 0, arrow.GetWidth(), arrow.GetHeight()));
    }
}

int CUIButton::OnDrawCheck(CDC* dc, const RECT* rect) {
    if (rect == nullptr) {
        return 0;
    }
    const CRect r(*rect);
    const LONG top = r.top + (r.Height() - kCheckGlyphSize) / 2;
    const CRect glyph(r.left + 5, top, r.left + 5 + kCheckGlyphSize, top + kCheckGlyphSize);
    GlyphStrip().Draw(dc, glyph, check_ ? kCheckTickedGlyph : kCheckClearGlyph);
    const CRect textArea(r.left + 20, r.top, r.right, r.bottom);
    DrawTextBk(dc, text_.c_str(), &textArea, kCheckTextFormat, textColor_, textBkColor_);
    return 0;
}

int CUIButton::OnDrawColor(CDC* dc, const RECT*) {
    CRect client = ClientRect();
    FillPacked(dc, &client, mouseIn_ ? hoverBkColor_ : normalBkColor_);
    client.DeflateRect(2);
    FillRectAlpha(dc, &client, swatchColor_, 255);
    return 0;
}
