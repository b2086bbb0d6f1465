// The window as a whole: start-up and shutdown with their log lines, opening
// good, rejected, empty, missing and already open files, New, the title,
// the commands that are shown disabled, and the recent files.

#include "shell/CAboutDlg.h"
#include "shell/CKorvixDoc.h"
#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "shell/RecentFileList.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/QtPrinting.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest/QTest>
#include <QMenu>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QRegularExpression>
#include <QSplitter>
#include <QTreeWidgetItem>

namespace {

class MainWindow : public WindowTest
{
protected:
    QStringList LoadedLines() const { return LogTexts().filter(QRegularExpression(QStringLiteral("^Loaded: "))); }

    // The File menu as its texts, "-" for a separator.
    QStringList FileMenuTexts() const
    {
        QStringList texts;
        const QMenu *file = Frame().menuBar()->actions().value(0)->menu();
        for (const QAction *action : file->actions())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }
};

const QStringList kStationsTree{
    QStringLiteral("Север"),
    QStringLiteral("  пер. Пустой"),
    QStringLiteral("    д.9"),
    QStringLiteral("  ул. Тихая"),
    QStringLiteral("    д.10"),
    QStringLiteral("      Л3 - "),
    QStringLiteral("    д.2"),
    QStringLiteral("      л1 - 11"),
    QStringLiteral("      Л2 - 12"),
    QStringLiteral("  Ул. Якорная"),
    QStringLiteral("    Д. 5"),
    QStringLiteral("      Л1 - 21"),
    QStringLiteral("Юг"),
    QStringLiteral("  ул. Садовая"),
    QStringLiteral("    д.1"),
    QStringLiteral("      П1 - 501"),
    QStringLiteral("      П2 - 502"),
    QStringLiteral("      П3 - 503"),
    QStringLiteral("альфа"),
    QStringLiteral("  ул. Первая"),
    QStringLiteral("    д.1"),
    QStringLiteral("      А1 - 31"),
};

// --- start-up and shutdown ---------------------------------------------------------------------

TEST_F(MainWindow, RunLogsStartThenLoadedAndEndsWithStop)
{
    const QString path = StartWithStations();
    // The temporary path needs no quoting on the command line.
    ASSERT_TRUE(QRegularExpression(QStringLiteral("^[A-Za-z0-9/._-]+$")).match(path).hasMatch()) << path.toStdString();
    QStringList texts = LogTexts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), QStringLiteral("Start v1.0.0.1 korvix ") + path);
    EXPECT_EQ(LoadedLines(), QStringList{QStringLiteral("Loaded: ") + path});
    EXPECT_FALSE(texts.contains(QStringLiteral("Stop")));

    Stop();
    texts = LogTexts();
    EXPECT_EQ(texts.last(), QStringLiteral("Stop"));
    EXPECT_EQ(texts.count(QStringLiteral("Stop")), 1);
    EXPECT_EQ(texts.first(), QStringLiteral("Start v1.0.0.1 korvix ") + path);
}

TEST_F(MainWindow, StartWithoutAFileShowsAnUnnamedDocument)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("файл без имени - Korvix"));
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(LogTexts(), QStringList{QStringLiteral("Start v1.0.0.1 korvix")});
}

TEST_F(MainWindow, StartWithAMissingFileFailsAndStillEndsWithStop)
{
    const QString missing = m_Dir.FilePath(QStringLiteral("missing.xml"));
    EXPECT_FALSE(Start({missing}));
    const QStringList errors = m_Presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(missing)) << errors[0].toStdString();

    Stop();
    const QStringList texts = LogTexts();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("Start v1.0.0.1 korvix ") + missing, QStringLiteral("Stop")}));
}

// --- opening files -----------------------------------------------------------------------------

