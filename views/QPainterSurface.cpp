#include "QPainterSurface.h"

#include "LineElision.h"
#include "QtConversions.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

// Characters below this are looked up in an array; the rest in a hash.
constexpr char16_t kDirectGlyphs = 0x500;

} // namespace

struct QPainterSurface::SelectedFont
{
    struct Glyph
    {
        quint32 index = 0;
        int advance = 0;
        // The glyph's ink around its pen position on the baseline.
        QRect ink;
        bool known = false;
        bool present = false;
    };

    SelectedFont(const FontSpec &s, const QFont &f, QPaintDevice *device)
        : spec(s)
        , font(f)
        , metrics(f, device)
        , raw(QRawFont::fromFont(f))
    {
    }

    const Glyph &GlyphOf(char16_t c)
    {
        Glyph &glyph = c < kDirectGlyphs ? direct[c] : others[c];
        if (glyph.known)
            return glyph;
        glyph.known = true;
        const QChar ch(c);
        if (raw.isValid() && !ch.isSurrogate() && raw.supportsCharacter(ch)) {
            const QList<quint32> indexes = raw.glyphIndexesForString(QString(ch));
            if (indexes.size() == 1) {
                glyph.index = indexes.first();
                const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
                glyph.advance = advances.isEmpty() ? 0 : static_cast<int>(std::lround(advances.first().x()));
                glyph.ink = raw.boundingRect(glyph.index).toAlignedRect();
                glyph.present = true;
                return glyph;
            }
        }
        glyph.advance = metrics.horizontalAdvance(ch);
        return glyph;
    }

    // The width at whole-pixel advances; `drawable` is false when some
    // character has no glyph of its own in this font.
    int Width(QStringView text, bool *drawable = nullptr)
    {
        int width = 0;
        bool all = true;
        for (QChar c : text) {
            const Glyph &glyph = GlyphOf(c.unicode());
            width += glyph.advance;
            all = all && glyph.present;
        }
        if (drawable)
            *drawable = all;
        return width;
    }

    FontSpec spec;
    QFont font;
    QFontMetrics metrics;
    QRawFont raw;
    std::array<Glyph, kDirectGlyphs> direct{};
    QHash<char16_t, Glyph> others;
};

QPainterSurface::QPainterSurface(QPainter &painter)
    : m_Painter(painter)
    , m_TextBackground(Qt::white)
{
}

QPainterSurface::~QPainterSurface() = default;

int QPainterSurface::LogicalDpiY() const
{
    return m_Painter.device() ? m_Painter.device()->logicalDpiY() : 96;
}

void QPainterSurface::FillRect(const Rect &rect, Colour colour)
{
    m_Painter.fillRect(ToQRect(rect), ToQColor(colour));
}

namespace {

// The table's own frame (a 2-pixel pen, a 6 x 6 corner) as the rows of
// pixels Qt's aliased stroke gives it: a stroked path costs as much as a
// few thousand tiles, and a large table has hundreds of frames.
bool FillTableFrame(QPainter &painter, const QRect &r, int ellipseW, int ellipseH, int penWidth, const QColor &fill,
                    const QColor &pen)
{
    if (ellipseW != 6 || ellipseH != 6 || penWidth != 2 || r.width() < 8 || r.height() < 8)
        return false;
    const int l = r.left();
    const int t = r.top();
    const int w = r.width();
    const int h = r.height();
    painter.fillRect(QRect(l + 2, t + 2, w - 4, h - 4), fill);
    painter.fillRect(QRect(l + 2, t, w - 4, 1), pen);
    painter.fillRect(QRect(l + 1, t + 1, w - 2, 1), pen);
    painter.fillRect(QRect(l + 1, t + h - 2, w - 2, 1), pen);
    painter.fillRect(QRect(l + 2, t + h - 1, w - 4, 1), pen);
    painter.fillRect(QRect(l, t + 2, 2, h - 4), pen);
    painter.fillRect(QRect(l + w - 2, t + 2, 2, h - 4), pen);
    // The inner corners of the rounding.
    painter.fillRect(QRect(l + 2, t + 2, 1, 1), pen);
    painter.fillRect(QRect(l + w - 3, t + 2, 1, 1), pen);
    painter.fillRect(QRect(l + 2, t + h - 3, 1, 1), pen);
    painter.fillRect(QRect(l + w - 3, t + h - 3, 1, 1), pen);
    return true;
}

} // namespace

void QPainterSurface::RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen)
{
    if (FillTableFrame(m_Painter, ToQRect(rect), ellipseW, ellipseH, penWidth, ToQColor(fill), ToQColor(pen)))
        return;
    StrokeRoundRect(m_Painter, rect, ellipseW, ellipseH, fill, penWidth, pen);
}

