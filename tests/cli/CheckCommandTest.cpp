#include <QProcess>

#include <gtest/gtest.h>

TEST(CheckCommand, ReportsTheExamplesMessages)
{
    QProcess process;
    process.start(QStringLiteral(KORVIX_EXECUTABLE),
                  {QStringLiteral("--check"), QStringLiteral(KORVIX_EXAMPLES_DIR "/moskva-sever.xml")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 3);
}
