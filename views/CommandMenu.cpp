#include "views/CommandMenu.h"

#include "model/ResString.h"

#include <QMenu>

int ExecCommandMenu(QWidget *parent, const QList<int> &commands, const QPoint &globalPosition)
{
    if (commands.isEmpty())
        return 0;
    QMenu menu(parent);
    for (int command : commands)
        menu.addAction(LoadResString(command))->setData(command);
    const QAction *chosen = menu.exec(globalPosition);
    return chosen ? chosen->data().toInt() : 0;
}
