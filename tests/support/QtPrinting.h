#pragma once

#include <QString>

#include <ostream>

// Texts print as UTF-8 in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