TEST_F(MainWindow, OpeningAFileFillsTheTreeInItsOrder)
{
    StartWithStations();
    // Points in the file's read order (by code unit: «альфа» last); below
    // them alphabetical without regard to case, houses as texts (10 before 2).
    EXPECT_EQ(TreeTexts(Tree()), kStationsTree);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("stations.xml - Korvix"));

    // Collapsed, nothing selected, and every item and its node know each other.
    EXPECT_TRUE(Tree().selectedItems().isEmpty());
    std::vector<QTreeWidgetItem *> items;
    for (int i = 0; i < Tree().topLevelItemCount(); ++i)
        items.push_back(Tree().topLevelItem(i));
    for (std::size_t i = 0; i < items.size(); ++i) {
        QTreeWidgetItem *item = items[i];
        for (int c = 0; c < item->childCount(); ++c)
            items.push_back(item->child(c));
        EXPECT_FALSE(item->isExpanded()) << item->text(0).toStdString();
        EXPECT_FALSE(item->icon(0).isNull()) << item->text(0).toStdString();
        CNodeB *node = CStructView::NodeOf(item);
        ASSERT_NE(node, nullptr) << item->text(0).toStdString();
        TreeItemHandle handle;
        switch (node->GetKind()) {
        case NodeKind::Punct: handle = static_cast<CPunct *>(node)->m_TreeItem; break;
        case NodeKind::Street: handle = static_cast<CStreet *>(node)->m_TreeItem; break;
        case NodeKind::Home: handle = static_cast<CHome *>(node)->m_TreeItem; break;
        case NodeKind::Lift: handle = static_cast<CLift *>(node)->m_TreeItem; break;
        default: ADD_FAILURE() << "an item for a node of kind " << node->GetKind();
        }
        EXPECT_EQ(handle, TreeItemHandle(item)) << item->text(0).toStdString();
    }
    EXPECT_EQ(items.size(), static_cast<std::size_t>(kStationsTree.size()));

    // The table waits for a draw command.
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_TRUE(TablePaint().empty());
}

// A well-formed file without PULT reads as an empty structure; the status
// bar says why the tree is empty, with no box, until another file is read.
TEST_F(MainWindow, AFileWithoutPultSaysSoInTheStatusBar)
{
    struct Case
    {
        const char *name;
        QByteArray xml;
        bool saysNoPult;
    };
    const Case cases[] = {
        {"OtherRoot", "<?xml version=\"1.0\"?><project><DISP Name=\"П\"/></project>", true},
        {"PultNotAtTheTop", "<?xml version=\"1.0\"?><root><PULT/></root>", true},
        {"EmptyPult", "<?xml version=\"1.0\"?><PULT/>", false},
        {"Malformed", kMalformed, false},
    };
    StartWithStations();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = WriteFile(QString::fromLatin1(c.name) + QStringLiteral(".xml"), c.xml);
        m_Presenter.Clear();
        ASSERT_TRUE(Frame().OpenFile(path));
        Settle();
        const QString shown = Frame().statusBar()->currentMessage();
        EXPECT_EQ(shown, c.saysNoPult ? QStringLiteral("В файле нет элемента PULT: структура пуста.") : QString());
        EXPECT_EQ(Tree().topLevelItemCount(), 0);
        if (c.saysNoPult) {
            EXPECT_TRUE(m_Presenter.m_Messages.empty());
        }
    }
    // The word goes with the next file read.
    const QString stations = WriteFile(QStringLiteral("again.xml"), kStations);
    ASSERT_TRUE(Frame().OpenFile(stations));
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty());
}

// The open dialog offers the structure files first, then every file.
TEST_F(MainWindow, OpenDialogOffersStructuresThenAllFiles)
{
    ASSERT_TRUE(Start());
    QStringList filters;
    QTimer::singleShot(0, [&filters] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QFileDialog *>(widget); dialog && dialog->isVisible()) {
                filters = dialog->nameFilters();
                dialog->reject();
            }
        }
    });
    Frame().OpenWithDialog();
    EXPECT_EQ(filters, (QStringList{QStringLiteral("Структуры(*.xml)"), QStringLiteral("Все файлы (*)")}));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("файл без имени - Korvix"));
}

TEST_F(MainWindow, RejectedFileEmptiesStructureTreeAndTable)
{
    StartWithStations();
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    ASSERT_FALSE(TablePaint().empty());
    const QString bad = WriteFile(QStringLiteral("bad.xml"), kMalformed);
    const qsizetype linesBefore = LogTexts().size();

    EXPECT_TRUE(Frame().OpenFile(bad));
    Settle();

    EXPECT_TRUE(Root().m_Children.empty());
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_TRUE(TablePaint().empty());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("bad.xml - Korvix"));
    const QStringList errors = m_Presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Ошибка m_XMLDOM->load: "))) << errors[0].toStdString();
    // One error line, the text of the box, and no "Loaded: ".
    EXPECT_EQ(LogTexts().mid(linesBefore), QStringList{errors[0]});
}

