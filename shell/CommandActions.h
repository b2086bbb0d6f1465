#pragma once

#include "views/CommandId.h"

#include <QAction>
#include <QList>
#include <QMap>
#include <QObject>

// The frame's commands by id, one QAction each, shared by the menus and every
// toolbar. Each takes its status-bar prompt and its tooltip from the string
// table entry of its id ("prompt\ntooltip").
class CommandActions : public QObject
{
    Q_OBJECT

public:
    explicit CommandActions(QObject *parent = nullptr);

    QAction *Add(CommandId id, const QString &menuText, const QIcon &icon = {}, const QList<QKeySequence> &shortcuts = {});
    QAction *Action(CommandId id) const { return m_Actions.value(id); }
    // Every id, in the order the commands were added.
    const QList<CommandId> &Ids() const { return m_Order; }
    // The command's short name (the tooltip part of its prompt, or the menu
    // text without its accelerator marks).
    QString ShortName(CommandId id) const;

private:
    QMap<CommandId, QAction *> m_Actions;
    QList<CommandId> m_Order;
};
