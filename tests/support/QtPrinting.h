#pragma once

#include "model/NodeKind.h"

#include <QString>

#include <ostream>

// Texts print as UTF-8 in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Node kinds print as their numbers, in failure messages and streamed notes.
inline std::ostream &operator<<(std::ostream &os, NodeKind kind)
{
    return os << static_cast<int>(kind);
}
