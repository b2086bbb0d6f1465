#pragma once

#include "tests/support/Printing.h"

#include "tests/support/LogText.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "log/LogFile.h"
#include "model/Geometry.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/StructureLookup.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

// A structure read through a root that logs into a file of its own, so that
// a test can read back what a layout wrote.
struct LoggedStructure : TestStructure
{
    LoggedStructure()
        : TestStructure(Log::OwnDirectory)
    {
    }

    // The texts of the log's lines after their time stamps, from the first line on.
    QStringList LogTexts() const;
    // Empties the log file, so that the next texts start with the next line.
    void ClearLog() const;

    CPunct &Point(const QString &name) const { return PointNamed(*root, name); }
    CStreet &Street(const QString &point, const QString &street) const { return StreetNamed(Point(point), street); }
    CHome &Home(const QString &point, const QString &street, const QString &home) const
    {
        return HomeNamed(Street(point, street), home);
    }
    // The lift with this ID (IDs are unique in the tests' structures).
    CLift &Lift(const QString &id) const { return LiftWithId(*root, id); }

    // The log's directory, for the files a test opens.
    const TempDir &dir = *m_OwnLogDir;
};

// <DISP Name="name">inner</DISP> in a whole document.
QByteArray PointDocument(const QByteArray &name, const QByteArray &inner);
