#pragma once

#include "model/Geometry.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// A font as the table asks for it: the cell height in pixels (ascent plus
// descent), the weight on the 100..900 scale, and the face.
struct FontSpec
{
    std::int32_t cellHeight = 0;
    int weight = 400;
    QString face;
    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

// Single-line text placement, with the values of the original text flags.
namespace TextFlags {
constexpr unsigned Left = 0x00;
constexpr unsigned Right = 0x02;
constexpr unsigned VCenter = 0x04;
constexpr unsigned Bottom = 0x08;
constexpr unsigned SingleLine = 0x20;
// A line wider than what is seen of its rectangle ends in an ellipsis.
constexpr unsigned EndEllipsis = 0x8000;
// Drawn over what is there, without filling its cell with the text background.
constexpr unsigned Transparent = 0x40000000;
} // namespace TextFlags

// What the table painting needs from a drawing surface: the window, an image
// for --render, or a recording surface in tests.
class DrawingSurface
{
public:
    virtual ~DrawingSurface() = default;

    // Vertical logical resolution in dots per inch.
    virtual int LogicalDpiY() const = 0;
    virtual void FillRect(const Rect &rect, Colour colour) = 0;
    // A rounded rectangle outlined with a pen of the given width and colour,
    // filled with `fill`; the corner ellipse is ellipseW x ellipseH.
    virtual void RoundRect(const Rect &rect, int ellipseW, int ellipseH, Colour fill, int penWidth,
                           Colour pen) = 0;
    virtual void SelectFont(const FontSpec &font) = 0;
    // The colour behind drawn text, unless it is drawn Transparent.
    virtual void SetTextBackground(Colour colour) = 0;
    // One line of black text placed in `rect` by `flags` and clipped to it.
    void DrawText(const QString &text, const Rect &rect, unsigned flags) { DrawText(text, rect, flags, rect); }
    // The same, seen only where `rect` and `clip` meet.
    virtual void DrawText(const QString &text, const Rect &rect, unsigned flags, const Rect &clip) = 0;
    // The width of the text in the selected font.
    virtual int TextWidth(QStringView text) = 0;
};
