#pragma once

#include "TreeOrder.h"

#include <QIcon>
#include <QList>
#include <QTreeWidget>

class CKorvixView;
class CNodeB;
struct ViewServices;

// The structure tree: dispatch points with their streets, houses and lifts.
// A right click on a point offers the three ways of drawing it and its
// background colours; on a street of the drawn point, the street's colour.
// Its alphabetical order becomes the order the layouts follow.
class CStructView : public QTreeWidget, public TreeOrderSource
{
    Q_OBJECT

public:
    explicit CStructView(ViewServices &services, QWidget *parent = nullptr);

    // The table pane the draw and colour commands lay out and repaint.
    void SetTableView(CKorvixView *table) { m_Table = table; }

    // Rebuilds every item from the structure root.
    void FillTree();

    // The commands of the right-click menu for a node.
    QList<int> ContextMenuCommands(const CNodeB &node) const;
    // Runs a draw or colour command on the selected item.
    void RunCommand(int command);

    // The node an item stands for.
    static CNodeB *NodeOf(const QTreeWidgetItem *item);

    TreeItemHandle FirstChildItem(TreeItemHandle item) const override;
    TreeItemHandle NextSiblingItem(TreeItemHandle item) const override;
    CNodeB *NodeOfItem(TreeItemHandle item) const override;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QTreeWidgetItem *NewItem(CNodeB &node, int indexAmongSiblings) const;
    void InsertSortedChildren(QTreeWidgetItem *parent, const CNodeB &node, int depthBelowPoint,
                              const TreeSiblingOrder &order);
    void RunDrawCommand(int command, CNodeB &node);
    void RunColourCommand(int command, CNodeB &node);

    ViewServices &m_Services;
    CKorvixView *m_Table = nullptr;
    QIcon m_Icons[4]; // point, street, house, lift
};
