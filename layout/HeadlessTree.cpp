#include "layout/HeadlessTree.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "model/NodeKind.h"

HeadlessTree::Item *HeadlessTree::NewItem(CNodeB *node)
{
    m_Items.push_back(std::make_unique<Item>());
    Item *item = m_Items.back().get();
    item->node = node;
    SetTreeItem(*node, TreeItemHandle(item));
    return item;
}

void HeadlessTree::InsertSortedChildren(Item *parent, const CNodeTreeB &node, int depthBelowPoint,
                                        const TreeSiblingOrder &order)
{
    Item **link = &parent->firstChild;
    for (CNodeB *child : order.ChildrenOf(node)) {
        Item *item = NewItem(child);
        *link = item;
        link = &item->nextSibling;
        if (depthBelowPoint < 3)
            InsertSortedChildren(item, *static_cast<CNodeTreeB *>(child), depthBelowPoint + 1, order);
    }
}

void HeadlessTree::Fill(CRoot &root)
{
    m_Items.clear();
    m_FirstTopLevel = nullptr;
    Item **link = &m_FirstTopLevel;
    const TreeSiblingOrder order;
    for (CPunct *punct : ChildrenAs<CPunct>(root)) {
        Item *item = NewItem(punct);
        *link = item;
        link = &item->nextSibling;
        InsertSortedChildren(item, *punct, 1, order);
        punct->ApplyTreeOrder(*this);
    }
}

TreeItemHandle HeadlessTree::FirstChildItem(TreeItemHandle item) const
{
    return item ? TreeItemHandle(item.As<Item>()->firstChild) : TreeItemHandle();
}

TreeItemHandle HeadlessTree::NextSiblingItem(TreeItemHandle item) const
{
    return item ? TreeItemHandle(item.As<Item>()->nextSibling) : TreeItemHandle();
}

CNodeB *HeadlessTree::NodeOfItem(TreeItemHandle item) const
{
    return item ? item.As<Item>()->node : nullptr;
}

