#pragma once

#include "tests/support/QtPrinting.h"

#include "tests/support/LogText.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"
#include "model/Geometry.h"
#include "log/LogFile.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

// Rectangles and sizes print as their numbers in failure messages.
void PrintTo(const Rect &r, std::ostream *os);
void PrintTo(const Size &s, std::ostream *os);

// A structure read through a root that logs into a file of its own, so that
// a test can read back what a layout wrote.
struct LoggedStructure
{
    TempDir dir;
    RecordingPresenter presenter;
    LogFile log{dir.Path(), QString(), &presenter};
    std::unique_ptr<CRoot> root = std::make_unique<CRoot>(&log, &presenter);

    // Reads UTF-8 XML text as a file read does; an ErrorXML escapes.
    void Load(const QByteArray &xml);
    // The texts of the log's lines after their time stamps, from the first line on.
    QStringList LogTexts() const;
    // Empties the log file, so that the next texts start with the next line.
    void ClearLog() const;

    CPunct &Point(const QString &name) const;
    CStreet &Street(const QString &point, const QString &street) const;
    CHome &Home(const QString &point, const QString &street, const QString &home) const;
    // The lift with this ID (IDs are unique in the tests' structures).
    CLift &Lift(const QString &id) const;
};

// <DISP Name="name">inner</DISP> in a whole document.
QByteArray PointDocument(const QByteArray &name, const QByteArray &inner);

// Names parameterised cases after their `name` member; the cases print as
// that name too (CTest shows it in the test's name).
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case> &param)
{
    return param.param.name;
}
