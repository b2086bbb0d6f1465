#pragma once

#include "views/DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <memory>
#include <vector>

// The drawing surface over a QPainter (a widget or an image).
//
// Text is measured and drawn glyph by glyph at whole-pixel advances, without
// kerning, the way the table's text was always measured: the label fitting
// measures many short texts on every new layout, and this is several times
// cheaper than laying each one out.
//
// Into a plain image, fills are kept and written at the end, band by band:
// each row of pixels is composed once in a line of its own and copied, so a
// table's pixels are written about once however many fills cover them. The
// glyphs of texts are drawn over them then, unless a later fill covers one.
// Fills and glyphs reach the painter at Flush() or when the surface ends:
// end the surface before the painter.
// The painter's clip, transform, composition mode and opacity are read when
// the surface is made and must not change while it lives.
class QPainterSurface : public DrawingSurface
{
public:
    explicit QPainterSurface(QPainter &painter);
    ~QPainterSurface() override;

    int LogicalDpiY() const override;
    void FillRect(const Rect &rect, Colour colour) override;
    void RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen) override;
    void SelectFont(const FontSpec &font) override;
    void SetTextBackground(Colour colour) override;
    using DrawingSurface::DrawText;
    void DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip) override;
    int TextWidth(QStringView text) override;

    // What a line drawn with an end ellipsis shows in `width` pixels, in the
    // selected font.
    QString ShownText(const QString &text, int width);
    // Draws the glyphs of the texts drawn so far.
    void Flush();

    // A Qt font whose ascent plus descent is the given cell height in pixels.
    static QFont FontForCellHeight(const FontSpec &spec);
    // A rounded frame stroked by Qt's path rasteriser, whatever its sizes;
    // RoundRect gives the same pixels for the table's own frame faster.
    static void StrokeRoundRect(QPainter &painter, const Rect &rect, int ellipseW, int ellipseH, Colour fill,
                                int penWidth, Colour pen);

private:
    struct SelectedFont;
    static std::vector<std::shared_ptr<SelectedFont>> &KeptFonts();
    static std::shared_ptr<SelectedFont> KeptFont(const FontSpec &spec);
    SelectedFont &Current();
    void Fill(const QRect &rect, QRgb colour);
    // The table's own frame (a 2-pixel pen, a 6 x 6 corner); false for any other.
    bool FillTableFrame(const QRect &rect, int ellipseW, int ellipseH, int penWidth, QRgb fill, QRgb pen);
    struct PendingGlyphs
    {
        const SelectedFont *font;
        std::vector<quint32> indexes;
        std::vector<QPointF> positions;
    };
    PendingGlyphs &PendingFor(const SelectedFont &font);
    // Draws the kept fills, then the glyphs of the texts drawn since.
    void DrawPendingGlyphs();
    // Writes the kept fills into the image.
    void WritePendingFills();
    // Whether a pending glyph's ink lies in `pixels` (image pixels).
    bool CoversPendingInk(const QRect &pixels) const;
    void AddPendingInk(const QRect &ink);
    // Draws glyphs cut to `seen`.
    void DrawCut(const SelectedFont &font, const std::vector<quint32> &indexes, const std::vector<QPointF> &positions,
                 const QRect &seen);
    // A painter on an image at least this large, for text that must be cut.
    QPainter &Scratch(const QSize &size);

    QPainter &m_Painter;
    // The painter's image when fills may be written into it directly, where
    // the surface's origin lies in it and what of it may be written.
    QImage *m_Pixels = nullptr;
    uchar *m_Bits = nullptr;
    QPoint m_PixelOffset;
    QRect m_PixelClip;
    // Fills not written yet, in image pixels, in the order they were made.
    struct PendingFill
    {
        QRect pixels;
        QRgb colour;
    };
    std::vector<PendingFill> m_PendingFills;
    // Where a band's row is composed before it is written.
    std::vector<QRgb> m_Line;
    // Texts cut to what is seen of them, not drawn yet.
    struct CutText
    {
        const SelectedFont *font;
        std::vector<quint32> indexes;
        std::vector<QPointF> positions;
        QRect seen;
    };
    std::vector<CutText> m_PendingCut;
    // The ink of pending glyphs in image pixels, and which of them touch
    // each square of the image (made with the first), so that a fill finds
    // those under it fast.
    static constexpr int kInkSquare = 64;
    std::vector<QRect> m_PendingInk;
    std::vector<std::vector<std::uint32_t>> m_InkSquares;
    std::vector<std::uint32_t> m_UsedInkSquares;
    int m_InkSquaresPerRow = 0;
    // Logical pixels are not image pixels (a high-resolution screen).
    bool m_Scaled = false;
    QColor m_TextBackground;
    // A paint selects the same two fonts again and again.
    std::vector<std::shared_ptr<SelectedFont>> m_Fonts;
    std::size_t m_Current = 0;
    // Glyphs not drawn yet, by font; their fonts are in m_Fonts.
    std::vector<PendingGlyphs> m_Pending;
    bool m_GlyphsPending = false;
    // Reused by every text drawn through the scratch image.
    std::vector<quint32> m_GlyphIndexes;
    std::vector<QPointF> m_GlyphPositions;
    // Ends before its image.
    QImage m_ScratchImage;
    std::unique_ptr<QPainter> m_ScratchPainter;
};
