#pragma once

#include <QList>

class QPoint;
class QWidget;

// A popup menu of commands, each item showing the string-table text of its
// id, tracked at a screen position. Returns the chosen command, 0 for none.
int ExecCommandMenu(QWidget *parent, const QList<int> &commands, const QPoint &globalPosition);
