#include "layout/CStreet.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/FitTiles.h"
#include "model/NodeKind.h"
#include "layout/OrderSort.h"

#include <algorithm>

std::unique_ptr<CHomeB> CStreet::CreateHome()
{
    return std::make_unique<CHome>(this);
}

std::int32_t CStreet::GetTileWidth(bool &gap) const
{
    gap = false;
    std::int64_t sum = 0;
    for (const auto &home : m_Children) {
        if (!home->m_Children.empty())
            sum += static_cast<std::int64_t>(home->m_Children.size()) + 1;
    }
    if (sum <= 0)
        return 0;
    const std::int32_t labelTiles = CaptionTiles(m_Label.size());
    if (sum < labelTiles)
        return labelTiles;
    gap = true;
    return static_cast<std::int32_t>(sum);
}

void CStreet::ApplyTreeOrder(const TreeOrderSource &tree)
{
    TreeItemHandle item = tree.FirstChildItem(m_TreeItem);
    if (!item)
        return;
    std::int32_t n = 0;
    for (; item; item = tree.NextSiblingItem(item)) {
        CNodeB *node = tree.NodeOfItem(item);
        if (!node || node->GetKind() != NodeKind::Home)
            continue;
        auto *home = static_cast<CHome *>(node);
        home->m_Order = n++;
        TreeItemHandle liftItem = tree.FirstChildItem(item);
        if (!liftItem)
            continue;
        std::int32_t m = 0;
        for (; liftItem; liftItem = tree.NextSiblingItem(liftItem)) {
            CNodeB *liftNode = tree.NodeOfItem(liftItem);
            if (liftNode && liftNode->GetKind() == NodeKind::Lift)
                static_cast<CLift *>(liftNode)->m_Order = m++;
        }
        SortChildrenByOrder<CLift>(*home);
    }
    SortChildrenByOrder<CHome>(*this);
}

CStreet *StreetOf(CNodeB *node)
{
    for (int climbed = 0; node && climbed < 3; ++climbed, node = node->m_pParent) {
        switch (node->GetKind()) {
        case NodeKind::Street:
            return static_cast<CStreet *>(node);
        case NodeKind::Home:
        case NodeKind::Lift:
            continue;
        default:
            return nullptr;
        }
    }
    return nullptr;
}
