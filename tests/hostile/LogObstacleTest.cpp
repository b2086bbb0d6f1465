// The log where it cannot be written: in a read-only executable directory,
// at a path taken by a directory, on a full disk. Every load still completes,
// every message is still shown, and with a fallback directory every line
// lands there instead.

#include "tests/hostile/HostileSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Outcome = StructureFileOpen::Outcome;

enum class Obstacle { ReadOnlyDirectory, LogPathIsDirectory, FullDisk };

struct ObstacleCase
{
    const char *name;
    Obstacle obstacle;
    bool fallback;
};

[[maybe_unused]] void PrintTo(const ObstacleCase &c, std::ostream *os)
{
    *os << c.name;
}

QString LogIn(const QString &directory)
{
    return QDir(directory).filePath(QStringLiteral("Korvix.Bad"));
}

// The executable's directory with its obstacle, a home for the fallback and
// the structure files, all reachable by an ordinary user when a case runs as
// one.
class LogObstacle : public ::testing::TestWithParam<ObstacleCase>
{
protected:
    void SetUp() override
    {
        const QByteArray top = QFile::encodeName(dir.Path());
        ASSERT_EQ(::chmod(top.constData(), 0755), 0);
        exeDir = dir.FilePath(QStringLiteral("exe"));
        ASSERT_TRUE(QDir().mkpath(exeDir));
        homeDir = dir.FilePath(QStringLiteral("home"));
        ASSERT_TRUE(QDir().mkpath(homeDir));
        // The fallback's parents are made by the log itself, as whoever runs.
        ASSERT_EQ(::chmod(QFile::encodeName(homeDir).constData(), 0777), 0);
        fallbackDir = QDir(homeDir).filePath(QStringLiteral(".local/share/Tarvel/Korvix"));

        switch (GetParam().obstacle) {
        case Obstacle::ReadOnlyDirectory:
            ASSERT_EQ(::chmod(QFile::encodeName(exeDir).constData(), 0555), 0);
            break;
        case Obstacle::LogPathIsDirectory:
            ASSERT_TRUE(QDir().mkpath(LogIn(exeDir)));
            break;
        case Obstacle::FullDisk:
            if (!QFileInfo::exists(QStringLiteral("/dev/full")))
                GTEST_SKIP() << "no /dev/full on this system";
            ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), LogIn(exeDir)));
            break;
        }
        good = dir.Write(QStringLiteral("good.xml"), TwoPointFixture());
        bad = dir.Write(QStringLiteral("bad.xml"), "<?xml version=\"1.0\"?>\n<PULT>\n<DISP Name=\"P\">\n</PULT>\n");
        missing = dir.FilePath(QStringLiteral("missing.xml"));
    }

    // Root writes into read-only directories: the read-only case runs as an
    // ordinary user. The other obstacles stop root as well.
    void Run(const std::function<void()> &check)
    {
        if (GetParam().obstacle == Obstacle::ReadOnlyDirectory)
            AsOrdinaryUser(check);
        else
            check();
    }

    // The obstacle is still there: the log never removed or replaced it.
    void ExpectObstacleIntact() const
    {
        const QFileInfo log(LogIn(exeDir));
        switch (GetParam().obstacle) {
        case Obstacle::ReadOnlyDirectory:
            EXPECT_FALSE(log.exists());
            EXPECT_TRUE(QDir(exeDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
            break;
        case Obstacle::LogPathIsDirectory:
            EXPECT_TRUE(log.isDir());
            break;
        case Obstacle::FullDisk:
            EXPECT_EQ(log.symLinkTarget(), QStringLiteral("/dev/full"));
            break;
        }
    }

    TempDir dir;
    QString exeDir;
    QString homeDir;
    QString fallbackDir;
    QString good;
    QString bad;
    QString missing;
};

// The log object alone: a line and an error line.
TEST_P(LogObstacle, LogFileShowsTheErrorAndKeepsTheLinesInTheFallback)
{
    Run([&] {
        RecordingPresenter presenter;
        LogFile log(exeDir, GetParam().fallback ? fallbackDir : QString(), &presenter);
        EXPECT_TRUE(log.Write(QStringLiteral("Start")));
        EXPECT_TRUE(log.WriteError(QStringLiteral("Ошибка"), 5));
        ASSERT_EQ(presenter.Errors().size(), 1);
        EXPECT_TRUE(presenter.Errors()[0].startsWith(QStringLiteral("Ошибка: 5 (0x5) - ")));
        if (GetParam().fallback) {
            EXPECT_EQ(QFileInfo(log.FilePath()).absoluteFilePath(), QFileInfo(LogIn(fallbackDir)).absoluteFilePath());
            const QString text = QString::fromLocal8Bit(ReadAll(LogIn(fallbackDir)));
            EXPECT_TRUE(LogHasLineEndingWith(text, QStringLiteral("Start"))) << text.toStdString();
            EXPECT_TRUE(LogHasLineEndingWith(text, presenter.Errors()[0])) << text.toStdString();
        } else {
            EXPECT_FALSE(QFileInfo::exists(LogIn(fallbackDir)));
        }
        ExpectObstacleIntact();
    });
}

// A whole session: a good file, a rejected one and one that cannot be opened.
TEST_P(LogObstacle, LoadsCompleteAndMessagesAreShown)
{
    Run([&] {
        Session session(exeDir, GetParam().fallback ? fallbackDir : QString());

        const OpenRun loaded = session.Open(good);
        EXPECT_EQ(loaded.outcome, Outcome::Loaded);
        EXPECT_EQ(loaded.points.size(), 2);
        EXPECT_EQ(loaded.validLayouts, 6);
        EXPECT_TRUE(loaded.errors.isEmpty());

        const OpenRun rejected = session.Open(bad);
        EXPECT_EQ(rejected.outcome, Outcome::Rejected);
        ASSERT_EQ(rejected.errors.size(), 1);
        EXPECT_TRUE(rejected.errors[0].startsWith(QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 4, ")))
            << rejected.errors[0].toStdString();
        EXPECT_TRUE(session.root->m_Children.empty());

        const OpenRun unopened = session.Open(missing);
        EXPECT_EQ(unopened.outcome, Outcome::CannotOpen);
        EXPECT_TRUE(unopened.message.endsWith(QStringLiteral(": файл не найден."))) << unopened.message.toStdString();

        const QString log = QString::fromLocal8Bit(ReadAll(LogIn(fallbackDir)));
        if (GetParam().fallback) {
            EXPECT_TRUE(LogHasLineEndingWith(log, QStringLiteral("Loaded: ") + good)) << log.toStdString();
            EXPECT_TRUE(LogHasLineEndingWith(log, rejected.errors[0])) << log.toStdString();
            // The layouts' trace lines went there too.
            EXPECT_TRUE(log.contains(QStringLiteral("RePlaseTab 1 aSizeWin (1280,800) ОДС-1 Север")));
        } else {
            EXPECT_TRUE(log.isEmpty());
        }
        ExpectObstacleIntact();
    });
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, LogObstacle,
    ::testing::Values(ObstacleCase{"ReadOnlyDirectory", Obstacle::ReadOnlyDirectory, true},
                      ObstacleCase{"ReadOnlyDirectoryNoFallback", Obstacle::ReadOnlyDirectory, false},
                      ObstacleCase{"LogPathIsDirectory", Obstacle::LogPathIsDirectory, true},
                      ObstacleCase{"LogPathIsDirectoryNoFallback", Obstacle::LogPathIsDirectory, false},
                      ObstacleCase{"FullDisk", Obstacle::FullDisk, true},
                      ObstacleCase{"FullDiskNoFallback", Obstacle::FullDisk, false}),
    [](const ::testing::TestParamInfo<ObstacleCase> &p) { return std::string(p.param.name); });

} // namespace
