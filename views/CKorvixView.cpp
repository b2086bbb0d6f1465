#include "views/CKorvixView.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "layout/PaneSizeSearch.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "views/ColourCommands.h"
#include "views/CommandId.h"
#include "views/CommandMenu.h"
#include "views/QPainterSurface.h"
#include "views/QtConversions.h"
#include "views/TablePainter.h"
#include "views/ViewServices.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QToolTip>

namespace {

constexpr qsizetype kTipLimit = 1023;
// How long the table stays unchanged before its picture is kept.
constexpr int kKeepTableAfterMs = 150;
// How long the pane stays unchanged before an empty table is explained.
constexpr int kExplainEmptyAfterMs = 250;

} // namespace

CKorvixView::CKorvixView(ViewServices &services, QWidget *parent)
    : QWidget(parent)
    , m_Services(services)
{
    setObjectName(QStringLiteral("tableView"));
    // Without a layout the pane shows the window's own background, which
    // the paint fills itself: the table covers the whole pane, and a fill
    // under it would cost as much as a good part of the table.
    setBackgroundRole(QPalette::Base);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // F6 and Shift+F6 move the focus here from the tree.
    setFocusPolicy(Qt::StrongFocus);
    m_KeepTable.setSingleShot(true);
    m_KeepTable.setInterval(kKeepTableAfterMs);
    connect(&m_KeepTable, &QTimer::timeout, this, &CKorvixView::KeepPicture);
    m_ExplainEmpty.setSingleShot(true);
    m_ExplainEmpty.setInterval(kExplainEmptyAfterMs);
    connect(&m_ExplainEmpty, &QTimer::timeout, this, &CKorvixView::ExplainEmptyTable);
}

void CKorvixView::ExplainEmptyTable()
{
    CPunct *point = m_Services.root.m_CurPunct;
    if (!point || point->m_Valid)
        return;
    QString reason;
    if (point->m_Lifts.empty()) {
        reason = LoadResString(TextId::EmptyTableNoLifts).arg(point->m_Name);
    } else if (const std::optional<Size> needed = SmallestPaneFor(*point, width(), height())) {
        reason = LoadResString(TextId::EmptyTablePaneTooSmall)
                     .arg(point->m_Name)
                     .arg(needed->cx)
                     .arg(needed->cy)
                     .arg(width())
                     .arg(height());
    } else {
        reason = LoadResString(TextId::EmptyTableNotPlaced).arg(point->m_Name);
    }
    m_EmptyReason = reason;
    emit TableEmpty(reason);
}

void CKorvixView::KeepPicture()
{
    m_KeepTable.stop();
    m_Table.Update(m_Services.root, size(), devicePixelRatioF(), logicalDpiY());
}

QSize CKorvixView::sizeHint() const
{
    return QSize(100, 100);
}

QString CKorvixView::TooltipText(const CNodeB &node)
{
    QString text;
    switch (node.GetKind()) {
    case NodeKind::Street:
        text = node.m_Name;
        break;
    case NodeKind::Home:
        text = (node.m_pParent ? node.m_pParent->m_Name : QString()) + u',' + node.m_Name;
        break;
    case NodeKind::Lift: {
        const auto &lift = static_cast<const CLiftB &>(node);
        text = lift.m_Name + QStringLiteral(" (") + lift.ID + u')';
        if (lift.IDPro != 0)
            text += QStringLiteral(" - %1").arg(lift.IDPro);
        else
            text += QStringLiteral(" - %1:%2:%3").arg(lift.SubNet).arg(lift.UM).arg(lift.Slot);
        break;
    }
    default:
        break;
    }
    return text.left(kTipLimit);
}

void CKorvixView::ReLayout()
{
    if (CPunct *point = m_Services.root.m_CurPunct) {
        if (point->RePlaseTab(width(), height())) {
            m_ExplainEmpty.stop();
            if (!m_EmptyReason.isEmpty()) {
                m_EmptyReason.clear();
                emit TableShown();
            }
        } else {
            m_ExplainEmpty.start();
        }
    }
    m_Table.Invalidate();
    update();
}

void CKorvixView::ResetView()
{
    m_SelStreet = nullptr;
    m_SelectedNode = nullptr;
    m_MarkedNode = nullptr;
    m_ExplainEmpty.stop();
    if (!m_EmptyReason.isEmpty()) {
        m_EmptyReason.clear();
        emit TableShown();
    }
    QToolTip::hideText();
    m_Table.Invalidate();
    update();
}

void CKorvixView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_Services.root.m_CurPunct)
        ReLayout();
}

void CKorvixView::SetMarkedNode(const CNodeB *node)
{
    if (node == m_MarkedNode)
        return;
    m_MarkedNode = node;
    update();
}

