#include "LogFile.h"
#include "RecordingPresenter.h"
#include "TempDir.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

TEST(LogFile, AppendsTimeStampedLinesAndShowsErrors)
{
    TempDir dir;
    RecordingPresenter presenter;
    LogFile log(dir.Path(), {}, &presenter);
    log.Write(QStringLiteral("первая"));
    log.WriteError(QStringLiteral("Ошибка"), 0);
    const QStringList lines = QString::fromLocal8Bit(ReadAll(dir.FilePath(QStringLiteral("Korvix.Bad")))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QRegularExpression stamp(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d "));
    EXPECT_TRUE(stamp.match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" первая")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" Ошибка")));
    EXPECT_EQ(presenter.Errors(), QStringList{QStringLiteral("Ошибка")});
}
