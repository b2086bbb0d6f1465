#include "log/LogFile.h"
#include "tests/log/LogTestSupport.h"
#include "tests/support/RecordingPresenter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using Icon = MessagePresenter::Icon;

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

// "dd.MM.yyyy HH:mm:ss " in local time, then the text, then a line end.
TEST(LogFile, LineIsLocalTimeStampBlankAndText)
{
    TempDir dir;
    LogFile log(dir.Path(), {}, nullptr);
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-QDateTime::currentDateTime().time().msec());
    EXPECT_TRUE(log.Write(QStringLiteral("Start v1.0.0.1 korvix")));
    EXPECT_TRUE(log.Write(QString()));
    const QDateTime after = QDateTime::currentDateTime();

    const QByteArray bytes = ReadAll(LogPathIn(dir.Path()));
    ASSERT_TRUE(bytes.endsWith('\n'));
    const QList<QByteArray> lines = FileLines(LogPathIn(dir.Path()));
    ASSERT_EQ(lines.size(), 2);
    const QRegularExpression format(QStringLiteral("^(\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d) Start v1\\.0\\.0\\.1 korvix$"));
    const QRegularExpressionMatch match = format.match(QString::fromLatin1(lines[0]));
    ASSERT_TRUE(match.hasMatch()) << lines[0].toStdString();
    const QDateTime stamped = QDateTime::fromString(match.captured(1), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    ASSERT_TRUE(stamped.isValid());
    EXPECT_LE(before, stamped);
    EXPECT_LE(stamped, after);
    // An empty text leaves the stamp with its blank.
    EXPECT_EQ(lines[1].size(), 20);
    EXPECT_TRUE(lines[1].endsWith(' '));
}

// Nothing earlier is lost: every log object appends, with or without a
// trailing separator on the directory.
TEST(LogFile, AppendsAcrossLogObjects)
{
    TempDir dir;
    dir.Write(QStringLiteral("Korvix.Bad"), "01.01.2020 10:00:00 earlier run\n");
    LogFile first(dir.Path(), {}, nullptr);
    LogFile second(dir.Path() + u'/', {}, nullptr);
    first.Write(QStringLiteral("один"));
    second.Write(QStringLiteral("два"));
    first.Write(QStringLiteral("три"));
    EXPECT_EQ(LogTexts(LogPathIn(dir.Path())),
              (QStringList{QStringLiteral("earlier run"), QStringLiteral("один"), QStringLiteral("два"),
                           QStringLiteral("три")}));
    EXPECT_EQ(first.FilePath(), QDir(dir.Path()).filePath(QStringLiteral("Korvix.Bad")));
}

// The suites run in a UTF-8 locale, so the local 8-bit form of a line is
// UTF-8; a lone surrogate has no form and is replaced, the line stays one line.
TEST(LogFile, TextInLocalEightBitEncoding)
{
    TempDir dir;
    LogFile log(dir.Path(), {}, nullptr);
    log.Write(QStringLiteral("Лифт № 5"));
    log.Write(QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b"));

    const QList<QByteArray> lines = FileLines(LogPathIn(dir.Path()));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].mid(20), QByteArray("\xD0\x9B\xD0\xB8\xD1\x84\xD1\x82 \xE2\x84\x96 5"));
    const QByteArray replaced = lines[1].mid(20);
    EXPECT_TRUE(replaced == "a?b" || replaced == "a\xEF\xBF\xBD" "b") << replaced.toHex().toStdString();
}

// Write shows the text without its stamp when asked, and only then.
TEST(LogFile, BoxOnlyWhenAsked)
{
    TempDir dir;
    RecordingPresenter presenter;
    LogFile log(dir.Path(), {}, &presenter);
    EXPECT_TRUE(log.Write(QStringLiteral("тихо")));
    EXPECT_TRUE(log.Write(QStringLiteral("громко"), true));
    ASSERT_EQ(presenter.m_Messages.size(), 1u);
    EXPECT_EQ(presenter.m_Messages[0].first, Icon::Error);
    EXPECT_EQ(presenter.m_Messages[0].second, QStringLiteral("громко"));
    EXPECT_EQ(LogTexts(LogPathIn(dir.Path())), (QStringList{QStringLiteral("тихо"), QStringLiteral("громко")}));
}

// --- When the log cannot be written where it belongs ----------------------------

// Ways to make the executable's directory unusable for the log that hold also
// for root, who may write into read-only directories.
enum class Blocked { MissingDirectory, FileAsDirectory, DirectoryAsLogFile, FullDevice };

struct BlockedCase
{
    const char *name;
    Blocked how;
};

