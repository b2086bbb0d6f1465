#pragma once

#include <QString>
#include <QStringList>

// The first log line of every run: "Start v<version> <command line>".
QString StartLine(const QString &version, const QStringList &arguments);
// The last one.
QString StopLine();

// The arguments joined as a POSIX shell would need them quoted.
QString ShellQuotedCommandLine(const QStringList &arguments);