void QPainterSurface::StrokeRoundRect(QPainter &painter, const Rect &rect, int ellipseW, int ellipseH, Colour fill,
                                      int penWidth, Colour pen)
{
    // The inside is a plain rectangle fill (cheap even for a frame as large
    // as the window); the outline, drawn over its edge, rounds the corners.
    // Aliased, like the consoles' own drawing.
    const Rect inside{rect.left + penWidth, rect.top + penWidth, rect.right - penWidth, rect.bottom - penWidth};
    if (inside.right > inside.left && inside.bottom > inside.top)
        painter.fillRect(ToQRect(inside), ToQColor(fill));
    // The outline lies inside the rectangle, as a pen of that width would draw
    // it on the rectangle's edge pixels.
    const double inset = penWidth / 2.0;
    const QRectF box(rect.left + inset, rect.top + inset, rect.right - rect.left - penWidth,
                     rect.bottom - rect.top - penWidth);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(pen), penWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box, ellipseW / 2.0, ellipseH / 2.0);
    painter.restore();
}

QFont QPainterSurface::FontForCellHeight(const FontSpec &spec)
{
    QFont font(spec.face);
    font.setWeight(static_cast<QFont::Weight>(spec.weight));
    font.setStyleStrategy(QFont::PreferOutline);
    font.setKerning(false);
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
    for (std::size_t i = 0; i < m_Fonts.size(); ++i) {
        if (m_Fonts[i]->spec == font) {
            m_Current = i;
            m_Painter.setFont(m_Fonts[i]->font);
            return;
        }
    }
    m_Fonts.push_back(std::make_unique<SelectedFont>(font, FontForCellHeight(font), m_Painter.device()));
    m_Current = m_Fonts.size() - 1;
    m_Painter.setFont(m_Fonts.back()->font);
}

QPainterSurface::SelectedFont &QPainterSurface::Current()
{
    if (m_Fonts.empty()) {
        m_Fonts.push_back(std::make_unique<SelectedFont>(FontSpec(), m_Painter.font(), m_Painter.device()));
        m_Current = 0;
    }
    return *m_Fonts[m_Current];
}

void QPainterSurface::SetTextBackground(Colour colour)
{
    m_TextBackground = ToQColor(colour);
}

QString QPainterSurface::ShownText(const QString &text, int width)
{
    SelectedFont &font = Current();
    return ElideAtEnd(text, width, [&font](QStringView part) { return font.Width(part); });
}

void QPainterSurface::DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip)
{
    const QRect box = ToQRect(rect);
    const QRect visible = box.intersected(ToQRect(clip));
    if (visible.isEmpty() || text.isEmpty())
        return;
    SelectedFont &font = Current();
    bool drawable = false;
    int width = font.Width(text, &drawable);
    QString elided;
    if ((flags & TextFlags::EndEllipsis) && width > visible.width()) {
        elided = ShownText(text, visible.width());
        width = font.Width(elided, &drawable);
    }
    const QString &shown = elided.isNull() ? text : elided;
    const int height = font.metrics.height();
    const int x = (flags & TextFlags::Right) ? rect.right - width : rect.left;
    int y = rect.top;
    if (flags & TextFlags::Bottom)
        y = rect.bottom - height;
    else if (flags & TextFlags::VCenter)
        y = rect.top + (box.height() - height) / 2;
    const QRect textBox(x, y, width, height);

    // Opaque text: the cell behind the glyphs takes the background colour.
    if (!(flags & TextFlags::Transparent))
        m_Painter.fillRect(textBox.intersected(visible), m_TextBackground);
    m_Painter.setPen(Qt::black);
    const QPoint baseline(x, y + font.metrics.ascent());
    QRect ink;
    if (drawable) {
        m_GlyphIndexes.clear();
        m_GlyphPositions.clear();
        int pen = 0;
        for (QChar c : shown) {
            const SelectedFont::Glyph &glyph = font.GlyphOf(c.unicode());
            m_GlyphIndexes.push_back(glyph.index);
            m_GlyphPositions.emplace_back(pen, 0);
            ink |= glyph.ink.translated(baseline.x() + pen, baseline.y());
            pen += glyph.advance;
        }
    }
    // Glyphs from another font, or reaching past the rectangle, are clipped;
    // the rest need no clip, which is the common and cheaper case.
    const bool clipped = !drawable || !visible.contains(ink);
    if (clipped) {
        m_Painter.save();
        m_Painter.setClipRect(visible, Qt::IntersectClip);
    }
    if (drawable) {
        QGlyphRun run;
        run.setRawFont(font.raw);
        run.setRawData(m_GlyphIndexes.data(), m_GlyphPositions.data(), static_cast<int>(m_GlyphIndexes.size()));
        m_Painter.drawGlyphRun(baseline, run);
    } else {
        m_Painter.drawText(baseline, shown);
    }
    if (clipped)
        m_Painter.restore();
}

int QPainterSurface::TextWidth(QStringView text)
{
    return Current().Width(text);
}
