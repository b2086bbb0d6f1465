#include "views/QPainterSurface.h"

#include "views/LineElision.h"
#include "views/QtConversions.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <numeric>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace {

// Writes a row of pixels that is not read back soon: a table is written
// once, and streaming stores save reading each line of it into the cache
// before it is overwritten (half the memory traffic).
void WriteRow(QRgb *to, const QRgb *from, std::size_t count)
{
#if defined(__SSE2__) || defined(_M_X64)
    constexpr std::size_t kStreamed = 64;
    if (count >= kStreamed) {
        for (; reinterpret_cast<std::uintptr_t>(to) % 16 != 0; --count)
            *to++ = *from++;
        for (; count >= 4; count -= 4, to += 4, from += 4)
            _mm_stream_si128(reinterpret_cast<__m128i *>(to), _mm_loadu_si128(reinterpret_cast<const __m128i *>(from)));
    }
#endif
    std::memcpy(to, from, count * sizeof(QRgb));
}

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
                glyph.ink = PixelInk(glyph.index);
                glyph.present = true;
                return glyph;
            }
        }
        glyph.advance = metrics.horizontalAdvance(ch);
        return glyph;
    }

    // The pixels a glyph paints around its pen position on the baseline, as
    // drawn: hinting and filtering can paint past the outline. Glyphs are
    // always placed on whole pixels, where they paint the same pixels.
    QRect PixelInk(quint32 index) const
    {
        const QRect outline = raw.boundingRect(index).toAlignedRect();
        if (outline.isEmpty())
            return {};
        constexpr int kRoom = 4;
        QImage probe(outline.size() + QSize(2 * kRoom, 2 * kRoom), QImage::Format_RGB32);
        probe.fill(Qt::white);
        const QPoint pen = QPoint(kRoom, kRoom) - outline.topLeft();
        {
            QPainter painter(&probe);
            painter.setPen(Qt::black);
            QGlyphRun run;
            run.setRawFont(raw);
            const QPointF position(pen);
            run.setRawData(&index, &position, 1);
            painter.drawGlyphRun(QPointF(0, 0), run);
        }
        QRect ink;
        for (int y = 0; y < probe.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(probe.constScanLine(y));
            for (int x = 0; x < probe.width(); ++x)
                if (row[x] != 0xffffffffU)
                    ink |= QRect(x, y, 1, 1);
        }
        return ink.translated(-pen);
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
    if (!m_Pixels) {
        DrawPendingGlyphs();
        m_Painter.fillRect(rect, QColor::fromRgb(colour));
        return;
    }
    const QRect pixels = rect.translated(m_PixelOffset).intersected(m_PixelClip);
    if (pixels.isEmpty())
        return;
    // Glyphs not drawn yet that this fill covers go under it.
    if (m_GlyphsPending && CoversPendingInk(pixels))
        DrawPendingGlyphs();
    m_PendingFills.push_back({pixels, colour});
}

