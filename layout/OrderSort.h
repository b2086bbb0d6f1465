#pragma once

#include "layout/TreeOrder.h"
#include "model/CNodeB.h"

#include <algorithm>
#include <cstdint>

// Sorts a child list by the children's m_Order (not stable: equal values may
// end in any order).
template <class T>
void SortChildrenByOrder(CNodeTreeB &parent)
{
    std::sort(parent.m_Children.begin(), parent.m_Children.end(), [](const auto &a, const auto &b) {
        return static_cast<const T *>(a.get())->m_Order < static_cast<const T *>(b.get())->m_Order;
    });
}

// One level of following the tree's display order: the items under
// `parentItem` that stand for nodes of `kind` number those nodes (m_Order) in
// display order, each is passed to `visit` with its item for the level below,
// and then `parent`'s children are sorted by that number. Items of other
// kinds or of no node are skipped without taking a number; a child with no
// item keeps the number it had; a node with two items is numbered and
// visited at each and keeps the later number. Without any item under
// `parentItem` nothing is numbered or sorted.
template <class Child, class Visit>
void FollowTreeOrder(const TreeOrderSource &tree, TreeItemHandle parentItem, CNodeTreeB &parent, NodeKind kind,
                     Visit &&visit)
{
    TreeItemHandle item = tree.FirstChildItem(parentItem);
    if (!item)
        return;
    std::int32_t n = 0;
    for (; item; item = tree.NextSiblingItem(item)) {
        CNodeB *node = tree.NodeOfItem(item);
        if (!node || node->GetKind() != kind)
            continue;
        auto *child = static_cast<Child *>(node);
        child->m_Order = n++;
        visit(*child, item);
    }
    SortChildrenByOrder<Child>(parent);
}
