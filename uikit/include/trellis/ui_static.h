#pragma once

// CUIStatic draws its text with caller-chosen DrawText flags (gfx/text_format.h) and a soft
// shadow (DrawTextBk). CUILink is a static that underlines its text while the pointer is over
// it and shows the hand pointer; its click is the ordinary WM_COMMAND.

#include "gfx/text_format.h"
#include "trellis/export.h"
#include "trellis/ui_object.h"

class TRELLIS_API CUIStatic : public CUIObject {
public:
    // The DrawText flags for the text; takes effect at the next paint.
    void SetFormat(UINT format) { format_ = format; }

    int OnDraw(CDC* dc, const RECT* rect) override;

protected:
    // The text in dc's current font, with the format and the object's colours.
    void DrawLabel(CDC* dc, const RECT* rect);

    UINT format_ = 0;
};

class TRELLIS_API CUILink : public CUIStatic {
public:
    int OnDraw(CDC* dc, const RECT* rect) override;
    int OnSetCursor(HICON icon, CPoint pt) override;
};
