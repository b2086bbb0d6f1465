#include "layout/FitTiles.h"
#include "tests/layout/LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One search: the client area, the demand, the rows the scripted placement
// pass reports on its successive runs, and everything the search leaves.
struct FitCase
{
    const char *name;
    std::int32_t width;
    std::int32_t height;
    std::int32_t demand;
    std::vector<int> rowsUsed; // per run of the pass: the number of rows, i.e. last row index + 1
    bool valid;
    Size tile;
    std::int32_t cols;
    std::int32_t rows;
    std::vector<const char *> lines; // after the time stamps
};

void PrintTo(const FitCase &c, std::ostream *os)
{
    *os << c.name;
}

// Grid values a search must leave alone when it stops before estimating.
constexpr std::int32_t kEarlierCols = 7;
constexpr std::int32_t kEarlierRows = 9;

const FitCase kFitCases[] = {
    {"ShrinkHalfGrowShrinkGrow", 1000, 500, 30, {8, 7, 8, 5, 5}, true, {70, 91}, 14, 5,
     {"RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=8",
      "RePlaseTab 4 m_SizeLiftTab(75,62) m_TotalCol=13 m_TotalRow=8",
      "RePlaseTab 5 m_SizeLiftTab(75,62) m_TotalRow=8 TotRow=7",
      "RePlaseTab 6 m_SizeLiftTab(80,66) m_TotalCol=12 m_TotalRow=7",
      "RePlaseTab 7 m_SizeLiftTab(80,66) m_TotalRow=7 TotRow=8",
      "RePlaseTab 8 m_SizeLiftTab(70,57) m_TotalCol=14 m_TotalRow=8",
      "RePlaseTab 9 m_SizeLiftTab(70,57) m_TotalRow=8 TotRow=5",
      "RePlaseTab10 m_SizeLiftTab(70,91) m_TotalRow=5 TotRow=5"}},
    // The half grow lands exactly on the rows the pass needs.
    {"HalfGrowFits", 1000, 500, 30, {8, 5, 6}, true, {97, 80}, 10, 6,
     {"RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=8",
      "RePlaseTab 4 m_SizeLiftTab(75,62) m_TotalCol=13 m_TotalRow=8",
      "RePlaseTab 5 m_SizeLiftTab(75,62) m_TotalRow=8 TotRow=5",
      "RePlaseTab 6 m_SizeLiftTab(97,80) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 7 m_SizeLiftTab(97,80) m_TotalRow=6 TotRow=6"}},
    // After the half grow rows are still left over: the tiles grow taller.
    {"HalfGrowThenGrow", 1000, 500, 30, {8, 5, 5, 5}, true, {97, 96}, 10, 5,
     {"RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=8",
      "RePlaseTab 4 m_SizeLiftTab(75,62) m_TotalCol=13 m_TotalRow=8",
      "RePlaseTab 5 m_SizeLiftTab(75,62) m_TotalRow=8 TotRow=5",
      "RePlaseTab 6 m_SizeLiftTab(97,80) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 7 m_SizeLiftTab(97,80) m_TotalRow=6 TotRow=5",
      "RePlaseTab10 m_SizeLiftTab(97,96) m_TotalRow=5 TotRow=5"}},
    // Both sides capped at 128, then as many columns as the width holds.
    {"CappedTilesFitAtOnce", 800, 600, 10, {4}, true, {128, 128}, 6, 4,
     {"RePlaseTab 2 m_SizeLiftTab(128,128) m_TotalCol=6 m_TotalRow=4",
      "RePlaseTab 3 m_SizeLiftTab(128,128) m_TotalRow=4 TotRow=4"}},
    // Rows left over, but the tiles are as tall as they may be.
    {"NoGrowAtLargestTile", 800, 600, 10, {2}, true, {128, 128}, 6, 4,
     {"RePlaseTab 2 m_SizeLiftTab(128,128) m_TotalCol=6 m_TotalRow=4",
      "RePlaseTab 3 m_SizeLiftTab(128,128) m_TotalRow=4 TotRow=2"}},
    // Grow stops at 128 and leaves the width alone.
    {"GrowCapsHeight", 1000, 500, 30, {2, 2}, true, {100, 128}, 10, 2,
     {"RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=2",
      "RePlaseTab10 m_SizeLiftTab(100,128) m_TotalRow=2 TotRow=2"}},
    // One row left over is worth less than a pixel per used row: no grow.
    {"GrowOfNothing", 50, 82, 13, {9}, true, {16, 8}, 3, 10,
     {"RePlaseTab 2 m_SizeLiftTab(16,8) m_TotalCol=3 m_TotalRow=10",
      "RePlaseTab 3 m_SizeLiftTab(16,8) m_TotalRow=10 TotRow=9"}},
    // Still too tall after the first shrink: accepted as it is.
    {"TallerThanWindowAccepted", 1000, 500, 30, {8, 9}, true, {75, 62}, 13, 8,
     {"RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6",
      "RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=8",
      "RePlaseTab 4 m_SizeLiftTab(75,62) m_TotalCol=13 m_TotalRow=8",
      "RePlaseTab 5 m_SizeLiftTab(75,62) m_TotalRow=8 TotRow=9"}},
    {"NoDemand", 800, 600, 0, {}, true, {0, 0}, kEarlierCols, kEarlierRows, {}},
    {"NegativeDemand", 800, 600, -3, {}, true, {0, 0}, kEarlierCols, kEarlierRows, {}},
    {"HeightOne", 800, 1, 10, {}, false, {0, 0}, kEarlierCols, kEarlierRows, {}},
    {"HeightZero", 800, 0, 10, {}, false, {0, 0}, kEarlierCols, kEarlierRows, {}},
    {"NegativeWidth", -1, 600, 10, {}, false, {0, 0}, kEarlierCols, kEarlierRows, {}},
    {"WidthZero", 0, 600, 10, {}, false, {0, 30}, 1, 20,
     {"RePlaseTab 2 m_SizeLiftTab(0,30) m_TotalCol=1 m_TotalRow=20"}},
    {"TooSmallAtFirst", 100, 100, 200, {}, false, {5, 5}, 20, 20,
     {"RePlaseTab 2 m_SizeLiftTab(5,5) m_TotalCol=20 m_TotalRow=20"}},
    {"TooSmallAfterShrink", 80, 80, 8, {12}, false, {6, 6}, 13, 13,
     {"RePlaseTab 2 m_SizeLiftTab(20,20) m_TotalCol=4 m_TotalRow=4",
      "RePlaseTab 3 m_SizeLiftTab(20,20) m_TotalRow=4 TotRow=12",
      "RePlaseTab 4 m_SizeLiftTab(6,6) m_TotalCol=13 m_TotalRow=13"}},
    {"TooSmallAfterSecondShrink", 80, 80, 8, {8, 6, 14}, false, {5, 5}, 16, 16,
     {"RePlaseTab 2 m_SizeLiftTab(20,20) m_TotalCol=4 m_TotalRow=4",
      "RePlaseTab 3 m_SizeLiftTab(20,20) m_TotalRow=4 TotRow=8",
      "RePlaseTab 4 m_SizeLiftTab(10,10) m_TotalCol=8 m_TotalRow=8",
      "RePlaseTab 5 m_SizeLiftTab(10,10) m_TotalRow=8 TotRow=6",
      "RePlaseTab 6 m_SizeLiftTab(11,11) m_TotalCol=7 m_TotalRow=7",
      "RePlaseTab 7 m_SizeLiftTab(11,11) m_TotalRow=7 TotRow=14",
      "RePlaseTab 8 m_SizeLiftTab(5,5) m_TotalCol=16 m_TotalRow=16"}},
};

