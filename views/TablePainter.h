#pragma once

#include "model/Geometry.h"
#include "views/DrawingSurface.h"

class CPunct;
class CRoot;

// Paints the layout of the current dispatch point: the background, a rounded
// frame with its caption per street (or controller group), the house labels
// and a grey tile per lift. The same painting serves the window, --render and
// the tests; only the surface differs.
class TablePainter
{
public:
    // Colours and sizes of the table.
    static constexpr Colour kTileGrey = 0xC0C0C0;
    static constexpr Colour kFramePen = 0x000000;
    static constexpr int kFramePenWidth = 2;
    static constexpr int kFrameCorner = 6;
    static constexpr int kLargeWeight = 800;
    static constexpr int kSmallWeight = 700;

    // Paints the root's current point into a client area of the given size.
    // Without a current point, or when its last layout failed, paints nothing
    // (the window keeps its own background). Returns whether it painted.
    static bool Paint(CRoot &root, DrawingSurface &surface, std::int32_t clientWidth, std::int32_t clientHeight);
    static bool PaintPoint(CPunct &point, DrawingSurface &surface, std::int32_t clientWidth,
                           std::int32_t clientHeight);

    // The two fonts for a tile height: cell heights scaled from the tile
    // height at the surface's resolution.
    static FontSpec LargeFont(std::int32_t tileHeight, int dpi);
    static FontSpec SmallFont(std::int32_t tileHeight, int dpi);
};

// a * b / c rounded to the nearest integer (halves away from zero).
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
