// The window under files from other people's machines: after any refused
// file it must stay usable, with nothing left pointing into the discarded
// structure, and the next good file must open as usual. Also the ways a file
// reaches the window besides the dialog: dropped onto it.

#include "CKorvixApp.h"
#include "CKorvixView.h"
#include "CMainFrame.h"
#include "CStructView.h"
#include "CommandId.h"
#include "RecentFileList.h"
#include "GuiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct HostileFile
{
    const char *name;
    QByteArray bytes;
    const char *reason; // part of the error the user sees
};

void PrintTo(const HostileFile &file, std::ostream *os)
{
    *os << file.name;
}

QByteArray NestedGroups(int depth)
{
    QByteArray xml = "<PULT><DISP Name=\"P\">";
    for (int i = 0; i < depth; ++i)
        xml += "<GROUP>";
    for (int i = 0; i < depth; ++i)
        xml += "</GROUP>";
    return xml + "</DISP></PULT>";
}

const HostileFile kHostileFiles[] = {
    {"BinaryGarbage", QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\xff\xfe", 18), "строка"},
    {"NulInsideAName", QByteArray("<PULT><DISP Name=\"a\0b\"/></PULT>", 30), "NUL"},
    {"InvalidUtf8", QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><PULT Name=\"\xC3\x28\"/>"), "UTF-8"},
    {"EncodingThatLies", QByteArray("<?xml version=\"1.0\" encoding=\"UTF-16\"?><PULT/>"), "UTF-16"},
    {"UnknownEncoding", QByteArray("<?xml version=\"1.0\" encoding=\"x-no-such-thing\"?><PULT/>"), "x-no-such-thing"},
    {"GroupsTooDeep", NestedGroups(100000), "256"},
    {"LetterInANumber", QByteArray("<PULT><DISP Name=\"P\" AskLift=\"+5x\"/></PULT>"), "AskLift"},
};

class WindowUnderHostileFile : public WindowTest, public ::testing::WithParamInterface<HostileFile>
{
};

TEST_P(WindowUnderHostileFile, StaysUsableAndTheNextFileOpens)
{
    const QString good = StartWithStations();
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    ASSERT_FALSE(TablePaint().empty());

    const QString hostile = WriteFile(QStringLiteral("hostile.xml"), GetParam().bytes);
    EXPECT_TRUE(Frame().OpenFile(hostile));
    Settle();

    const QStringList errors = m_Presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QString::fromUtf8(GetParam().reason))) << errors[0].toStdString();
    EXPECT_TRUE(Root().m_Children.empty());
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_TRUE(TablePaint().empty());
    // The table answers nothing and offers nothing without a current point.
    EXPECT_TRUE(Table().ContextMenuCommands(QPoint(10, 10)).isEmpty());
    Table().resize(Table().width() - 20, Table().height());
    Settle();
    EXPECT_TRUE(TablePaint().empty());

    // The next file opens and draws as usual.
    ASSERT_TRUE(Frame().OpenFile(good));
    Settle();
    EXPECT_GT(Tree().topLevelItemCount(), 0);
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    ASSERT_NE(Root().m_CurPunct, nullptr);
    EXPECT_TRUE(Root().m_CurPunct->m_Valid);
    EXPECT_FALSE(TablePaint().empty());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("stations.xml - Korvix"));
}

INSTANTIATE_TEST_SUITE_P(Files, WindowUnderHostileFile, ::testing::ValuesIn(kHostileFiles), CaseName<HostileFile>);

class SpecialFile : public WindowTest
{
};

#ifdef Q_OS_UNIX
// A FIFO is no document: refused at once (never waited on for a writer) and
// the structure on screen stays.
TEST_F(SpecialFile, FifoIsRefusedAndTheStructureStays)
{
    StartWithStations();
    const QString fifo = m_Dir.FilePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    EXPECT_FALSE(Frame().OpenFile(fifo));

    const QStringList errors = m_Presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("это не обычный файл"))) << errors[0].toStdString();
    EXPECT_GT(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("stations.xml - Korvix"));
}
#endif

class DroppedFile : public WindowTest
{
protected:
    // Drops the URLs onto the main window as a file manager would.
    bool Drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = Frame().rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &drop);
        Settle();
        return drop.isAccepted();
    }
};

TEST_F(DroppedFile, OpensAsFileOpenWould)
{
    ASSERT_TRUE(Start());
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);

    EXPECT_TRUE(Drop({QUrl::fromLocalFile(path)}));

    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("stations.xml - Korvix"));
    EXPECT_GT(Tree().topLevelItemCount(), 0);
    EXPECT_TRUE(LogTexts().contains(QStringLiteral("Loaded: ") + QDir::toNativeSeparators(path)));
    EXPECT_EQ(Frame().RecentFiles().Files().value(0), QDir::toNativeSeparators(path));
}

TEST_F(DroppedFile, SeveralFilesOrOtherUrlsAreNotTaken)
{
    ASSERT_TRUE(Start());
    const QString a = WriteFile(QStringLiteral("a.xml"), kStations);
    const QString b = WriteFile(QStringLiteral("b.xml"), kStations);

    EXPECT_FALSE(Drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.org/structure.xml"))}));

    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("файл без имени - Korvix"));
}

// File Open starts, the first time, in the examples installed beside the
// program (or, in a build, in the source tree's).
TEST(ExamplesDirectory, InstalledFirstThenSourceTreeElseNone)
{
    TempDir root;
    const QString bin = root.FilePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_TRUE(ExamplesDirectory(bin).isEmpty());

    const QString source = root.FilePath(QStringLiteral("examples"));
    ASSERT_TRUE(QDir().mkpath(source));
    EXPECT_EQ(ExamplesDirectory(bin), QDir::cleanPath(source));

    const QString installed = root.FilePath(QStringLiteral("share/korvix/examples"));
    ASSERT_TRUE(QDir().mkpath(installed));
    EXPECT_EQ(ExamplesDirectory(bin), QDir::cleanPath(installed));
}

} // namespace
