#pragma once

// The toolkit's drawing primitives: translucent fills and lines, text with a soft shadow, and
// the one-time premultiplication of loaded images. Colours are colour references 0x00BBGGRR
// with a separate opacity 0 (invisible) to 255 (solid). Null arguments draw nothing. Use on
// the thread that owns the context.

#include "gfx/dc.h"
#include "gfx/image.h"
#include "gfx/text_format.h"
#include "trellis/export.h"

// Blends colour at opacity over rect (right and bottom outside).
TRELLIS_API void FillRectAlpha(CDC* dc, const RECT* rect, COLORREF colour, int opacity);

// A one-pixel line from one point to the other, both end pixels included.
TRELLIS_API void DrawLineAlpha(CDC* dc, POINT from, POINT to, COLORREF colour, int opacity);

// Draws text in rect by the DrawText flags of gfx/text_format.h in dc's font: first a shadow in
// backColour at opacity 55 moved one pixel right and down, then the text in textColour. The
// context's own text colour and background mode play no part.
TRELLIS_API void DrawTextBk(CDC* dc, const wchar_t* text, const RECT* rect, UINT format,
                            COLORREF textColour, COLORREF backColour);

// Premultiplies the colour channels of a 32-bit image with alpha by its alpha, rounding down;
// an image already premultiplied, or without alpha, is left as it is.
TRELLIS_API void CImageTransparent(CImage* image);
