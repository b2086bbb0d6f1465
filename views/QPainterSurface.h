#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <memory>
#include <vector>

class QPainter;

// The drawing surface over a QPainter (a widget or an image).
//
// Text is measured and drawn glyph by glyph at whole-pixel advances, without
// kerning, the way the table's text was always measured: the label fitting
// measures many short texts on every new layout, and this is several times
// cheaper than laying each one out.
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

    // A Qt font whose ascent plus descent is the given cell height in pixels.
    static QFont FontForCellHeight(const FontSpec &spec);
    // A rounded frame stroked by Qt's path rasteriser, whatever its sizes;
    // RoundRect gives the same pixels for the table's own frame faster.
    static void StrokeRoundRect(QPainter &painter, const Rect &rect, int ellipseW, int ellipseH, Colour fill,
                                int penWidth, Colour pen);

private:
    struct SelectedFont;
    SelectedFont &Current();

    QPainter &m_Painter;
    QColor m_TextBackground;
    // A paint selects the same two fonts again and again.
    std::vector<std::unique_ptr<SelectedFont>> m_Fonts;
    std::size_t m_Current = 0;
    // Reused by every text drawn.
    std::vector<quint32> m_GlyphIndexes;
    std::vector<QPointF> m_GlyphPositions;
};
