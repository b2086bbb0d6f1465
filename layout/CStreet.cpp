#include "layout/CStreet.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/FitTiles.h"
#include "layout/OrderSort.h"
#include "model/NodeKind.h"

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
    FollowTreeOrder<CHome>(tree, m_TreeItem, *this, NodeKind::Home, [&](CHome &home, TreeItemHandle item) {
        FollowTreeOrder<CLift>(tree, item, home, NodeKind::Lift, [](CLift &, TreeItemHandle) {});
    });
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
