#pragma once

// CDC, the drawing context the toolkit paints through: a 32-bit surface (a QImage in
// Format_ARGB32_Premultiplied) together with the context's current font, text colour,
// background mode and colour, and stretch mode.
//
// Every drawing operation opens a painter on the surface for that call only and closes it
// before returning, so a context never holds the surface busy between calls. Nothing here
// throws; drawing on a context without pixels does nothing. Text and icons need a
// QGuiApplication. Use from the thread that owns the surface only (the user-interface thread
// for window surfaces).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <memory>
#include <string>

#include "gfx/geometry.h"
#include "trellis/export.h"

// Background modes: whether plain text first fills its extent with the background colour.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Stretch modes: HALFTONE smooths images drawn at another size; the others pick pixels.
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

class TRELLIS_API CDC {
public:
    // A context that draws on surface. The caller keeps the surface alive, and paints on it
    // with nothing else, for the context's lifetime. The font is the application's font.
    explicit CDC(QImage* surface);

    // An off-screen context that owns a new, fully transparent surface of the given size and
    // starts with like's font (its other settings are the defaults). A size that is empty or
    // too large to allocate gives a context without pixels (IsValid() false).
    static CDC CreateCompatible(const CDC& like, CSize size);

    CDC(CDC&& other) noexcept;
    CDC& operator=(CDC&& other) noexcept;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC();

    bool IsValid() const { return surface_ != nullptr && !surface_->isNull(); }
    // The pixels, addressed without the origin (device pixel = logical point - origin).
    QImage* GetSurface() const { return surface_; }
    CSize GetSize() const;  // in pixels of the surface

    // Drawing coordinates are logical: the surface's top-left pixel is at the origin, (0, 0)
    // unless set otherwise. A buffer holding only part of an area starts at that part.
    CPoint SetOrigin(CPoint origin);
    CPoint GetOrigin() const { return origin_; }
    // The logical rectangle the surface covers; empty without pixels.
    CRect GetBounds() const;

    // Each setter returns the previous value.
    QFont SelectFont(const QFont& font);
    const QFont& GetFont() const { return font_; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return textColor_; }
    int SetBkMode(int mode);
    int GetBkMode() const { return bkMode_; }
    COLORREF SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return bkColor_; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return stretchMode_; }

    // Copies a width x height block of source at (sourceX, sourceY) (source's logical
    // coordinates) to (x, y) unchanged, alpha included. Parts outside either surface are
    // skipped. source may be this context.
    void BitBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY);

    // Blends colour (with its alpha) over the rectangle; an empty rectangle draws nothing.
    void FillRect(const RECT& rect, const QColor& colour);

    // A one-pixel line from one point to the other, both end pixels included, no smoothing.
    void DrawLine(QPointF from, QPointF to, const QColor& colour);

    // Text placed by the DrawText flags of gfx/text_format.h, in the current font and text
    // colour; in OPAQUE mode the text's extent is first filled with the background colour.
    void DrawText(const std::wstring& text, const RECT& rect, UINT format);

    // The same placement in the given colour; the text colour and background mode play no part.
    void DrawTextInColor(const std::wstring& text, const RECT& rect, UINT format,
                         const QColor& colour);

    // Blends the source rectangle of image over the destination rectangle, scaling as needed
    // (smoothly in HALFTONE mode). Empty rectangles draw nothing.
    void DrawImage(const QImage& image, const RECT& destination, const RECT& source);

    // Draws icon at (x, y) at size x size pixels; a null icon draws nothing.
    void DrawIcon(HICON icon, int x, int y, int size);

private:
    explicit CDC(std::unique_ptr<QImage> owned);

    std::unique_ptr<QImage> owned_;
    QImage* surface_ = nullptr;
    QFont font_;
    COLORREF textColor_ = 0x000000;
    COLORREF bkColor_ = 0xFFFFFF;
    int bkMode_ = OPAQUE;
    int stretchMode_ = COLORONCOLOR;
    CPoint origin_;
};
