#pragma once

#include "model/CNodeB.h"

#include <algorithm>

// Sorts a child list by the children's m_Order (not stable: equal values may
// end in any order).
template <class T>
void SortChildrenByOrder(CNodeTreeB &parent)
{
    std::sort(parent.m_Children.begin(), parent.m_Children.end(), [](const auto &a, const auto &b) {
        return static_cast<const T *>(a.get())->m_Order < static_cast<const T *>(b.get())->m_Order;
    });
}
