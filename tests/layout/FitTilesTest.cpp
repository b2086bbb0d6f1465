#include "FitTiles.h"

#include <gtest/gtest.h>

#include <vector>

// The worked example: a pass that uses 8, 7, 8, 5 and 5 rows on its runs.
TEST(FitTiles, ShrinkHalfGrowShrinkGrowSequence)
{
    TileGrid grid;
    const std::vector<int> rowsUsed = {8, 7, 8, 5, 5};
    std::size_t run = 0;
    const bool ok = FitTiles(grid, 1000, 500, 30, [&] { return rowsUsed.at(run++) - 1; }, u"RePlaseTab", nullptr);
    EXPECT_TRUE(ok);
    EXPECT_EQ(run, 5u);
    EXPECT_EQ(grid.m_SizeLiftTab, (Size{70, 91}));
}
