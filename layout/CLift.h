#pragma once

#include "layout/TreeOrder.h"
#include "model/CLiftB.h"
#include "model/Geometry.h"

// A lift with its place in the tree and its tile in the last layout.
class CLift : public CLiftB
{
public:
    using CLiftB::CLiftB;

    TreeItemHandle m_TreeItem;
    std::int32_t m_Order = 0;
    Rect m_Rect;
};