TEST_F(MainWindow, TheRejectedFileIsOpenAndIsReadAgainOnlyAfterNew)
{
    StartWithStations();
    const QString bad = WriteFile(QStringLiteral("bad.xml"), kMalformed);
    ASSERT_TRUE(Frame().OpenFile(bad));
    ASSERT_EQ(m_Presenter.Errors().size(), 1);

    EXPECT_TRUE(Frame().OpenFile(bad));
    EXPECT_EQ(m_Presenter.Errors().size(), 1) << "the open document was read again";

    Frame().Commands().Action(CommandId::FileNew)->trigger();
    EXPECT_TRUE(Frame().OpenFile(bad));
    EXPECT_EQ(m_Presenter.Errors().size(), 2);
}

TEST_F(MainWindow, ZeroLengthFileChangesOnlyTheTitle)
{
    StartWithStations();
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    CPunct *current = Root().m_CurPunct;
    QTreeWidgetItem *firstItem = Tree().topLevelItem(0);
    const QStringList linesBefore = LogTexts();
    const QString empty = WriteFile(QStringLiteral("empty.xml"), {});

    EXPECT_TRUE(Frame().OpenFile(empty));
    Settle();

    EXPECT_EQ(LogTexts(), linesBefore);
    EXPECT_TRUE(m_Presenter.m_Messages.empty());
    EXPECT_EQ(TreeTexts(Tree()), kStationsTree);
    EXPECT_EQ(Tree().topLevelItem(0), firstItem);
    EXPECT_EQ(Root().m_CurPunct, current);
    EXPECT_FALSE(TablePaint().empty());
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("empty.xml - Korvix"));
}

TEST_F(MainWindow, TheOpenFileIsNotReadAgain)
{
    const QString path = StartWithStations();
    QTreeWidgetItem *firstItem = Tree().topLevelItem(0);

    EXPECT_TRUE(Frame().OpenFile(path));
    EXPECT_TRUE(Frame().OpenFile(m_Dir.Path() + QStringLiteral("/./stations.xml")));
    EXPECT_EQ(LoadedLines().size(), 1);
    EXPECT_EQ(Tree().topLevelItem(0), firstItem);

    // After another file it is read again.
    const QString other = WriteFile(QStringLiteral("other.xml"), PultDocument("<DISP Name=\"Восток\"/>"));
    ASSERT_TRUE(Frame().OpenFile(other));
    EXPECT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("Восток")});
    ASSERT_TRUE(Frame().OpenFile(path));
    EXPECT_EQ(LoadedLines(), (QStringList{QStringLiteral("Loaded: ") + path, QStringLiteral("Loaded: ") + other,
                                          QStringLiteral("Loaded: ") + path}));
    EXPECT_EQ(TreeTexts(Tree()), kStationsTree);
}

TEST_F(MainWindow, AFileThatCannotBeOpenedChangesNothing)
{
    StartWithStations();
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    CPunct *current = Root().m_CurPunct;
    const QStringList linesBefore = LogTexts();
    const QString missing = m_Dir.FilePath(QStringLiteral("missing.xml"));

    EXPECT_FALSE(Frame().OpenFile(missing));
    Settle();

    const QStringList errors = m_Presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(missing)) << errors[0].toStdString();
    EXPECT_EQ(LogTexts(), linesBefore);
    EXPECT_EQ(TreeTexts(Tree()), kStationsTree);
    EXPECT_EQ(Root().m_CurPunct, current);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("stations.xml - Korvix"));
    EXPECT_FALSE(Frame().RecentFiles().Files().contains(missing));
}

// --- New ---------------------------------------------------------------------------------------

TEST_F(MainWindow, NewRenamesTheDocumentAndKeepsTheStructureOnScreen)
{
    const QString path = StartWithStations();
    RunTreeCommand({QStringLiteral("Север")}, CommandId::DrawByStreets);
    CPunct *current = Root().m_CurPunct;
    Frame().activateWindow();
    Settle();
    ASSERT_EQ(QApplication::activeWindow(), &Frame());

    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    Settle();

    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("файл без имени - Korvix"));
    EXPECT_EQ(TreeTexts(Tree()), kStationsTree);
    EXPECT_EQ(Root().m_CurPunct, current);
    EXPECT_FALSE(TablePaint().empty());
    EXPECT_TRUE(App().Document().PathName().isEmpty());
    // The file is no longer the open one: it is read again.
    ASSERT_TRUE(Frame().OpenFile(path));
    EXPECT_EQ(LoadedLines().size(), 2);
}

// --- commands, menus and panes -----------------------------------------------------------------

