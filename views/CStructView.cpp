#include "views/CStructView.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/DrawCommand.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/xml/XmlDocument.h"
#include "views/CKorvixView.h"
#include "views/ColourCommands.h"
#include "views/CommandId.h"
#include "views/CommandMenu.h"
#include "views/ViewServices.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <memory>
#include <new>
#include <optional>

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;

// The place of a kind among those drawn in the table (point, street, house,
// lift), which have an icon and a tooltip; none for the others.
std::optional<int> DrawnKindIndex(NodeKind kind)
{
    switch (kind) {
    case NodeKind::Punct: return 0;
    case NodeKind::Street: return 1;
    case NodeKind::Home: return 2;
    case NodeKind::Lift: return 3;
    default: return std::nullopt;
    }
}

// Builds its tooltip only when asked: 35,000 texts made in advance would
// cost the fill time and memory for tips nobody reads.
class StructureItem : public QTreeWidgetItem
{
public:
    QVariant data(int column, int role) const override
    {
        if (role == Qt::ToolTipRole) {
            if (const CNodeB *node = CStructView::NodeOf(this))
                return CStructView::ItemTooltip(*node);
        }
        return QTreeWidgetItem::data(column, role);
    }
};

bool IsDrawCommand(CommandId command)
{
    return command == CommandId::DrawByStreets || command == CommandId::DrawTwoColumns ||
           command == CommandId::DrawByController;
}

} // namespace

CStructView::CStructView(ViewServices &services, QWidget *parent)
    : QTreeWidget(parent)
    , m_Services(services)
{
    setObjectName(QStringLiteral("structureTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    // Points have no expand button of their own; they open with a double click.
    setRootIsDecorated(false);
    setSortingEnabled(false);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this, &CStructView::SelectionCommandsChanged);
    m_Icons[0] = QIcon(QStringLiteral(":/icons/tree-punct.svg"));
    m_Icons[1] = QIcon(QStringLiteral(":/icons/tree-street.svg"));
    m_Icons[2] = QIcon(QStringLiteral(":/icons/tree-home.svg"));
    m_Icons[3] = QIcon(QStringLiteral(":/icons/tree-lift.svg"));
}

CNodeB *CStructView::NodeOf(const QTreeWidgetItem *item)
{
    return item ? reinterpret_cast<CNodeB *>(item->data(0, kNodeRole).value<quintptr>()) : nullptr;
}

bool CStructView::SelectNode(const CNodeB &node)
{
    auto *item = const_cast<QTreeWidgetItem *>(TreeItemOf(node).As<QTreeWidgetItem>());
    if (!item)
        return false;
    for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
    return true;
}

QTreeWidgetItem *CStructView::NewItem(CNodeB &node, int indexAmongSiblings) const
{
    auto *item = new StructureItem;
    item->setText(0, TreeItemText(node));
    if (const auto kind = DrawnKindIndex(node.GetKind()))
        item->setIcon(0, m_Icons[*kind]);
    item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
    // Items are never reordered, so the index found at insertion stays true
    // and the next sibling is found without a search.
    item->setData(0, kIndexRole, indexAmongSiblings);
    SetTreeItem(node, TreeItemHandle(item));
    return item;
}

void CStructView::InsertSortedChildren(QTreeWidgetItem *parent, const CNodeB &node, int depthBelowPoint,
                                       const TreeSiblingOrder &order)
{
    const std::vector<CNodeB *> children = order.ChildrenOf(static_cast<const CNodeTreeB &>(node));
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(children.size()));
    for (CNodeB *child : children)
        items.append(NewItem(*child, static_cast<int>(items.size())));
    parent->addChildren(items);
    if (depthBelowPoint < 3) {
        for (qsizetype i = 0; i < items.size(); ++i)
            InsertSortedChildren(items[i], *children[static_cast<std::size_t>(i)], depthBelowPoint + 1, order);
    }
}

void CStructView::FillTree()
{
    setUpdatesEnabled(false);
    clear();
    try {
        const TreeSiblingOrder order;
        int index = 0;
        for (CPunct *point : ChildrenAs<CPunct>(m_Services.root)) {
            std::unique_ptr<QTreeWidgetItem> item(NewItem(*point, index++));
            addTopLevelItem(item.get());
            QTreeWidgetItem *added = item.release();
            InsertSortedChildren(added, *point, 1, order);
            point->ApplyTreeOrder(*this);
        }
    } catch (const std::bad_alloc &) {
        // A part of a tree would hide the rest of the structure: none at all,
        // and the reason.
        clear();
        setUpdatesEnabled(true);
        m_Services.root.ReportError(LoadResString(TextId::StructureTreeNotBuilt), XmlLoadCode::OutOfMemory,
                                    LoadResString(TextId::StructureTreeNoMemory));
        return;
    }
    setUpdatesEnabled(true);
    // Emptying the tree does not report that the selection went.
    emit SelectionCommandsChanged();
}

TreeItemHandle CStructView::FirstChildItem(TreeItemHandle handle) const
{
    const auto *item = handle.As<QTreeWidgetItem>();
    return item && item->childCount() > 0 ? TreeItemHandle(item->child(0)) : TreeItemHandle();
}

TreeItemHandle CStructView::NextSiblingItem(TreeItemHandle handle) const
{
    const auto *item = handle.As<QTreeWidgetItem>();
    if (!item)
        return {};
    const int next = item->data(0, kIndexRole).toInt() + 1;
    const QTreeWidgetItem *parent = item->parent();
    if (!parent)
        return next < topLevelItemCount() ? TreeItemHandle(topLevelItem(next)) : TreeItemHandle();
    return next < parent->childCount() ? TreeItemHandle(parent->child(next)) : TreeItemHandle();
}

