#pragma once

#include "layout/AllProvider.h"
#include "layout/TileGrid.h"
#include "layout/TreeOrder.h"
#include "model/CPunctB.h"
#include "model/Geometry.h"

class CNodeTreeB;
class CStreet;
class LogFile;

// A dispatch point with its layout: by streets in one or two columns, or by
// controller. The TileGrid part holds the tile size and grid of the last
// layout and whether it succeeded.
class CPunct : public CPunctB, public TileGrid
{
public:
    explicit CPunct(CNodeTreeB *parent);
    ~CPunct() override;
    std::unique_ptr<CStreetB> CreateStreet() override;

    // Lays the point out for a client area of width x height in its current
    // mode; returns m_Valid.
    bool RePlaseTab(std::int32_t width, std::int32_t height);
    // The placement pass by streets; returns the index of the last tile row used.
    int PlaceStreets();

    // Makes the streets (and their houses and lifts) follow the tree's order.
    void ApplyTreeOrder(const TreeOrderSource &tree);

    // The street caption, house cell or lift tile at (x, y) of the last
    // layout, with the rectangle that matched; null when none or invalid.
    CNodeTreeB *HitTest(std::int32_t x, std::int32_t y, Rect *rect = nullptr) const;
    // The street whose frame contains (x, y); null when none or invalid.
    CStreet *HitTestStreet(std::int32_t x, std::int32_t y) const;

    // The log of the root above this point (null when detached).
    LogFile *LayoutLog();

    bool m_TwoColPass = false;
    TreeItemHandle m_TreeItem;
    bool m_FitLabels = false; // the view refits the house labels at its next paint
    bool m_ByProvider = false;
    bool m_TwoCol = false;
    AllProvider m_AllProvider{*this};

private:
    bool PlaceInTwoColumns(std::int32_t width, std::int32_t height);
};
