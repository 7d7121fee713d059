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
        if (child->visible_) {
            DrawChild(dc, *child);
        }
    }
}

void CUIObject::DrawChild(CDC* dc, CUIObject& child) {
    // The buffer holds only the part of the child that lies on dc, so that a child larger
    // than its window costs no more than the window; the child still draws in its own
    // client coordinates.
    const CRect& placed = child.rect_;
    const CRect part = placed.Intersected(dc->GetBounds());
    if (part.IsRectEmpty()) {
        return;
    }
    CDC buffer = CDC::CreateCompatible(*dc, part.Size());
    if (!buffer.IsValid()) {
        return;
    }
    buffer.SetOrigin(part.TopLeft() - placed.TopLeft());
    const CPoint inChild = buffer.GetOrigin();
    buffer.BitBlt(inChild.x, inChild.y, part.Width(), part.Height(), *dc, part.left, part.top);
    const CRect client = child.ClientRect();
    child.OnDraw(&buffer, &client);
    dc->BitBlt(part.left, part.top, part.Width(), part.Height(), buffer, inChild.x, inChild.y);
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
