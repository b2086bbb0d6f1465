#pragma once

#include "layout/TreeOrder.h"
#include "model/CStreetB.h"
#include "model/Geometry.h"

// A street with its label, its place in the tree, its caption and frame in
// the last layout by streets, and its frame colour.
class CStreet : public CStreetB
{
public:
    using CStreetB::CStreetB;
    std::unique_ptr<CHomeB> CreateHome() override;

    // Width in tiles: a cell and a tile per lift for each house with lifts,
    // or the label's width when that is larger. 0: the street is not placed.
    // `gap` tells that one empty column follows the street in its band.
    std::int32_t GetTileWidth(bool &gap) const;
    // Makes the houses and lifts follow the tree's display order.
    void ApplyTreeOrder(const TreeOrderSource &tree);

    TreeItemHandle m_TreeItem;
    // The name without its "ул." or "пер." prefix.
    QString m_Label;
    std::int32_t m_Order = 0;
    Rect m_RectName;
    Rect m_RectFrame;
    Colour m_Color = kWhite;
};

// The street a street, house or lift node belongs to; null for other nodes.
CStreet *StreetOf(CNodeB *node);
