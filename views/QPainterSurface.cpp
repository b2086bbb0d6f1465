#include "QPainterSurface.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QRect ToQRect(const Rect &r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

} // namespace

QPainterSurface::QPainterSurface(QPainter &painter)
    : m_Painter(painter)
    , m_TextBackground(Qt::white)
{
}

int QPainterSurface::LogicalDpiY() const
{
    return m_Painter.device() ? m_Painter.device()->logicalDpiY() : 96;
}

void QPainterSurface::FillRect(const Rect &rect, Colour colour)
{
    m_Painter.fillRect(ToQRect(rect), ToQColor(colour));
}

void QPainterSurface::RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen)
{
    // The outline lies inside the rectangle, as a pen of that width would draw
    // it on the rectangle's edge pixels.
    const double inset = penWidth / 2.0;
    const QRectF box(rect.left + inset, rect.top + inset, rect.right - rect.left - penWidth,
                     rect.bottom - rect.top - penWidth);
    m_Painter.save();
    m_Painter.setRenderHint(QPainter::Antialiasing, true);
    m_Painter.setPen(QPen(ToQColor(pen), penWidth));
    m_Painter.setBrush(ToQColor(fill));
    m_Painter.drawRoundedRect(box, ellipseW / 2.0, ellipseH / 2.0);
    m_Painter.restore();
}

QFont QPainterSurface::FontForCellHeight(const FontSpec &spec)
{
    QFont font(spec.face);
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    font.setStyleStrategy(QFont::PreferOutline);
    const int cell = std::max(1, spec.cellHeight);
    font.setPixelSize(cell);
    // Qt sizes the em; the table sizes the cell. Scale by what the face's
    // cell is to its em.
    const QFontMetricsF metrics(font);
    const double actual = metrics.ascent() + metrics.descent();
    if (actual > 0) {
        const int pixels = std::max(1, static_cast<int>(std::lround(cell * cell / actual)));
        font.setPixelSize(pixels);
    }
    return font;
}

void QPainterSurface::SelectFont(const FontSpec &font)
{
    for (const auto &[spec, qfont] : m_Fonts) {
        if (spec == font) {
            m_Painter.setFont(qfont);
            return;
        }
    }
    m_Fonts.emplace_back(font, FontForCellHeight(font));
    m_Painter.setFont(m_Fonts.back().second);
}

void QPainterSurface::SetTextBackground(Colour colour)
{
    m_TextBackground = ToQColor(colour);
}

void QPainterSurface::DrawText(const QString &text, const Rect &rect, unsigned flags)
{
    const QRect box = ToQRect(rect);
    if (box.isEmpty() || text.isEmpty())
        return;
    int alignment = (flags & TextFlags::Right) ? Qt::AlignRight : Qt::AlignLeft;
    if (flags & TextFlags::Bottom)
        alignment |= Qt::AlignBottom;
    else if (flags & TextFlags::VCenter)
        alignment |= Qt::AlignVCenter;
    else
        alignment |= Qt::AlignTop;

    const QFontMetrics metrics(m_Painter.font());
    const QRect textBox = metrics.boundingRect(box, alignment | Qt::TextSingleLine, text);
    m_Painter.save();
    m_Painter.setClipRect(box, Qt::IntersectClip);
    // Opaque text: the cell behind the glyphs takes the background colour.
    m_Painter.fillRect(textBox.intersected(box), m_TextBackground);
    m_Painter.setPen(Qt::black);
    m_Painter.drawText(box, alignment | Qt::TextSingleLine, text);
    m_Painter.restore();
}

int QPainterSurface::TextWidth(const QString &text)
{
    return QFontMetrics(m_Painter.font()).horizontalAdvance(text);
}
