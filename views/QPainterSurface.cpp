#include "QPainterSurface.h"

#include "LineElision.h"
#include "QtConversions.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Characters below this are looked up in an array; the rest in a hash.
constexpr char16_t kDirectGlyphs = 0x500;

QGlyphRun GlyphRun(const QRawFont &font, const std::vector<quint32> &indexes, const std::vector<QPointF> &positions)
{
    QGlyphRun run;
    run.setRawFont(font);
    run.setRawData(indexes.data(), positions.data(), static_cast<int>(indexes.size()));
    return run;
}

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

    // The table's fonts are pixel-sized: their metrics are those of any device.
    SelectedFont(const FontSpec &s, const QFont &f)
        : spec(s)
        , font(f)
        , metrics(f)
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
                // Hinting and filtering can paint a pixel past the outline.
                glyph.ink = raw.boundingRect(glyph.index).toAlignedRect().adjusted(-1, -1, 1, 1);
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
    // Solid fills are most of a table's drawing calls. Into a plain image
    // (an image of our own, or the window's backing store behind a widget)
    // with nothing to scale, clip to a shape or blend, they are written
    // directly.
    const QTransform transform = painter.deviceTransform();
    const bool shifted = transform.type() <= QTransform::TxTranslate && transform.dx() == std::floor(transform.dx())
        && transform.dy() == std::floor(transform.dy());
    m_Scaled = !shifted;
    QPaintEngine *engine = painter.paintEngine();
    QPaintDevice *device = engine ? engine->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return;
    auto *image = static_cast<QImage *>(device);
    const QImage::Format format = image->format();
    const bool plain = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
    const QRegion systemClip = engine->systemClip();
    // A painter redirected into a larger image (a widget's into the window's
    // backing store) may write only where its system clip says.
    const bool redirected = painter.device() != device;
    if (!plain || !image->isDetached() || !shifted || painter.hasClipping() || systemClip.rectCount() > 1
        || (redirected && systemClip.isEmpty())
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.opacity() != 1.0)
        return;
    m_Pixels = image;
    m_Bits = image->bits();
    m_PixelOffset = QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    m_PixelClip = systemClip.isEmpty() ? image->rect() : systemClip.boundingRect().intersected(image->rect());
}

void QPainterSurface::Fill(const QRect &rect, QRgb colour)
{
    DrawPendingGlyphs();
    // Qt's own fill is the faster one for long rows; short ones cost less
    // written here than a call through the painter.
    constexpr int kShortRow = 64;
    if (!m_Pixels || rect.width() > kShortRow) {
        m_Painter.fillRect(rect, QColor::fromRgb(colour));
        return;
    }
    const QRect r = rect.translated(m_PixelOffset).intersected(m_PixelClip);
    if (r.isEmpty())
        return;
    // The first row pixel by pixel, the others copied from it (a copy of a
    // short row is much cheaper than filling it again).
    const qsizetype stride = m_Pixels->bytesPerLine();
    uchar *first = m_Bits + r.top() * stride + r.left() * qsizetype(sizeof(QRgb));
    std::fill_n(reinterpret_cast<QRgb *>(first), r.width(), colour);
    const std::size_t bytes = std::size_t(r.width()) * sizeof(QRgb);
    uchar *row = first + stride;
    for (int y = r.top() + 1; y <= r.bottom(); ++y, row += stride)
        std::memcpy(row, first, bytes);
}

QPainterSurface::~QPainterSurface()
{
    DrawPendingGlyphs();
}

int QPainterSurface::LogicalDpiY() const
{
    return m_Painter.device() ? m_Painter.device()->logicalDpiY() : 96;
}

void QPainterSurface::FillRect(const Rect &rect, Colour colour)
{
    Fill(ToQRect(rect), ToQColor(colour).rgb());
}

