#pragma once

#include "tests/support/QtPrinting.h"

#include "tests/support/TempDir.h"

#include <QString>
#include <QStringList>

#include <ostream>

// The log file's name in a directory.
inline QString LogPathIn(const QString &directory)
{
    return directory + QStringLiteral("/Korvix.Bad");
}

// The lines of a file without their line ends (the last line end included).
inline QList<QByteArray> FileLines(const QString &path)
{
    QByteArray bytes = ReadAll(path);
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.isEmpty())
        return {};
    return bytes.split('\n');
}

// The texts of a log's lines, after the 20 characters of their time stamps.
inline QStringList LogTexts(const QString &path)
{
    QStringList texts;
    for (const QByteArray &line : FileLines(path))
        texts.append(QString::fromLocal8Bit(line).mid(20));
    return texts;
}
