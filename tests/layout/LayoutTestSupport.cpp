#include "tests/layout/LayoutTestSupport.h"

#include "tests/support/StructureText.h"

#include <QFile>

QStringList LoggedStructure::LogTexts() const
{
    return LogTextsOf(log->FilePath());
}

void LoggedStructure::ClearLog() const
{
    QFile::remove(log->FilePath());
}

QByteArray PointDocument(const QByteArray &name, const QByteArray &inner)
{
    return PultDocument("<DISP Name=\"" + name + "\">" + inner + "</DISP>");
}
