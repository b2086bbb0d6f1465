#pragma once

#include "model/Geometry.h"

#include <cstdint>

// The result of a tile-size search, kept by whoever is laid out (a dispatch
// point, or its groups by controller); the placement pass reads the tile
// size and the column count from here while the search runs.
struct TileGrid
{
    bool m_Valid = false;
    Size m_SizeLiftTab;
    std::int32_t m_TotalCol = 0;
    std::int32_t m_TotalRow = 0;
};
