#include "views/TablePainter.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "views/HomeLabelFitting.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Whatever does not fit its rectangle ends in an ellipsis: a hard cut can
// leave a house number that reads as another («Корпус 12» as «пус 1»).
// Every text lies inside its frame, which is already filled with the text
// background colour, so it is drawn over it rather than on a cell of its
// own: the pixels are the same, except that in a low cell the second line no
// longer erases the first one's descenders («стр» read «стп»).
constexpr unsigned kText = TextFlags::SingleLine | TextFlags::EndEllipsis | TextFlags::Transparent;
constexpr unsigned kCaption = kText | TextFlags::VCenter | TextFlags::Left;
constexpr unsigned kOneLine = kText | TextFlags::VCenter | TextFlags::Right;
constexpr unsigned kFirstLine = kText | TextFlags::Right;
constexpr unsigned kSecondLine = kText | TextFlags::Bottom | TextFlags::Right;
constexpr unsigned kSecondLineOver = kText | TextFlags::Bottom | TextFlags::Left;

// Labels of up to this many characters that fit on one line use the large font.
constexpr qsizetype kShortLabel = 3;

Rect Inset(const Rect &r, int by)
{
    return {r.left + by, r.top + by, r.right - by, r.bottom - by};
}

Rect Intersection(const Rect &a, const Rect &b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// A caption's rectangle can reach past its frame and the window: it is seen
// only inside its frame's border and the client area, never over another
// street.
void PaintCaption(DrawingSurface &surface, const QString &caption, const Rect &name, const Rect &frame,
                  const Rect &client)
{
    surface.DrawText(caption, name, kCaption, Intersection(Inset(frame, TablePainter::kFramePenWidth), client));
}

void PaintTile(DrawingSurface &surface, const CLift &lift)
{
    surface.FillRect(Inset(lift.m_Rect, 1), TablePainter::kTileGrey);
}

void PaintFrame(DrawingSurface &surface, const Rect &frame, Colour fill)
{
    surface.RoundRect(frame, TablePainter::kFrameCorner, TablePainter::kFrameCorner, fill,
                      TablePainter::kFramePenWidth, TablePainter::kFramePen);
    surface.SetTextBackground(fill);
}

void PaintByController(CPunct &point, DrawingSurface &surface, const FontSpec &large, const Rect &client)
{
    surface.SelectFont(large);
    for (const auto &[key, provider] : point.m_AllProvider.m_Providers) {
        PaintFrame(surface, provider->m_RectFrame, provider->m_Color);
        PaintCaption(surface, provider->GetName(), provider->m_RectName, provider->m_RectFrame, client);
        for (const CLift *lift : provider->m_Lifts)
            PaintTile(surface, *lift);
    }
}

// A short single line takes the large font only when it fits the cell in it:
// drawn wider than the cell, it would lose its first characters.
bool FitsInTheLargeFont(const CHome &home, DrawingSurface &surface, const FontSpec &large, const FontSpec &small)
{
    if (!home.m_Line2.isEmpty() || home.m_Line1.size() > kShortLabel)
        return false;
    surface.SelectFont(large);
    const bool fits = surface.TextWidth(home.m_Line1) <= home.m_Rect.right - home.m_Rect.left;
    surface.SelectFont(small);
    return fits;
}

// `seen` is what the window shows. The first cell of a row starts on its
// frame's border; its glyphs, drawn over the border, leave it whole.
void PaintHomeLabel(CHome &home, DrawingSurface &surface, const FontSpec &large, const FontSpec &small,
                    const Rect &seen)
{
    if (!home.m_Line2.isEmpty()) {
        surface.DrawText(home.m_Line1, home.m_Rect, kFirstLine, seen);
        surface.DrawText(home.m_Line2, home.m_Rect, home.m_Line2Over ? kSecondLineOver : kSecondLine, seen);
    } else if (!home.m_Line1Large) {
        surface.DrawText(home.m_Line1, home.m_Rect, kOneLine, seen);
    } else {
        surface.SelectFont(large);
        surface.DrawText(home.m_Line1, home.m_Rect, kOneLine, seen);
        surface.SelectFont(small);
    }
}

void PaintByStreets(CPunct &point, DrawingSurface &surface, const FontSpec &large, const FontSpec &small,
                    const Rect &client)
{
    for (CStreet *street : ChildrenAs<CStreet>(point)) {
        bool gap = false;
        if (street->GetTileWidth(gap) == 0)
            continue;
        PaintFrame(surface, street->m_RectFrame, street->m_Color);
        surface.SelectFont(large);
        PaintCaption(surface, street->m_Label, street->m_RectName, street->m_RectFrame, client);
        surface.SelectFont(small);
        for (CHome *home : ChildrenAs<CHome>(*street)) {
            if (home->m_Children.empty())
                continue;
            // Measuring text is the costly part: only after a new placement.
            if (point.m_FitLabels) {
                FitHomeLabel(*home, surface);
                home->m_Line1Large = FitsInTheLargeFont(*home, surface, large, small);
            }
            PaintHomeLabel(*home, surface, large, small, client);
            for (const CLift *lift : ChildrenAs<CLift>(*home))
                PaintTile(surface, *lift);
        }
    }
}

} // namespace

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

FontSpec TablePainter::LargeFont(std::int32_t tileHeight, int dpi)
{
    return {MulDiv(tileHeight * 400 / 26, dpi, 2540), kLargeWeight, QStringLiteral("Arial")};
}

FontSpec TablePainter::SmallFont(std::int32_t tileHeight, int dpi)
{
    return {MulDiv(tileHeight * 400 / 34, dpi, 2540), kSmallWeight, QStringLiteral("Arial")};
}

bool TablePainter::Paint(CRoot &root, DrawingSurface &surface, std::int32_t clientWidth, std::int32_t clientHeight)
{
    if (!root.m_CurPunct)
        return false;
    return PaintPoint(*root.m_CurPunct, surface, clientWidth, clientHeight);
}

bool TablePainter::PaintPoint(CPunct &point, DrawingSurface &surface, std::int32_t clientWidth,
                              std::int32_t clientHeight)
{
    if (!point.m_Valid)
        return false;
    const int dpi = surface.LogicalDpiY();
    const FontSpec large = LargeFont(point.m_SizeLiftTab.cy, dpi);
    const FontSpec small = SmallFont(point.m_SizeLiftTab.cy, dpi);
    const Rect client{0, 0, clientWidth, clientHeight};
    surface.FillRect(client, point.FonGrp);
    if (point.m_ByProvider)
        PaintByController(point, surface, large, client);
    else
        PaintByStreets(point, surface, large, small, client);
    point.m_FitLabels = false;
    return true;
}
