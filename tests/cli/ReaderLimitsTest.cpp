// What --check does at the reader's limits: a document that needs an
// external entity, and memory that runs out.

#include "tests/cli/CliTestSupport.h"
#include "tests/support/TempDir.h"

#include <QFileInfo>
#include <QUuid>

#include <gtest/gtest.h>

#include <set>

namespace {

QString ExecutableLog()
{
    return QFileInfo(QStringLiteral(KORVIX_EXECUTABLE)).absolutePath() + QStringLiteral("/Korvix.Bad");
}

// The named file is never opened, so nothing of it can show: not on either
// output, not in the log.
TEST(ReaderLimits, ExternalEntityIsRefusedAndNothingOfItShows)
{
    TempDir dir;
    const QString secret = QStringLiteral("KORVIX-SECRET-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString secretPath = dir.Write(QStringLiteral("secret.txt"), secret.toUtf8());
    const QString path = dir.Write(QStringLiteral("structure.xml"),
                                   "<!DOCTYPE PULT [<!ENTITY x SYSTEM \"" + secretPath.toUtf8()
                                       + "\">]>\n<PULT><DISP Name=\"P\">&x;</DISP></PULT>");
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), path});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    ASSERT_FALSE(run.ErrLines().isEmpty());
    EXPECT_EQ(run.ErrLines().last(), QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 2, столбец 25: документ "
                                                    "ссылается на внешнюю сущность «x», а внешние сущности не читаются"));
    EXPECT_FALSE(QString::fromUtf8(run.out + run.err).contains(secret));
    EXPECT_FALSE(QString::fromLocal8Bit(ReadAll(ExecutableLog())).contains(secret));
}

// A structure of `lifts` lifts with tables, some megabytes of XML.
[[maybe_unused]] QByteArray LargeStructure(int lifts)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PULT Name=\"P\">\n<DISP Name=\"D\">\n";
    for (int i = 0; i < lifts; ++i) {
        if (i % 100 == 0)
            xml += (i ? "</HOME></STREET>\n" : "") + QByteArray("<STREET Name=\"ул. ") + QByteArray::number(i)
                + "\"><HOME Name=\"д. 1\">\n";
        const QByteArray n = QByteArray::number(i);
        xml += "<LIFT Name=\"" + n + "\" IdDB=\"" + n + "\" SubNet=\"1\" Comment=\"лифт " + n
            + "\"><TabState><State Number=\"1\" Name=\"s\"/><State Number=\"2\" Name=\"t\"/></TabState></LIFT>\n";
    }
    return xml + "</HOME></STREET>\n</DISP>\n</PULT>\n";
}

// Under ever smaller address-space limits a run ends either reading the file
// or with the out-of-memory load error: never an abort.
TEST(ReaderLimits, OutOfMemoryIsALoadErrorNotAnAbort)
{
#if defined(KORVIX_SANITIZED_BUILD)
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit here leaves";
#else
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("large.xml"), LargeStructure(60000));
    const QString outOfMemory = QStringLiteral("Ошибка m_XMLDOM->load: -2147024882 (0x8007000e) - недостаточно памяти");
    // Where memory runs out outside the read itself.
    const QString lastResort = QStringLiteral("Недостаточно памяти: Korvix завершает работу.");
    std::set<int> endings;
    for (int megabytes = 400; megabytes >= 60; megabytes -= 20) {
        const QString script = QStringLiteral("ulimit -v %1 && exec \"$0\" --check \"$1\"").arg(megabytes * 1024);
        const KorvixRun run = RunKorvix({QStringLiteral("-c"), script, QStringLiteral(KORVIX_EXECUTABLE), path}, {},
                                        KorvixEnvironment(), QStringLiteral("/bin/sh"));
        ASSERT_TRUE(run.finished) << megabytes << " MB: " << run.err.toStdString();
        // Below some limit the program's libraries no longer load (127).
        if (run.exitCode == 0 || run.exitCode == 127)
            continue;
        ASSERT_EQ(run.exitCode, 1) << megabytes << " MB: " << run.err.toStdString();
        ASSERT_FALSE(run.ErrLines().isEmpty()) << megabytes << " MB";
        const QString last = run.ErrLines().last();
        EXPECT_TRUE(last.startsWith(outOfMemory) || last == lastResort) << megabytes << " MB: " << run.err.toStdString();
        if (last.startsWith(outOfMemory))
            endings.insert(megabytes);
    }
    EXPECT_FALSE(endings.empty()) << "no limit made the read run out of memory";
#endif
}

} // namespace
