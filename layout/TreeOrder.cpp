#include "layout/TreeOrder.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CStreet.h"
#include "model/NodeKind.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <numeric>

QString TreeItemText(const CNodeB &node)
{
    if (node.GetKind() == NodeKind::Lift)
        return node.m_Name + QStringLiteral(" - ") + static_cast<const CLiftB &>(node).ID;
    return node.m_Name;
}

void SetTreeItem(CNodeB &node, TreeItemHandle item)
{
    switch (node.GetKind()) {
    case NodeKind::Punct:
        static_cast<CPunct &>(node).m_TreeItem = item;
        break;
    case NodeKind::Street:
        static_cast<CStreet &>(node).m_TreeItem = item;
        break;
    case NodeKind::Home:
        static_cast<CHome &>(node).m_TreeItem = item;
        break;
    case NodeKind::Lift:
        static_cast<CLift &>(node).m_TreeItem = item;
        break;
    default:
        break;
    }
}

TreeSiblingOrder::TreeSiblingOrder()
{
    m_Collator.setCaseSensitivity(Qt::CaseInsensitive); // the user's locale
    // The C locale collates by code point and its sort keys keep the case:
    // fold it first, so that the order ignores case there too.
    m_FoldFirst = m_Collator.locale().language() == QLocale::C;
}

void TreeSiblingOrder::Sort(std::vector<CNodeB *> &siblings) const
{
    if (siblings.size() < 2)
        return;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(siblings.size());
    for (const CNodeB *node : siblings) {
        const QString text = TreeItemText(*node);
        keys.push_back(m_Collator.sortKey(m_FoldFirst ? text.toCaseFolded() : text));
    }
    std::vector<std::size_t> order(siblings.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<CNodeB *> sorted;
    sorted.reserve(siblings.size());
    for (std::size_t i : order)
        sorted.push_back(siblings[i]);
    siblings.swap(sorted);
}

std::vector<CNodeB *> TreeSiblingOrder::ChildrenOf(const CNodeTreeB &node) const
{
    std::vector<CNodeB *> children;
    children.reserve(node.m_Children.size());
    for (const auto &child : node.m_Children)
        children.push_back(child.get());
    Sort(children);
    return children;
}

TreeItemHandle TreeItemOf(const CNodeB &node)
{
    switch (node.GetKind()) {
    case NodeKind::Punct:
        return static_cast<const CPunct &>(node).m_TreeItem;
    case NodeKind::Street:
        return static_cast<const CStreet &>(node).m_TreeItem;
    case NodeKind::Home:
        return static_cast<const CHome &>(node).m_TreeItem;
    case NodeKind::Lift:
        return static_cast<const CLift &>(node).m_TreeItem;
    default:
        return {};
    }
}
