#pragma once

#include "views/CommandId.h"

#include <QList>

#include <optional>

class QPoint;
class QWidget;

// A popup menu of commands, each item showing the string-table text of its
// id, tracked at a screen position. Returns the chosen command, none when the
// menu was closed without one.
std::optional<CommandId> ExecCommandMenu(QWidget *parent, const QList<CommandId> &commands, const QPoint &globalPosition);
