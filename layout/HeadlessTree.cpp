#include "HeadlessTree.h"

#include "CHome.h"
#include "CLift.h"
#include "CPunct.h"
#include "CRoot.h"
#include "CStreet.h"
#include "NodeKind.h"

namespace {

std::vector<CNodeB *> ChildNodes(const CNodeTreeB &node)
{
    std::vector<CNodeB *> nodes;
    nodes.reserve(node.m_Children.size());
    for (const auto &child : node.m_Children)
        nodes.push_back(child.get());
    return nodes;
}

void SetTreeItem(CNodeB *node, TreeItemHandle item)
{
    switch (node->GetKind()) {
    case NodeKind::Punct:
        static_cast<CPunct *>(node)->m_TreeItem = item;
        break;
    case NodeKind::Street:
        static_cast<CStreet *>(node)->m_TreeItem = item;
        break;
    case NodeKind::Home:
        static_cast<CHome *>(node)->m_TreeItem = item;
        break;
    case NodeKind::Lift:
        static_cast<CLift *>(node)->m_TreeItem = item;
        break;
    default:
        break;
    }
}

} // namespace

HeadlessTree::Item *HeadlessTree::NewItem(CNodeB *node)
{
    m_Items.push_back(std::make_unique<Item>());
    Item *item = m_Items.back().get();
    item->node = node;
    SetTreeItem(node, item);
    return item;
}

void HeadlessTree::InsertSortedChildren(Item *parent, std::vector<CNodeB *> children, int depthBelowPoint)
{
    SortTreeSiblings(children);
    Item **link = &parent->firstChild;
    for (CNodeB *child : children) {
        Item *item = NewItem(child);
        *link = item;
        link = &item->nextSibling;
        if (depthBelowPoint < 3)
            InsertSortedChildren(item, ChildNodes(*static_cast<CNodeTreeB *>(child)), depthBelowPoint + 1);
    }
}

void HeadlessTree::Fill(CRoot &root)
{
    m_Items.clear();
    m_FirstTopLevel = nullptr;
    Item **link = &m_FirstTopLevel;
    for (CPunct *punct : ChildrenAs<CPunct>(root)) {
        Item *item = NewItem(punct);
        *link = item;
        link = &item->nextSibling;
        InsertSortedChildren(item, ChildNodes(*punct), 1);
        punct->ApplyTreeOrder(*this);
    }
}

TreeItemHandle HeadlessTree::FirstChildItem(TreeItemHandle item) const
{
    return item ? static_cast<const Item *>(item)->firstChild : nullptr;
}

TreeItemHandle HeadlessTree::NextSiblingItem(TreeItemHandle item) const
{
    return item ? static_cast<const Item *>(item)->nextSibling : nullptr;
}

CNodeB *HeadlessTree::NodeOfItem(TreeItemHandle item) const
{
    return item ? static_cast<const Item *>(item)->node : nullptr;
}

TreeItemHandle HeadlessTree::FirstTopLevelItem() const
{
    return m_FirstTopLevel;
}
