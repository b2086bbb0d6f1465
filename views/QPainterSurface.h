#pragma once

#include "DrawingSurface.h"

#include <QColor>
#include <QFont>
#include <utility>
#include <vector>

class QPainter;

// The drawing surface over a QPainter (a widget or an image).
class QPainterSurface : public DrawingSurface
{
public:
    explicit QPainterSurface(QPainter &painter);

    int LogicalDpiY() const override;
    void FillRect(const Rect &rect, Colour colour) override;
    void RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen) override;
    void SelectFont(const FontSpec &font) override;
    void SetTextBackground(Colour colour) override;
    void DrawText(const QString &text, const Rect &rect, unsigned flags) override;
    int TextWidth(const QString &text) override;

    // A Qt font whose ascent plus descent is the given cell height in pixels.
    static QFont FontForCellHeight(const FontSpec &spec);

private:
    QPainter &m_Painter;
    QColor m_TextBackground;
    // A paint selects the same two fonts again and again.
    std::vector<std::pair<FontSpec, QFont>> m_Fonts;
};