void QPainterSurface::WritePendingFills()
{
    if (m_PendingFills.empty())
        return;
    const std::vector<PendingFill> &fills = m_PendingFills;
    // The fills by their first row, each row's in the order they were made,
    // and the rows where what covers a row changes: counted over the rows the
    // fills reach (no more than they write) rather than sorted.
    int firstRow = fills.front().pixels.top();
    int lastRow = fills.front().pixels.bottom();
    for (const PendingFill &fill : fills) {
        firstRow = std::min(firstRow, fill.pixels.top());
        lastRow = std::max(lastRow, fill.pixels.bottom());
    }
    const auto rowIndex = [firstRow](int y) { return std::size_t(y - firstRow); };
    const std::size_t rows = rowIndex(lastRow) + 1;
    std::vector<std::uint32_t> firstOfRow(rows + 1, 0);
    std::vector<bool> changesAt(rows + 1, false);
    for (const PendingFill &fill : fills) {
        ++firstOfRow[rowIndex(fill.pixels.top())];
        changesAt[rowIndex(fill.pixels.top())] = true;
        changesAt[rowIndex(fill.pixels.bottom()) + 1] = true;
    }
    std::exclusive_scan(firstOfRow.begin(), firstOfRow.end(), firstOfRow.begin(), 0U);
    std::vector<std::uint32_t> byTop(fills.size());
    for (std::uint32_t i = 0; i < fills.size(); ++i)
        byTop[firstOfRow[rowIndex(fills[i].pixels.top())]++] = i;
    std::vector<int> edges;
    for (std::size_t y = 0; y <= rows; ++y)
        if (changesAt[y])
            edges.push_back(firstRow + int(y));

    std::vector<QRgb> &line = m_Line;
    line.resize(std::size_t(m_Pixels->width()));
    std::vector<std::uint32_t> covering; // in the order the fills were made
    std::vector<std::pair<int, int>> spans;
    const qsizetype stride = m_Pixels->bytesPerLine();
    std::size_t next = 0;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        const int top = edges[e];
        const int end = edges[e + 1];
        std::erase_if(covering, [&](std::uint32_t i) { return fills[i].pixels.bottom() < top; });
        for (; next < byTop.size() && fills[byTop[next]].pixels.top() <= top; ++next)
            covering.insert(std::upper_bound(covering.begin(), covering.end(), byTop[next]), byTop[next]);
        if (covering.empty())
            continue;
        int left = m_Pixels->width();
        int right = -1;
        for (std::uint32_t i : covering) {
            const QRect &r = fills[i].pixels;
            std::fill_n(line.data() + r.left(), r.width(), fills[i].colour);
            left = std::min(left, r.left());
            right = std::max(right, r.right());
        }
        // What the band's fills cover: mostly one span, under a background.
        spans.clear();
        const bool oneSpan = std::any_of(covering.begin(), covering.end(), [&](std::uint32_t i) {
            return fills[i].pixels.left() == left && fills[i].pixels.right() == right;
        });
        if (oneSpan) {
            spans.emplace_back(left, right + 1);
        } else {
            for (std::uint32_t i : covering)
                spans.emplace_back(fills[i].pixels.left(), fills[i].pixels.right() + 1);
            std::sort(spans.begin(), spans.end());
            std::size_t merged = 0;
            for (std::size_t k = 1; k < spans.size(); ++k) {
                if (spans[k].first <= spans[merged].second)
                    spans[merged].second = std::max(spans[merged].second, spans[k].second);
                else
                    spans[++merged] = spans[k];
            }
            spans.resize(merged + 1);
        }
        for (int y = top; y < end; ++y) {
            auto *row = reinterpret_cast<QRgb *>(m_Bits + y * stride);
            for (const auto &[from, to] : spans)
                WriteRow(row + from, line.data() + from, std::size_t(to - from));
        }
    }
#if defined(__SSE2__) || defined(_M_X64)
    _mm_sfence(); // the streamed rows are seen by whoever reads the image next
#endif
    m_PendingFills.clear();
}

void QPainterSurface::AddPendingInk(const QRect &ink)
{
    const QRect r = ink.intersected(m_Pixels->rect());
    if (r.isEmpty())
        return;
    if (m_InkSquares.empty()) {
        m_InkSquaresPerRow = (m_Pixels->width() + kInkSquare - 1) / kInkSquare;
        m_InkSquares.resize(std::size_t(m_InkSquaresPerRow)
                            * std::size_t((m_Pixels->height() + kInkSquare - 1) / kInkSquare));
    }
    const auto index = static_cast<std::uint32_t>(m_PendingInk.size());
    m_PendingInk.push_back(r);
    for (int sy = r.top() / kInkSquare; sy <= r.bottom() / kInkSquare; ++sy) {
        for (int sx = r.left() / kInkSquare; sx <= r.right() / kInkSquare; ++sx) {
            const auto square = static_cast<std::uint32_t>(sy * m_InkSquaresPerRow + sx);
            std::vector<std::uint32_t> &inks = m_InkSquares[square];
            if (inks.empty())
                m_UsedInkSquares.push_back(square);
            inks.push_back(index);
        }
    }
}