QRect CKorvixView::MarkedRect() const
{
    const CPunct *point = m_Services.root.m_CurPunct;
    if (!m_MarkedNode || !point || !point->m_Valid || const_cast<CNodeB *>(m_MarkedNode)->GetPunct() != point)
        return {};
    Rect rect;
    switch (m_MarkedNode->GetKind()) {
    case NodeKind::Street:
        // Streets and houses have places only in a layout by streets.
        if (!point->m_ByProvider)
            rect = static_cast<const CStreet *>(m_MarkedNode)->m_RectFrame;
        break;
    case NodeKind::Home:
        if (!point->m_ByProvider)
            rect = static_cast<const CHome *>(m_MarkedNode)->m_Rect;
        break;
    case NodeKind::Lift:
        rect = static_cast<const CLift *>(m_MarkedNode)->m_Rect;
        break;
    default:
        break;
    }
    return ToQRect(rect);
}

void CKorvixView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The outline goes over whatever the table painted, in every paint.
    const auto outline = qScopeGuard([&] {
        const QRect marked = MarkedRect();
        if (marked.isEmpty())
            return;
        painter.setClipRegion(event->region());
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(marked.adjusted(-2, -2, 1, 1));
    });
    CRoot &root = m_Services.root;
    if (root.m_CurPunct) {
        if (m_Table.IsCurrentFor(size(), devicePixelRatioF(), logicalDpiY())) {
            if (m_Table.Shown()) {
                m_Table.Draw(painter, event->rect());
                return;
            }
        } else {
            // Straight into the window: a picture first would cost a copy
            // of the whole pane on every step of a drag. The picture is
            // kept once the table is left alone.
            if (logicalDpiY() != m_FittedDpi) {
                // On another screen the labels take other fonts.
                root.m_CurPunct->m_FitLabels = true;
                m_FittedDpi = logicalDpiY();
            }
            QPainterSurface surface(painter);
            const bool shown = TablePainter::Paint(root, surface, width(), height());
            m_KeepTable.start();
            if (shown)
                return;
        }
    }
    painter.fillRect(event->rect(), palette().brush(backgroundRole()));
}

bool CKorvixView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const CPunct *point = m_Services.root.m_CurPunct;
    Rect rect;
    const CNodeB *node = point ? point->HitTest(help->pos().x(), help->pos().y(), &rect) : nullptr;
    if (!node) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    m_TipText = TooltipText(*node);
    // The tip stays while the mouse is within the same tile.
    QToolTip::showText(help->globalPos(), m_TipText, this, ToQRect(rect));
    return true;
}

QList<CommandId> CKorvixView::ContextMenuCommands(const QPoint &position)
{
    CPunct *point = m_Services.root.m_CurPunct;
    if (!point)
        return {};
    m_SelStreet = point->HitTestStreet(position.x(), position.y());
    if (m_SelStreet)
        return {CommandId::StreetBackground};
    return {CommandId::PointBackground, CommandId::AllStreetsBackground};
}

QList<CommandId> CKorvixView::KeyboardMenuCommands(QPoint *position)
{
    *position = QPoint(0, 0);
    CPunct *point = m_Services.root.m_CurPunct;
    if (!point)
        return {};
    m_SelStreet = StreetOf(m_SelectedNode);
    if (m_SelStreet && m_SelStreet->m_pParent == point) {
        const Rect &caption = m_SelStreet->m_RectName;
        *position = QPoint(caption.left, caption.bottom);
        return {CommandId::StreetBackground};
    }
    m_SelStreet = nullptr;
    return {CommandId::PointBackground, CommandId::AllStreetsBackground};
}

void CKorvixView::ShowKeyboardMenu()
{
    QPoint at;
    const QList<CommandId> commands = KeyboardMenuCommands(&at);
    // A street caption may lie outside the pane (a layout that failed has none).
    if (!rect().contains(at))
        at = QPoint(0, 0);
    if (const auto command = ExecCommandMenu(this, commands, mapToGlobal(at)))
        RunCommand(*command);
}

void CKorvixView::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_MenuKey.IsKeyboardRequest(*event)) {
        ShowKeyboardMenu();
        return;
    }
    if (const auto command = ExecCommandMenu(this, ContextMenuCommands(event->pos()), event->globalPos()))
        RunCommand(*command);
}

void CKorvixView::keyPressEvent(QKeyEvent *event)
{
    if (m_MenuKey.IsKeyboardRequest(*event))
        ShowKeyboardMenu();
    else
        QWidget::keyPressEvent(event);
}

void CKorvixView::RunCommand(CommandId command)
{
    CPunct *point = m_Services.root.m_CurPunct;
    if (!point)
        return;
    CStreet *street = nullptr;
    if (command == CommandId::StreetBackground) {
        street = m_SelStreet;
        if (!street)
            return;
    }
    if (ChooseAndStoreColour(command, *point, street, this, m_Services))
        ReLayout();
}
