#pragma once

#include "layout/TreeOrder.h"
#include "views/CommandId.h"
#include "views/ContextMenuKey.h"

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
    QList<CommandId> ContextMenuCommands(const CNodeB &node) const;
    // Runs a draw or colour command on the selected item.
    void RunCommand(CommandId command);

    // The draw and colour commands of the menu bar that apply to the selected
    // item: drawing its dispatch point and the point's colours, whatever
    // level is selected; the colour of its street once that point is drawn.
    QList<CommandId> SelectionCommands() const;
    // Runs one of them on the selected item's point or street.
    void RunSelectionCommand(CommandId command);
    // The draw command Return runs on a dispatch point: the last one used,
    // by streets before any.
    CommandId LastDrawCommand() const { return m_LastDrawCommand; }

    // What the item's tooltip says of a node: its kind, IdDB, a lift's ID and
    // GUID, and the line of its element in the file.
    static QString ItemTooltip(const CNodeB &node);

    // The node an item stands for.
    static CNodeB *NodeOf(const QTreeWidgetItem *item);
    // Selects the node's item, opening its branch and scrolling it into view.
    // False when the node has no item.
    bool SelectNode(const CNodeB &node);

    TreeItemHandle FirstChildItem(TreeItemHandle item) const override;
    TreeItemHandle NextSiblingItem(TreeItemHandle item) const override;
    CNodeB *NodeOfItem(TreeItemHandle item) const override;

signals:
    // The selection or the drawn point changed: SelectionCommands may differ.
    void SelectionCommandsChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTreeWidgetItem *NewItem(CNodeB &node, int indexAmongSiblings) const;
    void InsertSortedChildren(QTreeWidgetItem *parent, const CNodeB &node, int depthBelowPoint,
                              const TreeSiblingOrder &order);
    void RunDrawCommand(CommandId command, CNodeB &node);
    void RunColourCommand(CommandId command, CNodeB &node);
    // The selected item's menu, opened from the keyboard below the item.
    void ShowKeyboardMenu();

    ViewServices &m_Services;
    CKorvixView *m_Table = nullptr;
    QIcon m_Icons[4]; // point, street, house, lift
    ContextMenuKey m_MenuKey;
    CommandId m_LastDrawCommand = CommandId::DrawByStreets;
};
