#include "views/MessagesPanel.h"

#include "layout/CRoot.h"
#include "model/ResString.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QShortcut>
#include <QStyle>
#include <QTreeWidget>

namespace {

constexpr int kNodeRole = Qt::UserRole;

enum Column { LineColumn, PlaceColumn, TextColumn };

QTreeWidgetItem *Row(const XmlPosition &position, const QString &text)
{
    auto *row = new QTreeWidgetItem;
    if (position.line != 0) {
        row->setText(LineColumn, QString::number(position.line));
        row->setText(PlaceColumn, QString::number(position.column));
    }
    row->setText(TextColumn, text);
    row->setTextAlignment(LineColumn, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(PlaceColumn, Qt::AlignRight | Qt::AlignVCenter);
    return row;
}

} // namespace

MessagesPanel::MessagesPanel(QWidget *parent)
    : QDockWidget(LoadResString(TextId::MessagesPanelTitle), parent)
    , m_List(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("messagesDock"));
    m_List->setObjectName(QStringLiteral("messageList"));
    m_List->setColumnCount(3);
    m_List->setHeaderLabels({LoadResString(TextId::MessagesLineHeader), LoadResString(TextId::MessagesColumnHeader),
                             LoadResString(TextId::MessagesTextHeader)});
    m_List->setRootIsDecorated(false);
    m_List->setUniformRowHeights(true);
    m_List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_List->header()->setStretchLastSection(true);
    m_List->header()->setSectionResizeMode(LineColumn, QHeaderView::ResizeToContents);
    m_List->header()->setSectionResizeMode(PlaceColumn, QHeaderView::ResizeToContents);
    setWidget(m_List);

    connect(m_List, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *row) {
        if (const auto *node = reinterpret_cast<const CNodeB *>(row->data(0, kNodeRole).value<quintptr>()))
            emit NodeActivated(node);
    });
    auto *copy = new QShortcut(QKeySequence::Copy, m_List, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this, [this] {
        const QString text = SelectedRowsText();
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
    });
}

void MessagesPanel::Clear()
{
    m_List->clear();
}

void MessagesPanel::ShowReport(const LoadReport &report)
{
    m_List->clear();
    QList<QTreeWidgetItem *> rows;
    rows.reserve(static_cast<qsizetype>(report.messages.size()) + 2);
    const QIcon information = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    for (const StructureMessage &message : report.messages) {
        QTreeWidgetItem *row = Row(message.position, message.text);
        row->setIcon(TextColumn, information);
        row->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(message.node)));
        rows.append(row);
    }
    if (report.messageCount > report.messages.size()) {
        rows.append(Row({}, LoadResString(TextId::MessagesPanelMore)
                                .arg(report.messageCount - report.messages.size())
                                .arg(report.messages.size())));
    }
    if (report.failed) {
        QTreeWidgetItem *row = Row(report.errorPosition, report.errorText);
        row->setIcon(TextColumn, style()->standardIcon(QStyle::SP_MessageBoxCritical));
        rows.append(row);
    }
    m_List->addTopLevelItems(rows);
}

QString MessagesPanel::SelectedRowsText() const
{
    QStringList lines;
    // In the list's order, whatever order they were selected in.
    for (int i = 0; i < m_List->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_List->topLevelItem(i);
        if (row->isSelected())
            lines.append(row->text(LineColumn) + u'\t' + row->text(PlaceColumn) + u'\t' + row->text(TextColumn));
    }
    return lines.join(u'\n');
}