TEST_F(MainWindow, CommandsWithoutHandlerAndSavingAreDisabled)
{
    ASSERT_TRUE(Start());
    for (CommandId id : {CommandId::EditUndo, CommandId::EditCut, CommandId::EditCopy, CommandId::EditPaste,
                   CommandId::FilePrint, CommandId::FileSave, CommandId::FileSaveAs}) {
        const QAction *action = Frame().Commands().Action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_FALSE(action->isEnabled()) << id;
    }
    for (CommandId id : {CommandId::FileNew, CommandId::FileOpen, CommandId::AppAbout, CommandId::AppExit,
                   CommandId::CustomizeToolbars})
        EXPECT_TRUE(Frame().Commands().Action(id)->isEnabled()) << id;

    // The Edit menu shows them, greyed.
    const QMenu *edit = Frame().menuBar()->actions().value(1)->menu();
    ASSERT_NE(edit, nullptr);
    QList<CommandId> shown;
    for (const QAction *action : edit->actions()) {
        shown.append(action->isSeparator() ? CommandId::Separator : static_cast<CommandId>(action->data().toInt()));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
        }
    }
    EXPECT_EQ(shown, (QList<CommandId>{CommandId::EditUndo, CommandId::Separator, CommandId::EditCut, CommandId::EditCopy, CommandId::EditPaste}));
}

