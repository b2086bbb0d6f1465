#pragma once

#include "model/CNodeB.h"

#include <QDockWidget>

class QTreeWidget;
class QTreeWidgetItem;
struct LoadReport;

// «Сообщения»: the messages of the last read and its error, each with the
// line and column of the element it concerns. Activating a row (double
// click, Return) asks to show its node; Ctrl+C copies the selected rows.
class MessagesPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit MessagesPanel(QWidget *parent = nullptr);

    // Shows what a read said; the nodes it points to must stay until Clear.
    void ShowReport(const LoadReport &report);
    // Forgets the rows (before the structure they point into goes).
    void Clear();

    QTreeWidget *List() const { return m_List; }
    // The selected rows as text, one per line: line, column and text by tabs.
    QString SelectedRowsText() const;

signals:
    void NodeActivated(const CNodeB *node);

private:
    QTreeWidget *m_List;
};
