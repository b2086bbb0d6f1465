// The window under files from other people's machines: after any refused
// file it must stay usable, with nothing left pointing into the discarded
// structure, and the next good file must open as usual. Also the ways a file
// reaches the window besides the dialog: dropped onto it.

#include "shell/CKorvixApp.h"
#include "shell/CMainFrame.h"
#include "shell/RecentFileList.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

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
    // Drops the URLs onto the main window as a file manager would, offering
    // `possible` and proposing the first of them it prefers. The action the
    // window took, or none when it refused the drop at any step.
    std::optional<Qt::DropAction> Drop(const QList<QUrl> &urls, Qt::DropActions possible = Qt::CopyAction,
                                       Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = Frame().rect().center();
        QDragEnterEvent enter(at, possible, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(&Frame(), &enter);
        if (!enter.isAccepted())
            return std::nullopt;
        QDragMoveEvent move(at, possible, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(&Frame(), &move);
        if (!move.isAccepted())
            return std::nullopt;
        QDropEvent drop(at, possible, &data, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(&Frame(), &drop);
        Settle();
        if (!drop.isAccepted())
            return std::nullopt;
        // What the source is told: Move makes it delete or move the file.
        EXPECT_EQ(move.dropAction(), drop.dropAction());
        return drop.dropAction();
    }
};

TEST_F(DroppedFile, OpensAsFileOpenWould)
{
    ASSERT_TRUE(Start());
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);

    EXPECT_EQ(Drop({QUrl::fromLocalFile(path)}), Qt::CopyAction);

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

    EXPECT_EQ(Drop({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}), std::nullopt);
    EXPECT_EQ(Drop({QUrl(QStringLiteral("https://example.org/structure.xml"))}), std::nullopt);

    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("файл без имени - Korvix"));
}

struct ProposedAction
{
    std::string name;
    Qt::DropActions possible; // the proposed action is the first of these Qt prefers: Move before Copy
    Qt::KeyboardModifiers modifiers;
    std::optional<Qt::DropAction> taken;
    friend void PrintTo(const ProposedAction &c, std::ostream *os) { *os << c.name; }
};

class DropProposingAnAction : public DroppedFile, public ::testing::WithParamInterface<ProposedAction>
{
};

// The file is only read: a drop is taken as a copy (or a link), never as a
// move, so the source never deletes or moves the user's file.
TEST_P(DropProposingAnAction, NeverTakesTheFile)
{
    const ProposedAction &c = GetParam();
    ASSERT_TRUE(Start());
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);

    EXPECT_EQ(Drop({QUrl::fromLocalFile(path)}, c.possible, c.modifiers), c.taken);

    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(Tree().topLevelItemCount() > 0, c.taken.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DropProposingAnAction,
    ::testing::Values(ProposedAction{"MoveOrCopy", Qt::MoveAction | Qt::CopyAction, Qt::NoModifier, Qt::CopyAction},
                      ProposedAction{"MoveWithShiftHeld", Qt::MoveAction | Qt::CopyAction | Qt::LinkAction,
                                     Qt::ShiftModifier, Qt::CopyAction},
                      ProposedAction{"MoveOrLink", Qt::MoveAction | Qt::LinkAction, Qt::NoModifier, Qt::LinkAction},
                      ProposedAction{"MoveOnly", Qt::MoveAction, Qt::NoModifier, std::nullopt}),
    CaseName<ProposedAction>);

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
