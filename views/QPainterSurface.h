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
    void DrawText(const QString &text, const Rect &rect, unsigned flags) override;
    int TextWidth(QStringView text) override;

    // A Qt font whose ascent plus descent is the given cell height in pixels.
    static QFont FontForCellHeight(const FontSpec &spec);

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
