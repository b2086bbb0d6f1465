#pragma once

#include "layout/TreeOrder.h"

#include <memory>
#include <vector>

class CNodeTreeB;
class CRoot;
class CPunct;

// The structure tree without a window: the items FillTree would insert, in
// the same order, for the command line and the tests.
class HeadlessTree : public TreeOrderSource
{
public:
    // Builds the items of every dispatch point of the root and, after each
    // point, makes the point follow the tree's order (as FillTree does).
    void Fill(CRoot &root);

    TreeItemHandle FirstChildItem(TreeItemHandle item) const override;
    TreeItemHandle NextSiblingItem(TreeItemHandle item) const override;
    CNodeB *NodeOfItem(TreeItemHandle item) const override;

private:
    struct Item
    {
        CNodeB *node = nullptr;
        Item *firstChild = nullptr;
        Item *nextSibling = nullptr;
    };
    Item *NewItem(CNodeB *node);
    // Inserts items for the children of `parent`'s node, sorted as the tree sorts.
    void InsertSortedChildren(Item *parent, const CNodeTreeB &node, int depthBelowPoint,
                              const TreeSiblingOrder &order);

    std::vector<std::unique_ptr<Item>> m_Items;
    Item *m_FirstTopLevel = nullptr;
};
