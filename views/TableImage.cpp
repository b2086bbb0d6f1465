#include "views/TableImage.h"

#include "layout/CRoot.h"
#include "views/QPainterSurface.h"
#include "views/TablePainter.h"

#include <QPainter>

#include <cmath>

namespace {

QSize PixelSize(const QSize &size, qreal devicePixelRatio)
{
    return {static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
            static_cast<int>(std::ceil(size.height() * devicePixelRatio))};
}

} // namespace

void SetLogicalDpi(QImage &image, int dpi)
{
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

bool TableImage::IsCurrentFor(const QSize &size, qreal devicePixelRatio, int dpi) const
{
    return m_Current && m_Size == size && m_Image.devicePixelRatio() == devicePixelRatio && m_Dpi == dpi;
}

bool TableImage::Update(CRoot &root, const QSize &size, qreal devicePixelRatio, int dpi)
{
    if (!root.m_CurPunct || size.isEmpty()) {
        m_Current = false;
        return false;
    }
    if (IsCurrentFor(size, devicePixelRatio, dpi))
        return m_Shown;
    const QSize pixels = PixelSize(size, devicePixelRatio);
    if (m_Image.size() != pixels) {
        m_Image = QImage(pixels, QImage::Format_RGB32);
        // At a fractional ratio the last column and row are only partly painted.
        m_Image.fill(Qt::white);
    }
    m_Image.setDevicePixelRatio(devicePixelRatio);
    SetLogicalDpi(m_Image, dpi);
    m_Size = size;
    m_Dpi = dpi;
    {
        QPainter painter(&m_Image);
        QPainterSurface surface(painter);
        m_Shown = TablePainter::Paint(root, surface, size.width(), size.height());
    }
    m_Current = true;
    return m_Shown;
}

void TableImage::Draw(QPainter &painter, const QRect &exposed) const
{
    const qreal ratio = m_Image.devicePixelRatio();
    if (ratio == std::floor(ratio)) {
        const QRect source(exposed.topLeft() * static_cast<int>(ratio), exposed.size() * static_cast<int>(ratio));
        painter.drawImage(exposed, m_Image, source);
        return;
    }
    // At a fractional ratio the exposed part does not fall on whole image
    // pixels: the whole picture is drawn, clipped, so that parts copied by
    // different exposes line up.
    painter.save();
    painter.setClipRect(exposed, Qt::IntersectClip);
    painter.drawImage(QPointF(0, 0), m_Image);
    painter.restore();
}
