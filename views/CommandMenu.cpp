#include "views/CommandMenu.h"

#include "model/ResString.h"

#include <QMenu>

std::optional<CommandId> ExecCommandMenu(QWidget *parent, const QList<CommandId> &commands, const QPoint &globalPosition)
{
    if (commands.isEmpty())
        return std::nullopt;
    QMenu menu(parent);
    for (CommandId command : commands)
        menu.addAction(LoadResString(PromptOf(command)))->setData(static_cast<int>(command));
    const QAction *chosen = menu.exec(globalPosition);
    if (!chosen)
        return std::nullopt;
    return static_cast<CommandId>(chosen->data().toInt());
}
