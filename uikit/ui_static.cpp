#include "trellis/ui_static.h"

#include "trellis/cursors.h"
#include "trellis/drawing.h"

void CUIStatic::DrawLabel(CDC* dc, const RECT* rect) {
    DrawTextBk(dc, text_.c_str(), rect, format_, textColor_, textBkColor_);
}

int CUIStatic::OnDraw(CDC* dc, const RECT* rect) {
    DrawLabel(dc, rect);
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

int CUILink::OnDraw(CDC* dc, const RECT* rect) {
    if (dc == nullptr || !mouseIn_) {
        return CUIStatic::OnDraw(dc, rect);
    }
    QFont underlined = dc->GetFont();
    underlined.setUnderline(true);
    const QFont previous = dc->SelectFont(underlined);
    DrawLabel(dc, rect);
    dc->SelectFont(previous);
    if (visible_) {
        DrawSubObject(dc);
    }
    return 0;
}

int CUILink::OnSetCursor(HICON, CPoint) {
    SetCursor(IDC_HAND);
    return 1;
}
