#pragma once

// CUIImage shows a window icon (16 x 16 at the top-left), or an image at its natural size
// (clipped by the object), or with auto-zoom an image shrunk to fit inside a 2-pixel margin
// with a thin grey frame, over an optional translucent background. An icon wins over an image.

#include "gfx/image.h"
#include "trellis/export.h"
#include "trellis/ui_object.h"

class TRELLIS_API CUIImage : public CUIObject {
public:
    // Loads the file at path (absolute, or relative to the program's folder), premultiplied
    // once, dropping the old image first. 1 on success; 0 leaves no image. Redraws either way.
    int SetImage(const wchar_t* path);

    // The same from bitmap resource bitmapId (type L"BITMAP") of the current resource module
    // (trellis/resources.h).
    int SetImage(UINT bitmapId);

    // Shows icon (not owned: it must outlive its use here) and drops the image. 1 when icon is
    // non-null.
    int SetImage(HICON icon);

    // Shrink-to-fit with a frame (non-zero) or natural size (0); redraws.
    int SetAutoZoom(int autoZoom);

    // A fill of colour (a colour reference) at opacity 0-255 under the content; the colour
    // 0xFFFFFFFF means no fill. Redraws.
    int SetBkColor(COLORREF colour, UINT opacity);

    int OnDraw(CDC* dc, const RECT* rect) override;

protected:
    void DrawZoomed(CDC* dc);

    CImage image_;
    HICON icon_ = nullptr;
    BOOL autoZoom_ = 0;
    COLORREF bkColor_ = 0xFFFFFFFF;
    UINT bkOpacity_ = 255;
};