CNodeB *CStructView::NodeOfItem(TreeItemHandle handle) const
{
    return NodeOf(handle.As<QTreeWidgetItem>());
}

QList<CommandId> CStructView::ContextMenuCommands(const CNodeB &node) const
{
    switch (node.GetKind()) {
    case NodeKind::Punct:
        return {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController,
                CommandId::PointBackground, CommandId::AllStreetsBackground};
    case NodeKind::Street: {
        const CPunctB *point = const_cast<CNodeB &>(node).GetPunct();
        if (point && point == m_Services.root.m_CurPunct)
            return {CommandId::StreetBackground};
        return {};
    }
    default:
        return {};
    }
}

void CStructView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    QTreeWidgetItem *item = itemAt(event->position().toPoint());
    if (!item)
        return;
    setCurrentItem(item);
    CNodeB *node = NodeOf(item);
    if (!node)
        return;
    if (const auto command = ExecCommandMenu(this, ContextMenuCommands(*node), event->globalPosition().toPoint()))
        RunCommand(*command);
}

void CStructView::keyPressEvent(QKeyEvent *event)
{
    if (m_MenuKey.IsKeyboardRequest(*event)) {
        ShowKeyboardMenu();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const CNodeB *node = NodeOf(currentItem());
    if (enter && node && node->GetKind() == NodeKind::Punct) {
        RunCommand(m_LastDrawCommand);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CStructView::contextMenuEvent(QContextMenuEvent *event)
{
    // A right click opens its menu on the press already.
    if (m_MenuKey.IsKeyboardRequest(*event))
        ShowKeyboardMenu();
}

void CStructView::ShowKeyboardMenu()
{
    QTreeWidgetItem *item = currentItem();
    CNodeB *node = NodeOf(item);
    if (!node)
        return;
    scrollToItem(item);
    const QRect rect = visualItemRect(item);
    // Below the item's text, where a right click on it would open the menu.
    const QPoint at(rect.left() + iconSize().width() + 4, rect.bottom() + 1);
    if (const auto command = ExecCommandMenu(this, ContextMenuCommands(*node), viewport()->mapToGlobal(at)))
        RunCommand(*command);
}

QList<CommandId> CStructView::SelectionCommands() const
{
    CNodeB *node = NodeOf(currentItem());
    if (!node || !node->GetPunct())
        return {};
    QList<CommandId> commands{CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController,
                        CommandId::PointBackground, CommandId::AllStreetsBackground};
    if (const CStreet *street = StreetOf(node); street && street->m_pParent == m_Services.root.m_CurPunct)
        commands.append(CommandId::StreetBackground);
    return commands;
}

void CStructView::RunSelectionCommand(CommandId command)
{
    if (!SelectionCommands().contains(command))
        return;
    CNodeB *node = NodeOf(currentItem());
    if (IsDrawCommand(command))
        RunDrawCommand(command, *node->GetPunct());
    else if (command == CommandId::StreetBackground)
        RunColourCommand(command, *StreetOf(node));
    else
        RunColourCommand(command, *node->GetPunct());
}

QString CStructView::ItemTooltip(const CNodeB &node)
{
    static constexpr TextId kKinds[4] = {TextId::TooltipPointKind, TextId::TooltipStreetKind, TextId::TooltipHomeKind,
                                         TextId::TooltipLiftKind};
    const auto kind = DrawnKindIndex(node.GetKind());
    if (!kind)
        return {};
    QStringList lines{LoadResString(kKinds[*kind]), QStringLiteral("IdDB: %1").arg(node.m_IdDB)};
    if (node.GetKind() == NodeKind::Lift) {
        const auto &lift = static_cast<const CLiftB &>(node);
        if (!lift.ID.isEmpty())
            lines.append(QStringLiteral("ID: ") + lift.ID);
        if (!lift.GUID.IsNull())
            lines.append(QStringLiteral("GUID: ") + GuidToText(lift.GUID));
    }
    if (const std::uint32_t line = node.m_pElem.GetPosition().line)
        lines.append(LoadResString(TextId::TooltipFileLine).arg(line));
    return lines.join(u'\n');
}

void CStructView::RunCommand(CommandId command)
{
    CNodeB *node = NodeOf(currentItem());
    if (!node)
        return;
    switch (command) {
    case CommandId::DrawByStreets:
    case CommandId::DrawTwoColumns:
    case CommandId::DrawByController:
        RunDrawCommand(command, *node);
        break;
    case CommandId::PointBackground:
    case CommandId::AllStreetsBackground:
    case CommandId::StreetBackground:
        RunColourCommand(command, *node);
        break;
    default:
        break;
    }
}

void CStructView::RunDrawCommand(CommandId command, CNodeB &node)
{
    if (node.GetKind() != NodeKind::Punct || !m_Table)
        return;
    auto &point = static_cast<CPunct &>(node);
    m_Services.root.m_CurPunct = &point;
    m_LastDrawCommand = command;
    SetLayoutMode(point, static_cast<LayoutMode>(command));
    m_Table->ReLayout();
    emit SelectionCommandsChanged();
}

void CStructView::RunColourCommand(CommandId command, CNodeB &node)
{
    const bool forStreet = command == CommandId::StreetBackground;
    if (node.GetKind() != (forStreet ? NodeKind::Street : NodeKind::Punct))
        return;
    CStreet *street = forStreet ? static_cast<CStreet *>(&node) : nullptr;
    auto *point = static_cast<CPunct *>(node.GetPunct());
    if (!point || !ChooseAndStoreColour(command, *point, street, this, m_Services))
        return;
    if (!m_Table)
        return;
    m_Services.root.m_CurPunct = point;
    m_Table->ReLayout();
    emit SelectionCommandsChanged();
}
