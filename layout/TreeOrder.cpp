#include "TreeOrder.h"

#include "CHome.h"
#include "CLift.h"
#include "CPunct.h"
#include "CStreet.h"
#include "NodeKind.h"

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

void SortTreeSiblings(std::vector<CNodeB *> &siblings)
{
    if (siblings.size() < 2)
        return;
    QCollator collator; // the user's locale
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale collates by code point and its sort keys keep the case:
    // fold it first, so that the order ignores case there too.
    const bool byCodePoint = collator.locale().language() == QLocale::C;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(siblings.size());
    for (const CNodeB *node : siblings) {
        const QString text = TreeItemText(*node);
        keys.push_back(collator.sortKey(byCodePoint ? text.toCaseFolded() : text));
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

std::vector<CNodeB *> ChildrenInTreeOrder(const CNodeTreeB &node)
{
    std::vector<CNodeB *> children;
    children.reserve(node.m_Children.size());
    for (const auto &child : node.m_Children)
        children.push_back(child.get());
    SortTreeSiblings(children);
    return children;
}
