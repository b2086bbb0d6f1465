#pragma once

#include <QStringList>

struct CommandLineRequest;

// korvix --check FILE: reads the file as File Open does and reports.
// Exit status 0 when read, 1 when not.
int RunCheck(const CommandLineRequest &request, const QStringList &arguments);

// korvix --dump-layout ...: reads the file, lays the named point out and
// prints the layout as JSON. 0 when printed, 1 when the file is not read,
// 2 for an unknown point.
int RunDumpLayout(const CommandLineRequest &request, const QStringList &arguments);
