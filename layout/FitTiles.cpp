#include "layout/FitTiles.h"

#include "log/LogFile.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kMaxTile = 128;
constexpr std::int32_t kMinTile = 8;

std::int32_t CeilDiv(std::int32_t a, std::int32_t b)
{
    return a / b + (a % b > 0 ? 1 : 0);
}

std::int32_t EvenRows(std::int32_t cells, std::int32_t cols)
{
    std::int32_t rows = CeilDiv(cells, cols);
    return rows % 2 ? rows + 1 : rows;
}

// trunc(a / b) in real arithmetic; 0 when the divisor has become 0 (the
// search fails right after such a step).
std::int32_t TruncDiv(std::int32_t a, std::int32_t b)
{
    return b == 0 ? 0 : static_cast<std::int32_t>(std::trunc(static_cast<double>(a) / b));
}

std::int32_t Scale(std::int32_t value, double factor)
{
    return static_cast<std::int32_t>(std::trunc(value * factor));
}

class SearchTrace
{
public:
    SearchTrace(QStringView prefix, LogFile *log) : m_Prefix(prefix), m_pLog(log) {}

    // Lines 2, 4, 6, 8: the grid chosen by a step.
    void Grid(int step, const TileGrid &g) const
    {
        if (m_pLog)
            m_pLog->Write(QStringLiteral("%1 %2 m_SizeLiftTab(%3,%4) m_TotalCol=%5 m_TotalRow=%6")
                              .arg(m_Prefix)
                              .arg(step)
                              .arg(g.m_SizeLiftTab.cx)
                              .arg(g.m_SizeLiftTab.cy)
                              .arg(g.m_TotalCol)
                              .arg(g.m_TotalRow));
    }
    // Lines 3, 5, 7, 9: what the placement pass used.
    void Rows(int step, const TileGrid &g, std::int32_t used) const
    {
        if (m_pLog)
            m_pLog->Write(QStringLiteral("%1 %2 m_SizeLiftTab(%3,%4) m_TotalRow=%5 TotRow=%6")
                              .arg(m_Prefix)
                              .arg(step)
                              .arg(g.m_SizeLiftTab.cx)
                              .arg(g.m_SizeLiftTab.cy)
                              .arg(g.m_TotalRow)
                              .arg(used));
    }
    // Line 10 reads the same for every layout.
    void Grown(const TileGrid &g, std::int32_t used) const
    {
        if (m_pLog)
            m_pLog->Write(QStringLiteral("RePlaseTab10 m_SizeLiftTab(%1,%2) m_TotalRow=%3 TotRow=%4")
                              .arg(g.m_SizeLiftTab.cx)
                              .arg(g.m_SizeLiftTab.cy)
                              .arg(g.m_TotalRow)
                              .arg(used));
    }

private:
    QStringView m_Prefix;
    LogFile *m_pLog;
};

// Shrinks the tiles by rows/used so that `used` rows fit; steps 13 and 17.
void Shrink(TileGrid &g, std::int32_t width, std::int32_t height, std::int32_t used)
{
    const double s = static_cast<double>(g.m_TotalRow) / used;
    g.m_SizeLiftTab.cx = Scale(g.m_SizeLiftTab.cx, s);
    g.m_SizeLiftTab.cy = Scale(g.m_SizeLiftTab.cy, s);
    if (g.m_SizeLiftTab.cy * used > height)
        --g.m_SizeLiftTab.cy;
    g.m_TotalCol = TruncDiv(width, g.m_SizeLiftTab.cx);
    g.m_TotalRow = TruncDiv(height, g.m_SizeLiftTab.cy);
}

bool TooSmall(const TileGrid &g)
{
    return g.m_SizeLiftTab.cx < kMinTile || g.m_SizeLiftTab.cy < kMinTile;
}

