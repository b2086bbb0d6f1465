#include "TreeOrder.h"

#include "CLiftB.h"
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
