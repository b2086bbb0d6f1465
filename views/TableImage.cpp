#include "TableImage.h"

#include "CRoot.h"
#include "QPainterSurface.h"
#include "TablePainter.h"

#include <QPainter>

#include <cmath>

namespace {

QSize PixelSize(const QSize &size, qreal devicePixelRatio)
{
    return {static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
            static_cast<int>(std::ceil(size.height() * devicePixelRatio))};
}

} // namespace

bool TableImage::IsCurrentFor(const QSize &size, qreal devicePixelRatio, int dpi) const
{
    return m_Current && m_Image.size() == PixelSize(size, devicePixelRatio)
        && m_Image.devicePixelRatio() == devicePixelRatio && m_Dpi == dpi;
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
    if (m_Image.size() != pixels)
        m_Image = QImage(pixels, QImage::Format_RGB32);
    m_Image.setDevicePixelRatio(devicePixelRatio);
    // The fonts are chosen for the screen's resolution, as the image reports it.
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    m_Image.setDotsPerMeterX(dotsPerMeter);
    m_Image.setDotsPerMeterY(dotsPerMeter);
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
    const QRectF source(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio, exposed.height() * ratio);
    painter.drawImage(QRectF(exposed), m_Image, source);
}