class FitTilesSearch : public ::testing::TestWithParam<FitCase>
{
protected:
    TempDir dir;
    LogFile log{dir.Path(), QString(), nullptr};
};

TEST_P(FitTilesSearch, StepsLinesAndResult)
{
    const FitCase &c = GetParam();
    TileGrid grid;
    grid.m_Valid = !c.valid; // the search must write it either way
    grid.m_SizeLiftTab = {3, 3};
    grid.m_TotalCol = kEarlierCols;
    grid.m_TotalRow = kEarlierRows;
    std::size_t runs = 0;
    const bool ok = FitTiles(grid, c.width, c.height, c.demand,
                             [&] {
                                 if (runs >= c.rowsUsed.size())
                                     ADD_FAILURE() << "placement pass run " << runs + 1 << " times";
                                 const int used = runs < c.rowsUsed.size() ? c.rowsUsed[runs] : 1;
                                 ++runs;
                                 return used - 1;
                             },
                             u"RePlaseTab", &log);

    EXPECT_EQ(ok, c.valid);
    EXPECT_EQ(grid.m_Valid, c.valid);
    EXPECT_EQ(runs, c.rowsUsed.size());
    EXPECT_EQ(grid.m_SizeLiftTab, c.tile);
    EXPECT_EQ(grid.m_TotalCol, c.cols);
    EXPECT_EQ(grid.m_TotalRow, c.rows);
    QStringList expected;
    for (const char *line : c.lines)
        expected.append(QString::fromUtf8(line));
    EXPECT_EQ(LogTextsOf(log.FilePath()), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitTilesSearch, ::testing::ValuesIn(kFitCases),
                         CaseName<FitCase>);

// The pass reads the tile size and the columns from the grid: each run must
// see the values of the step before it.
TEST(FitTiles, PassSeesTheGridOfItsStep)
{
    TileGrid grid;
    const std::vector<int> rowsUsed = {8, 7, 8, 5, 5};
    std::vector<std::vector<std::int32_t>> seen;
    FitTiles(grid, 1000, 500, 30,
             [&] {
                 seen.push_back({grid.m_SizeLiftTab.cx, grid.m_SizeLiftTab.cy, grid.m_TotalCol});
                 return rowsUsed.at(seen.size() - 1) - 1;
             },
             u"RePlaseTab", nullptr);
    const std::vector<std::vector<std::int32_t>> expected = {
        {100, 83, 10}, {75, 62, 13}, {80, 66, 12}, {70, 57, 14}, {70, 91, 14}};
    EXPECT_EQ(seen, expected);
}

// The controller layout logs under its own prefix, except the grow line.
TEST(FitTiles, ControllerPrefix)
{
    TempDir dir;
    LogFile log(dir.Path(), QString(), nullptr);
    TileGrid grid;
    const std::vector<int> rowsUsed = {8, 7, 8, 5, 5};
    std::size_t run = 0;
    EXPECT_TRUE(FitTiles(grid, 1000, 500, 30, [&] { return rowsUsed.at(run++) - 1; }, u"AllProvider::RePlaseTab",
                         &log));
    const QStringList expected = {
        QStringLiteral("AllProvider::RePlaseTab 2 m_SizeLiftTab(100,83) m_TotalCol=10 m_TotalRow=6"),
        QStringLiteral("AllProvider::RePlaseTab 3 m_SizeLiftTab(100,83) m_TotalRow=6 TotRow=8"),
        QStringLiteral("AllProvider::RePlaseTab 4 m_SizeLiftTab(75,62) m_TotalCol=13 m_TotalRow=8"),
        QStringLiteral("AllProvider::RePlaseTab 5 m_SizeLiftTab(75,62) m_TotalRow=8 TotRow=7"),
        QStringLiteral("AllProvider::RePlaseTab 6 m_SizeLiftTab(80,66) m_TotalCol=12 m_TotalRow=7"),
        QStringLiteral("AllProvider::RePlaseTab 7 m_SizeLiftTab(80,66) m_TotalRow=7 TotRow=8"),
        QStringLiteral("AllProvider::RePlaseTab 8 m_SizeLiftTab(70,57) m_TotalCol=14 m_TotalRow=8"),
        QStringLiteral("AllProvider::RePlaseTab 9 m_SizeLiftTab(70,57) m_TotalRow=8 TotRow=5"),
        QStringLiteral("RePlaseTab10 m_SizeLiftTab(70,91) m_TotalRow=5 TotRow=5"),
    };
    EXPECT_EQ(LogTextsOf(log.FilePath()), expected);
}

struct CaptionCase
{
    qsizetype characters;
    std::int32_t tiles;
};

void PrintTo(const CaptionCase &c, std::ostream *os)
{
    *os << c.characters << " characters";
}

class CaptionWidth : public ::testing::TestWithParam<CaptionCase>
{
};

// 3.3 characters to a tile, rounded to the nearest tile.
TEST_P(CaptionWidth, TilesForCharacters)
{
    EXPECT_EQ(CaptionTiles(GetParam().characters), GetParam().tiles);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CaptionWidth,
                         ::testing::Values(CaptionCase{0, 0}, CaptionCase{1, 0}, CaptionCase{2, 1},
                                           CaptionCase{4, 1}, CaptionCase{5, 2}, CaptionCase{6, 2},
                                           CaptionCase{8, 2}, CaptionCase{9, 3}, CaptionCase{21, 6},
                                           CaptionCase{22, 7}));

} // namespace
