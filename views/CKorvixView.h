#pragma once

#include "model/Geometry.h"
#include "views/CommandId.h"
#include "views/ContextMenuKey.h"
#include "views/TableImage.h"

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

class CNodeB;
class CStreet;
struct ViewServices;

// The table pane: paints the current dispatch point's layout, lays it out
// again on every size change, names the street, house or lift under the
// mouse in a tooltip, and offers the background colours on a right click.
class CKorvixView : public QWidget
{
    Q_OBJECT

public:
    explicit CKorvixView(ViewServices &services, QWidget *parent = nullptr);

    // Lays the current point out again for the client size and repaints.
    void ReLayout();
    // Forgets what pointed into the structure (after the structure changed)
    // and repaints.
    void ResetView();
    // The commands of the right-click menu at a client position
    // (StreetBackground over a street frame, else PointBackground and
    // AllStreetsBackground; none without a current point). Sets the street
    // the next StreetBackground acts on.
    QList<CommandId> ContextMenuCommands(const QPoint &position);
    // The commands of the menu opened from the keyboard: StreetBackground
    // for the street of the selected node (the tree's selection) when it is
    // in the current point, else PointBackground and AllStreetsBackground.
    // Sets the street the next StreetBackground acts on and where, in client
    // coordinates, the menu opens.
    QList<CommandId> KeyboardMenuCommands(QPoint *position);
    // Runs a colour command (PointBackground, StreetBackground,
    // AllStreetsBackground) on the current point.
    void RunCommand(CommandId command);

    // The node selected elsewhere (the tree), which the keyboard menu is for.
    void SetSelectedNode(CNodeB *node) { m_SelectedNode = node; }
    // Outlines a street, house or lift (the tree's selection) while its point
    // is drawn; null, a point, or a node of another point outline nothing.
    void SetMarkedNode(const CNodeB *node);
    const CNodeB *MarkedNode() const { return m_MarkedNode; }
    // Where the outline goes: the node's rectangle in the last layout; empty
    // when it has none there.
    QRect MarkedRect() const;

    // The tooltip text for a node under the mouse: the street's name; the
    // street's and the house's name; the lift's name, ID and connection.
    static QString TooltipText(const CNodeB &node);

    QSize sizeHint() const override;

    // Why the drawn point's table is empty, for the status bar; empty when
    // it is shown (or nothing is drawn).
    QString EmptyTableReason() const { return m_EmptyReason; }

signals:
    // The drawn point's table could not be laid out (the text says why and
    // how large the pane would have to be), or is laid out again.
    void TableEmpty(const QString &reason);
    void TableShown();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Paints the picture later exposes copy.
    void KeepPicture();
    // Says why the table stays empty once the pane has stopped changing:
    // finding the size it would need lays the point out a dozen times.
    void ExplainEmptyTable();
    void ShowKeyboardMenu();

    ViewServices &m_Services;
    // The picture an expose copies; painted once the table has been left
    // alone for a moment, so that a drag of the window's edge pays for one
    // paint per step, not two.
    TableImage m_Table;
    QTimer m_KeepTable;
    QTimer m_ExplainEmpty;
    QString m_EmptyReason;
    // The resolution the current point's labels were last fitted for.
    int m_FittedDpi = 0;
    QString m_TipText;
    CStreet *m_SelStreet = nullptr;
    CNodeB *m_SelectedNode = nullptr;
    const CNodeB *m_MarkedNode = nullptr;
    ContextMenuKey m_MenuKey;
};
