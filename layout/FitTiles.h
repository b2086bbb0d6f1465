#pragma once

#include "layout/TileGrid.h"

#include <QStringView>

#include <cstdint>
#include <functional>

class LogFile;

// Searches the tile size and column count that let a layout of `demand`
// cells fill width x height: estimates a grid, runs the placement pass, then
// shrinks or grows the tiles in a fixed, bounded sequence of steps (at most
// five passes). The pass returns the index of the last tile row it used.
// Every step is written to the log under `prefix`. Returns (and stores in
// grid.m_Valid) whether a layout was found.
bool FitTiles(TileGrid &grid, std::int32_t width, std::int32_t height, std::int32_t demand,
              const std::function<int()> &placementPass, QStringView prefix, LogFile *log);

// Tiles a caption of this many characters needs: 3.3 characters per tile,
// halves rounded up.
std::int32_t CaptionTiles(qsizetype characters);