// The table's own frame (a 2-pixel pen, a 6 x 6 corner) as the rows of
// pixels Qt's aliased stroke gives it: a stroked path costs as much as a
// few thousand tiles, and a large table has hundreds of frames.
bool QPainterSurface::FillTableFrame(const QRect &r, int ellipseW, int ellipseH, int penWidth, QRgb fill, QRgb pen)
{
    if (ellipseW != 6 || ellipseH != 6 || penWidth != 2 || r.width() < 8 || r.height() < 8)
        return false;
    const int l = r.left();
    const int t = r.top();
    const int w = r.width();
    const int h = r.height();
    Fill(QRect(l + 2, t + 2, w - 4, h - 4), fill);
    Fill(QRect(l + 2, t, w - 4, 1), pen);
    Fill(QRect(l + 1, t + 1, w - 2, 1), pen);
    Fill(QRect(l + 1, t + h - 2, w - 2, 1), pen);
    Fill(QRect(l + 2, t + h - 1, w - 4, 1), pen);
    Fill(QRect(l, t + 2, 2, h - 4), pen);
    Fill(QRect(l + w - 2, t + 2, 2, h - 4), pen);
    // The inner corners of the rounding.
    Fill(QRect(l + 2, t + 2, 1, 1), pen);
    Fill(QRect(l + w - 3, t + 2, 1, 1), pen);
    Fill(QRect(l + 2, t + h - 3, 1, 1), pen);
    Fill(QRect(l + w - 3, t + h - 3, 1, 1), pen);
    return true;
}