// Rows are left over: only the height grows, up to the largest tile.
bool Grow(TileGrid &g, std::int32_t used, const std::function<int()> &pass, const SearchTrace &trace)
{
    if (g.m_SizeLiftTab.cy >= kMaxTile)
        return true;
    const std::int32_t extra = (g.m_TotalRow - used) * g.m_SizeLiftTab.cy / used;
    if (extra <= 0)
        return true;
    g.m_TotalRow = used;
    g.m_SizeLiftTab.cy = std::min(g.m_SizeLiftTab.cy + extra, kMaxTile);
    const int last = pass();
    trace.Grown(g, last + 1);
    return true;
}

bool Search(TileGrid &g, std::int32_t width, std::int32_t height, std::int32_t demand,
            const std::function<int()> &pass, const SearchTrace &trace)
{
    if (demand <= 0)
        return true;
    if (height <= 1 || width < 0)
        return false;

    const std::int32_t cells = 2 * demand;
    g.m_TotalCol = static_cast<std::int32_t>(std::trunc(std::sqrt(static_cast<double>(width) / height * cells)));
    if (g.m_TotalCol == 0)
        g.m_TotalCol = 1;
    g.m_TotalRow = EvenRows(cells, g.m_TotalCol);
    g.m_SizeLiftTab.cx = std::min(kMaxTile, width / g.m_TotalCol);
    g.m_SizeLiftTab.cy = std::min(kMaxTile, height / g.m_TotalRow);
    if (g.m_SizeLiftTab.cx == kMaxTile || g.m_SizeLiftTab.cy == kMaxTile) {
        g.m_TotalCol = TruncDiv(width, g.m_SizeLiftTab.cx);
        if (g.m_TotalCol > 0)
            g.m_TotalRow = EvenRows(cells, g.m_TotalCol);
    }
    trace.Grid(2, g);
    if (TooSmall(g))
        return false;

    std::int32_t used = pass() + 1;
    trace.Rows(3, g, used);
    if (used == g.m_TotalRow)
        return true;
    if (used < g.m_TotalRow)
        return Grow(g, used, pass, trace);

    Shrink(g, width, height, used);
    trace.Grid(4, g);
    if (TooSmall(g))
        return false;
    used = pass() + 1;
    trace.Rows(5, g, used);
    if (used >= g.m_TotalRow)
        return true; // also when taller than the window: accepted

    // The shrink went too far: grow back half way. No minimum check here.
    const double grow = static_cast<double>(g.m_TotalRow) / used * 0.5 + 0.5;
    g.m_SizeLiftTab.cx = Scale(g.m_SizeLiftTab.cx, grow);
    g.m_SizeLiftTab.cy = Scale(g.m_SizeLiftTab.cy, grow);
    if (g.m_SizeLiftTab.cy * used > height)
        --g.m_SizeLiftTab.cy;
    g.m_TotalCol = TruncDiv(width, g.m_SizeLiftTab.cx);
    g.m_TotalRow = TruncDiv(height, g.m_SizeLiftTab.cy);
    trace.Grid(6, g);
    used = pass() + 1;
    trace.Rows(7, g, used);
    if (used == g.m_TotalRow)
        return true;
    if (used < g.m_TotalRow)
        return Grow(g, used, pass, trace);

    Shrink(g, width, height, used);
    trace.Grid(8, g);
    if (TooSmall(g))
        return false;
    used = pass() + 1;
    trace.Rows(9, g, used);
    if (used >= g.m_TotalRow)
        return true;
    return Grow(g, used, pass, trace);
}

} // namespace

bool FitTiles(TileGrid &grid, std::int32_t width, std::int32_t height, std::int32_t demand,
              const std::function<int()> &placementPass, QStringView prefix, LogFile *log)
{
    grid.m_Valid = false;
    grid.m_SizeLiftTab = {0, 0};
    grid.m_Valid = Search(grid, width, height, demand, placementPass, SearchTrace(prefix, log));
    return grid.m_Valid;
}

std::int32_t CaptionTiles(qsizetype characters)
{
    return static_cast<std::int32_t>(std::trunc(static_cast<double>(characters) / 3.3 + 0.50000001));
}
