#include "gfx/dc.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>

#include "gfx/color.h"
#include "text_layout.h"

namespace {

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

CDC::CDC(QImage* surface) : surface_(surface), font_(QGuiApplication::font()) {}

CDC::CDC(std::unique_ptr<QImage> owned)
    : owned_(std::move(owned)), surface_(owned_.get()), font_(QGuiApplication::font()) {}

CDC::CDC(CDC&& other) noexcept = default;
CDC& CDC::operator=(CDC&& other) noexcept = default;
CDC::~CDC() = default;

CDC CDC::CreateCompatible(const CDC& like, CSize size) {
    auto surface = std::make_unique<QImage>();
    if (size.cx > 0 && size.cy > 0) {
        *surface = QImage(size.cx, size.cy, QImage::Format_ARGB32_Premultiplied);
        surface->fill(Qt::transparent);
    }
    CDC dc(std::move(surface));
    dc.font_ = like.font_;
    return dc;
}

CSize CDC::GetSize() const {
    return IsValid() ? CSize(surface_->width(), surface_->height()) : CSize();
}

QFont CDC::SelectFont(const QFont& font) {
    return std::exchange(font_, font);
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    return std::exchange(textColor_, colour);
}

int CDC::SetBkMode(int mode) {
    return std::exchange(bkMode_, mode);
}

COLORREF CDC::SetBkColor(COLORREF colour) {
    return std::exchange(bkColor_, colour);
}

CPoint CDC::SetOrigin(CPoint origin) {
    return std::exchange(origin_, origin);
}

CRect CDC::GetBounds() const {
    const CSize size = GetSize();
    return {origin_.x, origin_.y, origin_.x + size.cx, origin_.y + size.cy};
}

int CDC::SetStretchBltMode(int mode) {
    return std::exchange(stretchMode_, mode);
}

void CDC::BitBlt(int x, int y, int width, int height, const CDC& source, int sourceX, int sourceY) {
    if (!IsValid() || !source.IsValid() || width <= 0 || height <= 0) {
        return;
    }
    // In device pixels of each surface.
    const QRect wanted(sourceX - source.origin_.x, sourceY - source.origin_.y, width, height);
    const QRect available = wanted & source.surface_->rect();
    if (available.isEmpty()) {
        return;
    }
    const QPoint target(x - origin_.x + available.x() - wanted.x(),
                        y - origin_.y + available.y() - wanted.y());
    QPainter painter(surface_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (source.surface_ == surface_) {
        painter.drawImage(target, surface_->copy(available));
    } else {
        painter.drawImage(target, *source.surface_, available);
    }
}

void CDC::FillRect(const RECT& rect, const QColor& colour) {
    const QRect area = ToQRect(rect);
    if (!IsValid() || area.isEmpty() || colour.alpha() == 0) {
        return;
    }
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    painter.fillRect(area, colour);
}

void CDC::DrawLine(QPointF from, QPointF to, const QColor& colour) {
    if (!IsValid() || colour.alpha() == 0) {
        return;
    }
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    painter.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::SquareCap));
    painter.drawLine(from, to);
}

void CDC::DrawText(const std::wstring& text, const RECT& rect, UINT format) {
    if (!IsValid()) {
        return;
    }
    const TextPlacement placement =
        PlaceText(QString::fromStdWString(text), ToQRect(rect), format, font_, surface_);
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    if (bkMode_ == OPAQUE) {
        painter.fillRect(PlacedTextBounds(placement), QColorFromRef(bkColor_));
    }
    painter.setFont(font_);
    painter.setPen(QColorFromRef(textColor_));
    PaintPlacedText(painter, placement);
}

void CDC::DrawTextInColor(const std::wstring& text, const RECT& rect, UINT format,
                          const QColor& colour) {
    if (!IsValid() || colour.alpha() == 0) {
        return;
    }
    const TextPlacement placement =
        PlaceText(QString::fromStdWString(text), ToQRect(rect), format, font_, surface_);
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    painter.setFont(font_);
    painter.setPen(colour);
    PaintPlacedText(painter, placement);
}

void CDC::DrawImage(const QImage& image, const RECT& destination, const RECT& source) {
    const QRect target = ToQRect(destination);
    const QRect from = ToQRect(source);
    if (!IsValid() || image.isNull() || target.isEmpty() || from.isEmpty()) {
        return;
    }
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, stretchMode_ == HALFTONE);
    painter.drawImage(target, image, from);
}

void CDC::DrawIcon(HICON icon, int x, int y, int size) {
    if (!IsValid() || icon == nullptr || icon->isNull() || size <= 0) {
        return;
    }
    QPainter painter(surface_);
    painter.translate(-origin_.x, -origin_.y);
    icon->paint(&painter, QRect(x, y, size, size));
}