void PrintTo(const BlockedCase &c, std::ostream *os)
{
    *os << c.name;
}

class UnwritableLog : public ::testing::TestWithParam<BlockedCase>
{
protected:
    void SetUp() override
    {
        switch (GetParam().how) {
        case Blocked::MissingDirectory:
            logDir = dir.FilePath(QStringLiteral("no/such/dir"));
            break;
        case Blocked::FileAsDirectory:
            logDir = dir.Write(QStringLiteral("plain-file"), "x");
            break;
        case Blocked::DirectoryAsLogFile:
            logDir = dir.FilePath(QStringLiteral("exe"));
            ASSERT_TRUE(QDir().mkpath(LogPathIn(logDir)));
            break;
        case Blocked::FullDevice:
            if (!QFileInfo::exists(QStringLiteral("/dev/full")))
                GTEST_SKIP() << "no /dev/full on this system";
            logDir = dir.FilePath(QStringLiteral("exe"));
            ASSERT_TRUE(QDir().mkpath(logDir));
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), LogPathIn(logDir)));
            break;
        }
    }

    TempDir dir;
    QString logDir;
    RecordingPresenter presenter;
};

// The lines go to the user's data directory, which is made when missing, and
// stay there for the rest of the run.
TEST_P(UnwritableLog, LinesGoToTheFallbackDirectory)
{
    const QString fallback = dir.FilePath(QStringLiteral("data/Tarvel/Korvix"));
    LogFile log(logDir, fallback, &presenter);
    EXPECT_TRUE(log.Write(QStringLiteral("первая")));
    EXPECT_TRUE(log.WriteError(QStringLiteral("вторая"), 0));
    EXPECT_EQ(LogTexts(LogPathIn(fallback)), (QStringList{QStringLiteral("первая"), QStringLiteral("вторая")}));
    EXPECT_EQ(QFileInfo(log.FilePath()).absoluteFilePath(), QFileInfo(LogPathIn(fallback)).absoluteFilePath());
    EXPECT_EQ(presenter.Errors(), QStringList{QStringLiteral("вторая")});
}

// Without a fallback the lines are lost, quietly, and the boxes still appear.
TEST_P(UnwritableLog, LinesLostBoxesShown)
{
    LogFile log(logDir, QString(), &presenter);
    EXPECT_TRUE(log.Write(QStringLiteral("строка")));
    EXPECT_TRUE(log.Write(QStringLiteral("окно"), true));
    EXPECT_TRUE(log.WriteError(QStringLiteral("ошибка"), 5));
    ASSERT_EQ(presenter.Errors().size(), 2);
    EXPECT_EQ(presenter.Errors()[0], QStringLiteral("окно"));
    EXPECT_TRUE(presenter.Errors()[1].startsWith(QStringLiteral("ошибка: 5 (0x5) - ")));
    EXPECT_TRUE(presenter.Information().isEmpty());
}

// A fallback that cannot be written either loses the lines the same way.
TEST_P(UnwritableLog, UnwritableFallbackToo)
{
    const QString fallback = dir.Write(QStringLiteral("another-file"), "x") + QStringLiteral("/data");
    LogFile log(logDir, fallback, &presenter);
    EXPECT_TRUE(log.Write(QStringLiteral("окно"), true));
    EXPECT_EQ(presenter.Errors(), QStringList{QStringLiteral("окно")});
}

INSTANTIATE_TEST_SUITE_P(Ways, UnwritableLog,
                         ::testing::Values(BlockedCase{"MissingDirectory", Blocked::MissingDirectory},
                                           BlockedCase{"FileAsDirectory", Blocked::FileAsDirectory},
                                           BlockedCase{"DirectoryAsLogFile", Blocked::DirectoryAsLogFile},
                                           BlockedCase{"FullDevice", Blocked::FullDevice}),
                         [](const ::testing::TestParamInfo<BlockedCase> &p) { return std::string(p.param.name); });

// A lost line leaves nothing behind: once the obstacle is gone, the next line
// is written, and it is the only one.
TEST(LogFile, WritesAgainOnceTheObstacleIsGone)
{
    TempDir dir;
    ASSERT_TRUE(QDir().mkpath(LogPathIn(dir.Path())));
    LogFile log(dir.Path(), QString(), nullptr);
    log.Write(QStringLiteral("потеряна"));
    ASSERT_TRUE(QDir().rmdir(LogPathIn(dir.Path())));
    log.Write(QStringLiteral("записана"));
    EXPECT_EQ(LogTexts(LogPathIn(dir.Path())), QStringList{QStringLiteral("записана")});
}

} // namespace
