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

// korvix --list-points FILE: the dispatch points' names, one per line.
int RunListPoints(const CommandLineRequest &request, const QStringList &arguments);

class CPunct;
class HeadlessSession;

// What --dump-layout and --render share: reads the file, orders every point as
// the tree does, lays the named point out. The point, or null with `exitCode`
// set (1: the file was not read, 2: no such point).
CPunct *LayOutRequestedPoint(HeadlessSession &session, const CommandLineRequest &request, int &exitCode);