bool QPainterSurface::CoversPendingInk(const QRect &pixels) const
{
    if (m_PendingInk.empty())
        return false;
    for (int sy = pixels.top() / kInkSquare; sy <= pixels.bottom() / kInkSquare; ++sy) {
        for (int sx = pixels.left() / kInkSquare; sx <= pixels.right() / kInkSquare; ++sx) {
            for (std::uint32_t i : m_InkSquares[std::size_t(sy * m_InkSquaresPerRow + sx)])
                if (m_PendingInk[i].intersects(pixels))
                    return true;
        }
    }
    return false;
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
        WritePendingFills();
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
    // costs far less than a run each. A fill over them draws them first.
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
    if (visible.contains(ink)) {
        if (m_Pixels)
            AddPendingInk(ink.translated(m_PixelOffset));
        return;
    }

    // Glyphs reaching past the rectangle leave the pending run and are drawn
    // cut to what is seen.
    m_GlyphIndexes.assign(pending.indexes.begin() + first, pending.indexes.end());
    m_GlyphPositions.assign(pending.positions.begin() + first, pending.positions.end());
    pending.indexes.resize(first);
    pending.positions.resize(first);
    const QRect seen = visible.intersected(ink);
    if (seen.isEmpty())
        return;
    if (m_Scaled) {
        // A scratch image would draw at one image pixel per logical pixel.
        m_Painter.save();
        m_Painter.setClipRect(visible, Qt::IntersectClip);
        m_Painter.setPen(Qt::black);
        m_Painter.drawGlyphRun(QPointF(0, 0), GlyphRun(font.raw, m_GlyphIndexes, m_GlyphPositions));
        m_Painter.restore();
        return;
    }
    if (m_Pixels) {
        // Over the fills, like the other glyphs.
        m_PendingCut.push_back({&font, m_GlyphIndexes, m_GlyphPositions, seen});
        AddPendingInk(seen.translated(m_PixelOffset));
        return;
    }
    DrawCut(font, m_GlyphIndexes, m_GlyphPositions, seen);
}

void QPainterSurface::DrawCut(const SelectedFont &font, const std::vector<quint32> &indexes,
                              const std::vector<QPointF> &positions, const QRect &seen)
{
    // Into a scratch image of what is seen, then copied: a clip on the
    // painter would cost a line table of the whole image for each such text.
    QPainter &scratch = Scratch(seen.size());
    scratch.setCompositionMode(QPainter::CompositionMode_Source);
    scratch.fillRect(QRect(QPoint(0, 0), seen.size()), Qt::transparent);
    scratch.setCompositionMode(QPainter::CompositionMode_SourceOver);
    scratch.drawGlyphRun(-QPointF(seen.topLeft()), GlyphRun(font.raw, indexes, positions));
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
    WritePendingFills();
    if (!m_GlyphsPending)
        return;
    Q_ASSERT(m_Painter.isActive());
    m_GlyphsPending = false;
    for (const CutText &cut : m_PendingCut)
        DrawCut(*cut.font, cut.indexes, cut.positions, cut.seen);
    m_PendingCut.clear();
    m_Painter.setPen(Qt::black);
    for (PendingGlyphs &pending : m_Pending) {
        if (pending.indexes.empty())
            continue;
        m_Painter.drawGlyphRun(QPointF(0, 0), GlyphRun(pending.font->raw, pending.indexes, pending.positions));
        pending.indexes.clear();
        pending.positions.clear();
    }
    for (std::uint32_t square : m_UsedInkSquares)
        m_InkSquares[square].clear();
    m_UsedInkSquares.clear();
    m_PendingInk.clear();
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
