// Inputs the fuzzer once found, replayed on the fuzzer's own path, and the
// bundled example as the input that is always there. Each one runs in a
// child process, so that a crash names its input and the others still run.

#include "fuzz/StructureInput.h"
#include "tests/hostile/HostileSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using Outcome = StructureFileOpen::Outcome;

struct FuzzInput
{
    QString path;
    QByteArray bytes; // as the fuzzer takes them: the document, then the table size in four bytes
};

QByteArray WithTableSize(QByteArray document, int width, int height)
{
    for (const int v : {width, height}) {
        document.append(static_cast<char>(v & 0xFF));
        document.append(static_cast<char>((v >> 8) & 0xFF));
    }
    return document;
}

std::vector<FuzzInput> Inputs()
{
    std::vector<FuzzInput> inputs;
    const QDir regressions(QStringLiteral(KORVIX_FUZZ_REGRESSIONS_DIR));
    for (const QFileInfo &file : regressions.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        inputs.push_back({file.absoluteFilePath(), ReadAll(file.absoluteFilePath())});
    const QString example = QStringLiteral(KORVIX_EXAMPLES_DIR "/moskva-sever.xml");
    inputs.push_back({example, WithTableSize(ReadAll(example), 1280, 800)});
    return inputs;
}

TEST(FuzzRegression, EveryInputEndsWithoutACrash)
{
    const std::vector<FuzzInput> inputs = Inputs();
    // The example is always among them, and it is no empty input.
    ASSERT_FALSE(inputs.empty());
    ASSERT_GT(inputs.back().bytes.size(), 50000);
    for (const FuzzInput &input : inputs) {
        SCOPED_TRACE(input.path.toStdString());
        EXPECT_EXIT(
            {
                RunStructureInput(reinterpret_cast<const std::uint8_t *>(input.bytes.constData()),
                                  static_cast<std::size_t>(input.bytes.size()));
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

// The document part of each input, opened as a file: it loads, or it is
// rejected with one error that is shown and logged.
TEST(FuzzRegression, EveryDocumentEndsClearlyWhenOpenedAsAFile)
{
    TempDir dir;
    for (const FuzzInput &input : Inputs()) {
        SCOPED_TRACE(input.path.toStdString());
        const QByteArray document = input.bytes.chopped(std::min<qsizetype>(4, input.bytes.size()));
        const QString path = dir.Write(QStringLiteral("input.xml"), document);
        Session session;
        const OpenRun run = session.Open(path);
        switch (run.outcome) {
        case Outcome::Loaded:
            EXPECT_TRUE(run.errors.isEmpty()) << run.errors.join(u'\n').toStdString();
            EXPECT_TRUE(run.log.contains(QStringLiteral("Loaded: ") + path));
            break;
        case Outcome::Rejected:
            ASSERT_EQ(run.errors.size(), 1);
            EXPECT_TRUE(LogHasLineEndingWith(run.log, run.errors[0])) << run.log.toStdString();
            EXPECT_TRUE(session.root->m_Children.empty());
            break;
        case Outcome::EmptyFile:
            EXPECT_TRUE(document.isEmpty());
            EXPECT_TRUE(run.errors.isEmpty());
            EXPECT_TRUE(run.log.isEmpty());
            break;
        case Outcome::CannotOpen:
            ADD_FAILURE() << "a regular file could not be opened: " << run.message.toStdString();
            break;
        }
        if (input.path.endsWith(QStringLiteral("moskva-sever.xml"))) {
            EXPECT_EQ(run.outcome, Outcome::Loaded);
            EXPECT_EQ(run.points.size(), 4);
            EXPECT_EQ(run.validLayouts, run.layouts);
        }
    }
}

} // namespace
