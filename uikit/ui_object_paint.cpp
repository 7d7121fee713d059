// Painting of the object tree: each child into its own buffer over a copy of what lies below.

#include <algorithm>

#include "trellis/drawing.h"
#include "trellis/ui_object.h"

int CUIObject::OnDraw(CDC* dc, const RECT*) {
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

void CUIObject::DrawSubObject(CDC* dc) {
    if (dc == nullptr) {
        return;
    }
    for (CUIObject* child : drawList_) {
        if (!child->visible_) {
            continue;
        }
        const CRect& placed = child->rect_;
        CDC buffer = CDC::CreateCompatible(*dc, placed.Size());
        if (!buffer.IsValid()) {
            continue;  // empty, or too large to allocate
        }
        buffer.BitBlt(0, 0, placed.Width(), placed.Height(), *dc, placed.left, placed.top);
        const CRect client = child->ClientRect();
        child->OnDraw(&buffer, &client);
        dc->BitBlt(placed.left, placed.top, placed.Width(), placed.Height(), buffer, 0, 0);
    }
}

void CUIObject::DrawAlphaRect(CDC* dc, const RECT* rect, DWORD colour, UINT alpha) {
    FillRectAlpha(dc, rect, colour, static_cast<int>(std::min(alpha, 255u)));
}

void CUIObject::DrawAlphaFrameRect(CDC* dc, const RECT* rect, DWORD colour, UINT alpha) {
    if (rect == nullptr) {
        return;
    }
    const int opacity = static_cast<int>(std::min(alpha, 255u));
    const CRect r(*rect);
    DrawLineAlpha(dc, {r.left, r.top}, {r.right, r.top}, colour, opacity);
    DrawLineAlpha(dc, {r.left, r.top}, {r.left, r.bottom}, colour, opacity);
    DrawLineAlpha(dc, {r.right, r.top}, {r.right, r.bottom}, colour, opacity);
    DrawLineAlpha(dc, {r.left, r.bottom}, {r.right, r.bottom}, colour, opacity);
}