void QPainterSurface::RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen)
{
    if (FillTableFrame(ToQRect(rect), ellipseW, ellipseH, penWidth, ToQColor(fill).rgb(), ToQColor(pen).rgb()))
        return;
    DrawPendingGlyphs();
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

namespace {

// Fonts outlive a paint: each new font engine would render every glyph of
// the table again (most of a paint's cost). A few sizes are kept, as a drag
// of the window's edge goes through several tile heights.
constexpr std::size_t kKeptFonts = 8;

} // namespace

std::vector<std::shared_ptr<QPainterSurface::SelectedFont>> &QPainterSurface::KeptFonts()
{
    // Painting, and so this cache, belongs to the user-interface thread.
    static std::vector<std::shared_ptr<SelectedFont>> fonts;
    return fonts;
}

std::shared_ptr<QPainterSurface::SelectedFont> QPainterSurface::KeptFont(const FontSpec &spec)
{
    auto &fonts = KeptFonts();
    if (fonts.empty()) {
        // Qt's fonts must not outlive the application object (of this run,
        // or of each one a test program makes).
        qAddPostRoutine([] { KeptFonts().clear(); });
    }
    const auto found = std::find_if(fonts.begin(), fonts.end(), [&](const auto &f) { return f->spec == spec; });
    if (found != fonts.end()) {
        std::rotate(fonts.begin(), found, found + 1);
        return fonts.front();
    }
    fonts.insert(fonts.begin(), std::make_shared<SelectedFont>(spec, FontForCellHeight(spec)));
    if (fonts.size() > kKeptFonts)
        fonts.pop_back();
    return fonts.front();
}

void QPainterSurface::SelectFont(const FontSpec &font)
{
    for (std::size_t i = 0; i < m_Fonts.size(); ++i) {
        if (m_Fonts[i]->spec == font) {
            m_Current = i;
            return;
        }
    }
    m_Fonts.push_back(KeptFont(font));
    m_Current = m_Fonts.size() - 1;
}

QPainterSurface::SelectedFont &QPainterSurface::Current()
{
    if (m_Fonts.empty()) {
        m_Fonts.push_back(std::make_shared<SelectedFont>(FontSpec(), m_Painter.font()));
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
    // Aligned within what is seen, so that a cut line shows its ellipsis.
    const int x = (flags & TextFlags::Right) ? visible.right() + 1 - width : visible.left();
    int y = rect.top;
    if (flags & TextFlags::Bottom)
        y = rect.bottom - height;
    else if (flags & TextFlags::VCenter)
        y = rect.top + (box.height() - height) / 2;
    const QRect textBox(x, y, width, height);

    // Opaque text: the cell behind the glyphs takes the background colour.
    if (!(flags & TextFlags::Transparent))
        Fill(textBox.intersected(visible), m_TextBackground.rgb());
    const QPoint baseline(x, y + font.metrics.ascent());
    if (!drawable) {
        // Only here does Qt lay the text out, with fallback fonts, itself;
        // their glyphs are not ours to measure, so they are clipped.
        m_Painter.save();
        m_Painter.setClipRect(visible, Qt::IntersectClip);
        m_Painter.setPen(Qt::black);
        m_Painter.setFont(font.font);
        m_Painter.drawText(baseline, shown);
        m_Painter.restore();
        return;
    }

    // The glyphs join the font's pending run: black glyphs drawn over what is
    // there give the same pixels in any order, and one run for many texts
    // costs far less than a run each. A fill draws them first.
    PendingGlyphs &pending = PendingFor(font);
    const std::size_t first = pending.indexes.size();
    QRect ink;
    int pen = 0;
    for (QChar c : shown) {
        const SelectedFont::Glyph &glyph = font.GlyphOf(c.unicode());
        pending.indexes.push_back(glyph.index);
        pending.positions.emplace_back(baseline.x() + pen, baseline.y());
        ink |= glyph.ink.translated(baseline.x() + pen, baseline.y());
        pen += glyph.advance;
    }
    m_GlyphsPending = true;
    if (visible.contains(ink))
        return;

    // Glyphs reaching past the rectangle leave the pending run and are drawn
    // cut to what is seen.
    m_GlyphIndexes.assign(pending.indexes.begin() + first, pending.indexes.end());
    m_GlyphPositions.assign(pending.positions.begin() + first, pending.positions.end());
    pending.indexes.resize(first);
    pending.positions.resize(first);
    const QRect seen = visible.intersected(ink);
    if (seen.isEmpty())
        return;
    const QGlyphRun run = GlyphRun(font.raw, m_GlyphIndexes, m_GlyphPositions);
    if (m_Scaled) {
        // A scratch image would draw at one image pixel per logical pixel.
        m_Painter.save();
        m_Painter.setClipRect(visible, Qt::IntersectClip);
        m_Painter.setPen(Qt::black);
        m_Painter.drawGlyphRun(QPointF(0, 0), run);
        m_Painter.restore();
        return;
    }
    // Into a scratch image of what is seen, then copied: a clip on the
    // painter would cost a line table of the whole image for each such text.
    QPainter &scratch = Scratch(seen.size());
    scratch.setCompositionMode(QPainter::CompositionMode_Source);
    scratch.fillRect(QRect(QPoint(0, 0), seen.size()), Qt::transparent);
    scratch.setCompositionMode(QPainter::CompositionMode_SourceOver);
    scratch.drawGlyphRun(-QPointF(seen.topLeft()), run);
    m_Painter.drawImage(seen.topLeft(), m_ScratchImage, QRect(QPoint(0, 0), seen.size()));
}

QPainterSurface::PendingGlyphs &QPainterSurface::PendingFor(const SelectedFont &font)
{
    for (PendingGlyphs &pending : m_Pending)
        if (pending.font == &font)
            return pending;
    m_Pending.push_back({&font, {}, {}});
    return m_Pending.back();
}

void QPainterSurface::Flush()
{
    DrawPendingGlyphs();
}

void QPainterSurface::DrawPendingGlyphs()
{
    if (!m_GlyphsPending)
        return;
    Q_ASSERT(m_Painter.isActive());
    m_GlyphsPending = false;
    m_Painter.setPen(Qt::black);
    for (PendingGlyphs &pending : m_Pending) {
        if (pending.indexes.empty())
            continue;
        m_Painter.drawGlyphRun(QPointF(0, 0), GlyphRun(pending.font->raw, pending.indexes, pending.positions));
        pending.indexes.clear();
        pending.positions.clear();
    }
}

QPainter &QPainterSurface::Scratch(const QSize &size)
{
    if (m_ScratchImage.width() < size.width() || m_ScratchImage.height() < size.height()) {
        m_ScratchPainter.reset();
        m_ScratchImage = QImage(size.expandedTo(m_ScratchImage.size()).expandedTo(QSize(64, 32)),
                                QImage::Format_ARGB32_Premultiplied);
    }
    if (!m_ScratchPainter) {
        m_ScratchPainter = std::make_unique<QPainter>(&m_ScratchImage);
        m_ScratchPainter->setPen(Qt::black);
    }
    return *m_ScratchPainter;
}

int QPainterSurface::TextWidth(QStringView text)
{
    return Current().Width(text);
}
