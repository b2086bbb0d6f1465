#include "tests/cli/CliTestSupport.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// The log's lines that mention a text (other runs may write to the same log
// at the same time), without their time stamps.
QStringList LinesMentioning(const QString &logPath, const QString &text)
{
    QStringList lines;
    for (const QString &line : QString::fromLocal8Bit(ReadAll(logPath)).split(u'\n'))
        if (line.contains(text))
            lines.append(line.mid(20));
    return lines;
}

QString ExecutableLog()
{
    return QFileInfo(QStringLiteral(KORVIX_EXECUTABLE)).absolutePath() + QStringLiteral("/Korvix.Bad");
}

// Started in another directory, a run logs next to the executable: its start
// line with the quoted command line and the file it read.
TEST(LogLocation, NextToTheExecutable)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("мой файл.xml"), ReadAll(LayoutsFixture()));
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), path}, dir.Path());
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.FilePath(QStringLiteral("Korvix.Bad"))));
    const QStringList lines = LinesMentioning(ExecutableLog(), path);
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("Start v" KORVIX_PROJECT_VERSION " ") + QStringLiteral(KORVIX_EXECUTABLE)
                               + QStringLiteral(" --check '") + path + u'\'',
                           QStringLiteral("Loaded: ") + path}));
}

// A copy of the executable in a directory of its own, whose log file cannot
// be written: a directory in its place, or the full device.
class CopiedExecutable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(dir.FilePath(QStringLiteral("bin"))));
        program = dir.FilePath(QStringLiteral("bin/korvix"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KORVIX_EXECUTABLE), program));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.FilePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("HOME"), dir.Path());
    }
    QString BlockedLog() const { return dir.FilePath(QStringLiteral("bin/Korvix.Bad")); }
    QString FallbackLog() const { return dir.FilePath(QStringLiteral("data/Tarvel/Korvix/Korvix.Bad")); }
    QStringList FallbackTexts() const
    {
        QStringList texts;
        for (const QString &line : QString::fromLocal8Bit(ReadAll(FallbackLog())).split(u'\n', Qt::SkipEmptyParts))
            texts.append(line.mid(20));
        return texts;
    }

    TempDir dir;
    QString program;
    QProcessEnvironment environment = KorvixEnvironment();
};

TEST_F(CopiedExecutable, LogGoesToTheUserDataDirectory)
{
    ASSERT_TRUE(QDir().mkpath(BlockedLog()));
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), LayoutsFixture()}, dir.Path(), environment, program);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList texts = FallbackTexts();
    ASSERT_EQ(texts.size(), 3) << texts.join(u'\n').toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("Start v" KORVIX_PROJECT_VERSION " ") + program + QStringLiteral(" --check ")
                            + LayoutsFixture());
    EXPECT_EQ(texts[1], QStringLiteral("Loaded: ") + LayoutsFixture());
    EXPECT_EQ(texts[2], QStringLiteral("Stop"));
}

// On a full disk the error is still shown, and the lines go to the user's
// data directory.
TEST_F(CopiedExecutable, FullDiskStillShowsTheError)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full on this system";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), BlockedLog()));
    const QString bad = dir.Write(QStringLiteral("bad.xml"), "<PULT><DISP");
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), bad}, dir.Path(), environment, program);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    const QString error = QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 1, столбец 12: открывающий тег <DISP> не завершён знаком «>»");
    // Qt may warn about the device on standard error before it; the error line ends it.
    ASSERT_FALSE(run.ErrLines().isEmpty());
    EXPECT_EQ(run.ErrLines().last(), error);
    EXPECT_EQ(run.ErrLines().count(error), 1);
    const QStringList texts = FallbackTexts();
    ASSERT_EQ(texts.size(), 3) << texts.join(u'\n').toStdString();
    EXPECT_EQ(texts[1], error);
    EXPECT_EQ(texts[2], QStringLiteral("Stop"));
    EXPECT_TRUE(QFileInfo(BlockedLog()).isSymLink());
}

} // namespace
