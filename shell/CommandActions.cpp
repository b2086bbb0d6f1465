#include "shell/CommandActions.h"

#include "model/ResString.h"
#include "resources/strings/StringTable.h"

CommandActions::CommandActions(QObject *parent)
    : QObject(parent)
{
}

QAction *CommandActions::Add(CommandId id, const QString &menuText, const QIcon &icon, const QList<QKeySequence> &shortcuts)
{
    auto *action = new QAction(icon, menuText, this);
    action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(id)));
    action->setData(static_cast<int>(id));
    action->setShortcuts(shortcuts);
    if (StringTable::Find(PromptOf(id))) {
        const QStringList prompt = LoadResString(PromptOf(id)).split(u'\n');
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1, ShortName(id)));
    }
    m_Actions.insert(id, action);
    m_Order.append(id);
    return action;
}

QString CommandActions::ShortName(CommandId id) const
{
    if (StringTable::Find(PromptOf(id))) {
        const QStringList prompt = LoadResString(PromptOf(id)).split(u'\n');
        if (prompt.size() > 1 && !prompt[1].isEmpty())
            return prompt[1];
    }
    const QAction *action = m_Actions.value(id);
    if (!action)
        return {};
    QString text = action->text().section(u'\t', 0, 0);
    text.remove(u'&');
    return text;
}
