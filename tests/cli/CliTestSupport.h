#pragma once

#include "tests/support/QtPrinting.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <ostream>

struct KorvixRun
{
    bool finished = false; // false: it did not start, crashed or hung
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    // Standard output and error as lines, without their line ends.
    QStringList OutLines() const;
    QStringList ErrLines() const;
};

// The environment of a run: no display, so that nothing can open a window.
QProcessEnvironment KorvixEnvironment();

// Runs the executable (the built one unless `program` is given) to its end.
KorvixRun RunKorvix(const QStringList &arguments, const QString &workingDirectory = QString(),
                    const QProcessEnvironment &environment = KorvixEnvironment(), const QString &program = QString());

// The fixture file with the layouts' dispatch points.
QString LayoutsFixture();
QString ExampleFile();
