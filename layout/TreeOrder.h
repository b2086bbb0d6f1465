#pragma once

#include <QCollator>
#include <QString>

#include <vector>

class CNodeB;
class CNodeTreeB;

// An item of the structure tree, as the tree that made it identifies it;
// empty is none. Only that tree looks inside: it makes handles of its own
// item type and reads them back as that type.
class TreeItemHandle
{
public:
    TreeItemHandle() = default;
    template <class Item>
    explicit TreeItemHandle(const Item *item) : m_Item(item)
    {
    }
    template <class Item>
    const Item *As() const
    {
        return static_cast<const Item *>(m_Item);
    }
    explicit operator bool() const { return m_Item != nullptr; }
    friend bool operator==(const TreeItemHandle &, const TreeItemHandle &) = default;

private:
    const void *m_Item = nullptr;
};

// What the layout needs of the structure tree to follow its order: the child
// items of an item in display order and the node each item stands for. The
// tree view implements it; the command line and tests use HeadlessTree.
class TreeOrderSource
{
public:
    virtual ~TreeOrderSource() = default;
    virtual TreeItemHandle FirstChildItem(TreeItemHandle item) const = 0;
    virtual TreeItemHandle NextSiblingItem(TreeItemHandle item) const = 0;
    virtual CNodeB *NodeOfItem(TreeItemHandle item) const = 0;
};

// The text of a node's tree item: the name; for a lift, name " - " ID.
QString TreeItemText(const CNodeB &node);

// Keeps an item's handle in its node (points, streets, houses and lifts have
// one; other nodes have no item).
void SetTreeItem(CNodeB &node, TreeItemHandle item);

// The tree's display order of siblings: their item texts compared without
// regard to case in the user's locale; equal texts keep their given order.
// Both the tree view and HeadlessTree use it, so that the window and the
// command line lay a point out alike. Make one per fill of a tree: setting up
// the collator is the costly part.
class TreeSiblingOrder
{
public:
    TreeSiblingOrder();
    void Sort(std::vector<CNodeB *> &siblings) const;
    // A node's children in this order.
    std::vector<CNodeB *> ChildrenOf(const CNodeTreeB &node) const;

private:
    QCollator m_Collator;
    bool m_FoldFirst = false;
};

// The handle kept in a node by SetTreeItem; null for other nodes.
TreeItemHandle TreeItemOf(const CNodeB &node);
