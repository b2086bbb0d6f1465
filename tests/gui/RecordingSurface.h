#pragma once

#include "model/Geometry.h"
#include "views/DrawingSurface.h"

#include <QHash>
#include <QString>

#include <ostream>
#include <utility>
#include <vector>

// One drawing call as the table painting made it.
struct SurfaceCall
{
    enum class Kind { FillRect, RoundRect, SelectFont, SetTextBackground, DrawText };

    Kind kind = Kind::FillRect;
    Rect rect;                 // FillRect, RoundRect, DrawText
    Rect clip;                 // DrawText: where it is seen within `rect`
    Colour colour = 0;         // FillRect's and RoundRect's fill, the text background
    int ellipseW = 0;          // RoundRect
    int ellipseH = 0;
    int penWidth = 0;
    Colour pen = 0;
    FontSpec font;             // SelectFont
    QString text;              // DrawText
    unsigned flags = 0;

    static SurfaceCall Fill(const Rect &rect, Colour colour);
    static SurfaceCall Round(const Rect &rect, Colour fill, int ellipse = 6, int penWidth = 2, Colour pen = 0);
    static SurfaceCall Font(const FontSpec &font);
    static SurfaceCall TextBackground(Colour colour);
    static SurfaceCall Text(const QString &text, const Rect &rect, unsigned flags);
    static SurfaceCall Text(const QString &text, const Rect &rect, unsigned flags, const Rect &clip);

    friend bool operator==(const SurfaceCall &, const SurfaceCall &) = default;
};

void PrintTo(const SurfaceCall &call, std::ostream *os);

// A drawing surface that draws nothing: it keeps every call in order and
// answers text widths from a table, so that a test can tell exactly what the
// table painting did and make any text as wide as it needs.
class RecordingSurface : public DrawingSurface
{
public:
    int LogicalDpiY() const override { return m_Dpi; }
    void FillRect(const Rect &rect, Colour colour) override;
    void RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth, Colour pen) override;
    void SelectFont(const FontSpec &font) override;
    void SetTextBackground(Colour colour) override;
    using DrawingSurface::DrawText;
    void DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip) override;
    int TextWidth(QStringView text) override;

    void SetLogicalDpiY(int dpi) { m_Dpi = dpi; }
    // Widths: an exact text's width wins; otherwise the sum of its
    // characters' widths, each from the table or the default.
    void SetDefaultCharWidth(int width) { m_DefaultCharWidth = width; }
    void SetCharWidth(QChar c, int width) { m_CharWidths.insert(c, width); }
    // The width of every character measured while a font of this cell height is selected.
    void SetCharWidthInFont(std::int32_t cellHeight, int width) { m_FontCharWidths.insert(cellHeight, width); }
    void SetTextWidth(const QString &text, int width) { m_TextWidths.insert(text, width); }

    const std::vector<SurfaceCall> &Calls() const { return m_Calls; }
    // The calls of one kind, in order.
    std::vector<SurfaceCall> CallsOf(SurfaceCall::Kind kind) const;
    // Every text measured, with the font selected when it was measured.
    const std::vector<std::pair<QString, FontSpec>> &Measured() const { return m_Measured; }
    void Clear();

private:
    int m_Dpi = 96;
    int m_DefaultCharWidth = 10;
    QHash<QChar, int> m_CharWidths;
    QHash<QString, int> m_TextWidths;
    QHash<std::int32_t, int> m_FontCharWidths;
    FontSpec m_Font;
    std::vector<SurfaceCall> m_Calls;
    std::vector<std::pair<QString, FontSpec>> m_Measured;
};