TEST_F(MainWindow, CommandsHaveTheirAccelerators)
{
    ASSERT_TRUE(Start());
    const std::vector<std::pair<CommandId, QList<QKeySequence>>> accelerators{
        {CommandId::FileNew, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {CommandId::FileOpen, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {CommandId::FileSave, {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {CommandId::EditUndo, {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {CommandId::EditCut, {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}},
        {CommandId::EditCopy, {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {CommandId::EditPaste, {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
        {CommandId::NextPane, {QKeySequence(Qt::Key_F6)}},
        {CommandId::PreviousPane, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
    };
    for (const auto &[id, keys] : accelerators) {
        const QList<QKeySequence> shortcuts = Frame().Commands().Action(id)->shortcuts();
        for (const QKeySequence &key : keys)
            EXPECT_TRUE(shortcuts.contains(key)) << id << ' ' << key.toString().toStdString();
    }
}

TEST_F(MainWindow, FileMenuHasNoNewButTheStandardToolbarHas)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(FileMenuTexts(), (QStringList{QStringLiteral("&Открыть...\tCtrl+O"), QStringLiteral("Об&новить\tF5"),
                                            QStringLiteral("Обновлять &сразу при изменении файла"),
                                            QStringLiteral("Со&хранить\tCtrl+S"),
                                            QStringLiteral("Сохранить &как..."), QStringLiteral("-"),
                                            QStringLiteral("Последний файл"), QStringLiteral("-"),
                                            QStringLiteral("В&ыход")}));
    QStringList menus;
    for (const QAction *menu : Frame().menuBar()->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"), QStringLiteral("&Вид"),
                                  QStringLiteral("П&ункт"), QStringLiteral("&Справка")}));
}

TEST_F(MainWindow, F6AndShiftF6MoveTheFocusToTheOtherPane)
{
    ASSERT_TRUE(Start());
    Frame().activateWindow();
    Tree().setFocus();
    Settle();
    ASSERT_EQ(QApplication::activeWindow(), &Frame());
    ASSERT_TRUE(Tree().hasFocus());

    QTest::keyClick(&Tree(), Qt::Key_F6);
    EXPECT_TRUE(Table().hasFocus());
    QTest::keyClick(&Table(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(Tree().hasFocus());
    QTest::keyClick(&Tree(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(Table().hasFocus());
}

TEST_F(MainWindow, SplitterHasTheTreeLeftAtItsInitialWidthAndTheTableRight)
{
    ASSERT_TRUE(Start());
    const QSplitter *splitter = Frame().Splitter();
    ASSERT_EQ(splitter->count(), 2);
    // The tree shares its pane with the find bar.
    EXPECT_TRUE(splitter->widget(0)->isAncestorOf(&Tree()));
    EXPECT_EQ(splitter->widget(1), static_cast<QWidget *>(&Table()));
    EXPECT_EQ(splitter->sizes().value(0), 300);
    EXPECT_GT(splitter->sizes().value(1), 100);
}

TEST_F(MainWindow, ClosingTheWindowKeepsItsStateForTheNextRun)
{
    ASSERT_TRUE(Start());
    QAction *statusBar = Frame().Commands().Action(CommandId::ViewStatusBar);
    ASSERT_TRUE(statusBar->isChecked());
    statusBar->trigger();
    Frame().resize(760, 520);
    Settle();
    Frame().Splitter()->setSizes({180, 560});
    Settle();
    const QList<int> panes = Frame().Splitter()->sizes();
    ASSERT_EQ(panes.value(0), 180) << "the splitter did not take the sizes";
    Frame().close();
    Stop();

    ASSERT_TRUE(Start());
    EXPECT_FALSE(Frame().Commands().Action(CommandId::ViewStatusBar)->isChecked());
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    EXPECT_EQ(Frame().size(), QSize(760, 520));
    EXPECT_EQ(Frame().Splitter()->sizes(), panes);
}

TEST(AboutDialog, IsFixedInSize)
{
    CAboutDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.size(), dialog.minimumSize());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
}

TEST(AboutDialog, NamesTheProgramAndItsVersion)
{
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("О проекте Korvix"));
    const QLabel *text = dialog.findChild<QLabel *>(QStringLiteral("aboutText"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), QStringLiteral("Korvix, версия 1.0"));
    const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), QStringLiteral("ОК"));
    EXPECT_TRUE(buttons[0]->isDefault());
}

// The dialog template's places, in dialog units of the dialog's font: the
// text beside the icon, not pushed to the right edge; nothing cut.
TEST(AboutDialog, PlacesIconTextAndButtonAsItsTemplate)
{
    CAboutDlg dialog;
    dialog.show();
    const QFontMetrics metrics(dialog.font());
    const auto units = [&metrics](int x, int y, int w, int h) {
        return CAboutDlg::DialogUnitsToPixels(metrics, QRect(x, y, w, h));
    };
    const auto *icon = dialog.findChild<QLabel *>(QStringLiteral("aboutIcon"));
    const auto *text = dialog.findChild<QLabel *>(QStringLiteral("aboutText"));
    const auto *ok = dialog.findChild<QPushButton *>();
    ASSERT_TRUE(icon && text && ok);
    EXPECT_EQ(dialog.size(), units(0, 0, 170, 62).size());
    EXPECT_EQ(icon->pos(), units(14, 14, 0, 0).topLeft());
    EXPECT_EQ(text->geometry(), units(42, 14, 114, 8));
    EXPECT_EQ(ok->geometry(), units(113, 41, 50, 14));
    EXPECT_LT(icon->geometry().right(), text->x()) << "the text overlaps the icon";
    EXPECT_GE(text->width(), metrics.horizontalAdvance(text->text())) << "the text is cut";
    EXPECT_GE(text->height(), metrics.height());
    EXPECT_TRUE(dialog.rect().contains(ok->geometry()));
}

// --- recent files ------------------------------------------------------------------------------

TEST_F(MainWindow, RecentFilesKeepTheLastFourAndPersist)
{
    ASSERT_TRUE(Start());
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths.append(WriteFile(QStringLiteral("s%1.xml").arg(i),
                               PultDocument("<DISP Name=\"П" + QByteArray::number(i) + "\"/>")));
        ASSERT_TRUE(Frame().OpenFile(paths.last()));
    }
    const QStringList newestFirst{paths[4], paths[3], paths[2], paths[1]};
    EXPECT_EQ(Frame().RecentFiles().Files(), newestFirst);
    EXPECT_EQ(FileMenuTexts().mid(6, 4),
              (QStringList{QStringLiteral("&1 ") + paths[4], QStringLiteral("&2 ") + paths[3],
                           QStringLiteral("&3 ") + paths[2], QStringLiteral("&4 ") + paths[1]}));

    Stop();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().RecentFiles().Files(), newestFirst);

    // An entry opens its file and moves to the top.
    const QMenu *file = Frame().menuBar()->actions().value(0)->menu();
    QAction *third = nullptr;
    for (QAction *action : file->actions())
        if (action->text() == QStringLiteral("&3 ") + paths[2])
            third = action;
    ASSERT_NE(third, nullptr);
    third->trigger();
    Settle();
    EXPECT_EQ(LoadedLines().last(), QStringLiteral("Loaded: ") + paths[2]);
    EXPECT_EQ(Frame().RecentFiles().Files(), (QStringList{paths[2], paths[4], paths[3], paths[1]}));
    EXPECT_EQ(TreeTexts(Tree()), QStringList{QStringLiteral("П3")});
}

} // namespace
