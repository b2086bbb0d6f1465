// The window from the keyboard alone: context menus of the tree and the
// table (Menu key, Shift+F10), Return on a dispatch point, the menu bar's
// draw and colour commands, F10 and the menus' mnemonics in a Latin and a
// Russian layout.

#include "model/ResString.h"
#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QtTest/QTest>

#include <functional>

namespace {

const QString kNorth = QStringLiteral("Север");
const QString kSouth = QStringLiteral("Юг");
const QString kQuiet = QStringLiteral("ул. Тихая");

QStringList Texts(const QList<CommandId> &commands)
{
    QStringList texts;
    for (CommandId command : commands)
        texts.append(LoadResString(PromptOf(command)));
    return texts;
}

// A key click as the keyboard gives it: QTest makes the text of ASCII keys
// only, and a Russian layout gives a Cyrillic letter its own.
void Click(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (key >= 0x410 && key <= 0x42F)
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(QChar(key)).toLower(), modifiers);
    else
        QTest::keyClick(widget, key, modifiers);
}

// What a popup menu showed when it opened.
struct PopupSeen
{
    bool opened = false;
    QStringList texts; // "-" for a separator
    QPoint position;   // top left, on the screen
    QString title;
};

// Runs `press` and, once a popup menu opens (also one that `press` runs
// modally), reads it and sends it `answer` keys; a popup still open after
// them is closed. Waits a little for a popup that never opens.
PopupSeen PressAndAnswer(const std::function<void()> &press, const QList<QKeyCombination> &answer)
{
    PopupSeen seen;
    QWidget *const window = QApplication::activeWindow();
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || seen.opened)
            return;
        seen.opened = true;
        seen.position = menu->pos();
        seen.title = menu->title();
        for (const QAction *action : menu->actions())
            seen.texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        for (const QKeyCombination key : answer) {
            QWidget *popup = QApplication::activePopupWidget();
            if (!popup)
                break;
            Click(popup, key.key(), key.keyboardModifiers());
        }
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    timer.start();
    press();
    QElapsedTimer waited;
    waited.start();
    while (!seen.opened && waited.elapsed() < 300)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    timer.stop();
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    // A popup closed within milliseconds can be activated by the platform
    // after it closed, and the window's shortcuts (F10 among them) would not
    // answer: no user is that quick. QTest::qWaitForWindowActive cannot tell,
    // as a window counts as active while a popup of its own is.
    if (window && window->windowType() != Qt::Popup && QApplication::activeWindow() != window) {
        window->activateWindow();
        waited.restart();
        while (QApplication::activeWindow() != window && waited.elapsed() < 1000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(QApplication::activeWindow(), window);
    }
    return seen;
}

class KeyboardOnly : public WindowTest
{
protected:
    void Press(QWidget &widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Click(&widget, key, modifiers);
        Settle();
    }

    // Walks the tree to an item with Home, Down and Right, as a user would.
    void SelectByKeys(const QStringList &path)
    {
        CStructView &tree = Tree();
        tree.setFocus(Qt::TabFocusReason);
        Press(tree, Qt::Key_Home);
        for (qsizetype level = 0; level < path.size(); ++level) {
            if (level > 0) {
                Press(tree, Qt::Key_Right); // open the branch
                Press(tree, Qt::Key_Down);  // its first child
            }
            for (int step = 0; step < 20 && tree.currentItem() && tree.currentItem()->text(0) != path[level]; ++step)
                Press(tree, Qt::Key_Down);
        }
        ASSERT_EQ(tree.currentItem(), Item(path)) << path.join(u'/').toStdString();
    }

    QAction *Command(CommandId id) const { return Frame().Commands().Action(id); }

    QList<CommandId> EnabledPointCommands() const
    {
        QList<CommandId> enabled;
        for (CommandId id : {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground, CommandId::StreetBackground})
            if (Command(id)->isEnabled())
                enabled.append(id);
        return enabled;
    }
};

// --- the tree's menu ---------------------------------------------------------------------------

struct TreeMenuCase
{
    std::string name;
    QStringList path;
    bool drawNorthFirst;
    QKeyCombination key;
    QList<CommandId> expected; // empty: no menu opens
};

class TreeMenuKeys : public KeyboardOnly, public ::testing::WithParamInterface<TreeMenuCase>
{
};

TEST_P(TreeMenuKeys, OpenTheSelectedItemsMenuBelowIt)
{
    const TreeMenuCase &c = GetParam();
    StartWithStations();
    if (c.drawNorthFirst) {
        SelectByKeys({kNorth});
        Press(Tree(), Qt::Key_Return);
        ASSERT_EQ(Root().m_CurPunct, &PointNamed(Root(), kNorth));
    }
    SelectByKeys(c.path);
    const PopupSeen seen =
        PressAndAnswer([&] { Press(Tree(), c.key.key(), c.key.keyboardModifiers()); }, {Qt::Key_Escape});
    ASSERT_EQ(seen.opened, !c.expected.isEmpty());
    if (!seen.opened)
        return;
    EXPECT_EQ(seen.texts, Texts(c.expected));
    // At the item, wherever the mouse is.
    const QRect item = Tree().visualItemRect(Tree().currentItem());
    const QPoint itemBottom = Tree().viewport()->mapToGlobal(item.bottomLeft());
    EXPECT_NEAR(seen.position.y(), itemBottom.y(), 2);
    EXPECT_GE(seen.position.x(), itemBottom.x());
    EXPECT_LT(seen.position.x(), Tree().viewport()->mapToGlobal(item.bottomRight()).x());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TreeMenuKeys,
    ::testing::Values(
        TreeMenuCase{"PointByMenuKey", {kNorth}, false, Qt::Key_Menu, {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground}},
        TreeMenuCase{"PointByShiftF10", {kSouth}, false, Qt::SHIFT | Qt::Key_F10, {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground}},
        TreeMenuCase{"StreetOfTheDrawnPoint", {kNorth, kQuiet}, true, Qt::Key_Menu, {CommandId::StreetBackground}},
        TreeMenuCase{"StreetOfAnotherPoint", {kSouth, QStringLiteral("ул. Садовая")}, true, Qt::Key_Menu, {}},
        TreeMenuCase{"House", {kNorth, kQuiet, QStringLiteral("д.10")}, true, Qt::SHIFT | Qt::Key_F10, {}}),
    CaseName<TreeMenuCase>);

TEST_F(KeyboardOnly, ChoosingFromTheTreesMenuRunsTheCommand)
{
    StartWithStations();
    SelectByKeys({kSouth});
    PressAndAnswer([&] { Press(Tree(), Qt::Key_Menu); }, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    CPunct &south = PointNamed(Root(), kSouth);
    EXPECT_EQ(Root().m_CurPunct, &south);
    EXPECT_TRUE(south.m_TwoCol) << "the second item draws in two columns";
}

// A platform that turns the Menu key into a context-menu event of its own
// (X11) delivers the key press after it: one menu, not two.
TEST_F(KeyboardOnly, MenuKeyAfterThePlatformsOwnEventOpensOneMenu)
{
    StartWithStations();
    SelectByKeys({kNorth});
    int menus = 0;
    const auto countMenus = [&] {
        menus += PressAndAnswer(
                     [&] {
                         QContextMenuEvent platform(QContextMenuEvent::Keyboard, QPoint(1, 1), Tree().mapToGlobal(QPoint(1, 1)));
                         QCoreApplication::sendEvent(&Tree(), &platform);
                     },
                     {Qt::Key_Escape})
                     .opened;
        menus += PressAndAnswer([&] { Press(Tree(), Qt::Key_Menu); }, {Qt::Key_Escape}).opened;
    };
    countMenus();
    EXPECT_EQ(menus, 1);
    menus = 0;
    // Shift+F10 is never doubled by the platform, so it always opens one.
    menus += PressAndAnswer([&] { Press(Tree(), Qt::Key_F10, Qt::ShiftModifier); }, {Qt::Key_Escape}).opened;
    EXPECT_EQ(menus, 1);
}

// --- Return and the point menu -----------------------------------------------------------------

TEST_F(KeyboardOnly, ReturnDrawsAPointInTheLastModeUsed)
{
    StartWithStations();
    SelectByKeys({kNorth});
    Press(Tree(), Qt::Key_Return);
    CPunct &north = PointNamed(Root(), kNorth);
    ASSERT_EQ(Root().m_CurPunct, &north);
    EXPECT_FALSE(north.m_TwoCol || north.m_ByProvider) << "by streets before any other mode was used";

    SelectByKeys({kSouth});
    Press(Tree(), Qt::Key_3, Qt::ControlModifier); // by controller
    ASSERT_EQ(Root().m_CurPunct, &PointNamed(Root(), kSouth));

    SelectByKeys({kNorth});
    Press(Tree(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(Root().m_CurPunct, &north);
    EXPECT_TRUE(north.m_ByProvider);

    // On anything but a point Return draws nothing.
    SelectByKeys({kSouth, QStringLiteral("ул. Садовая")});
    Press(Tree(), Qt::Key_Return);
    EXPECT_EQ(Root().m_CurPunct, &north);
}

TEST_F(KeyboardOnly, PointMenuCarriesTheCommandsForTheSelection)
{
    ASSERT_TRUE(Start());
    QMenu *menu = Frame().menuBar()->findChild<QMenu *>(QStringLiteral("pointMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    QStringList expected = Texts({CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController});
    expected << QStringLiteral("-") << Texts({CommandId::PointBackground, CommandId::AllStreetsBackground, CommandId::StreetBackground});
    expected << QStringLiteral("-") << QStringLiteral("&Найти...\tCtrl+F") << QStringLiteral("Найти &далее\tF3")
             << QStringLiteral("Найти &ранее\tShift+F3");
    EXPECT_EQ(texts, expected);
    int digit = 1;
    for (CommandId id : {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground, CommandId::StreetBackground})
        EXPECT_EQ(Command(id)->shortcut(), QKeySequence(QStringLiteral("Ctrl+%1").arg(digit++))) << id;

    EXPECT_EQ(EnabledPointCommands(), QList<CommandId>{}) << "no structure";
    ASSERT_TRUE(Frame().OpenFile(WriteFile(QStringLiteral("stations.xml"), kStations)));
    const QStringList house{kNorth, kQuiet, QStringLiteral("д.2")};
    SelectByKeys(house);
    EXPECT_EQ(EnabledPointCommands(), (QList<CommandId>{CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground}));

    // Drawn from a house: the house's point; its street's colour then applies.
    Press(Tree(), Qt::Key_2, Qt::ControlModifier);
    CPunct &north = PointNamed(Root(), kNorth);
    ASSERT_EQ(Root().m_CurPunct, &north);
    EXPECT_TRUE(north.m_TwoCol);
    EXPECT_EQ(EnabledPointCommands(), (QList<CommandId>{CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground, CommandId::StreetBackground}));

    m_Colours.Answer(0x00C000);
    Press(Tree(), Qt::Key_6, Qt::ControlModifier);
    EXPECT_EQ(StreetNamed(north, kQuiet).m_Color, Colour(0x00C000));
    EXPECT_EQ(m_Colours.m_Answers.size(), 0u) << "the colour dialog was not asked";

    // A file that is rejected takes the items and the drawn point away.
    Frame().OpenFile(WriteFile(QStringLiteral("bad.xml"), kMalformed));
    Settle();
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_EQ(EnabledPointCommands(), QList<CommandId>{});
}

// --- the table's menu --------------------------------------------------------------------------

TEST_F(KeyboardOnly, TableMenuIsForTheSelectedStreetOrThePoint)
{
    StartWithStations();
    Press(Frame(), Qt::Key_F6);
    ASSERT_TRUE(Table().hasFocus());
    EXPECT_FALSE(PressAndAnswer([&] { Press(Table(), Qt::Key_Menu); }, {Qt::Key_Escape}).opened)
        << "nothing is drawn";

    SelectByKeys({kNorth, kQuiet});
    Press(Tree(), Qt::Key_1, Qt::ControlModifier);
    CPunct &north = PointNamed(Root(), kNorth);
    ASSERT_EQ(Root().m_CurPunct, &north);
    Press(Frame(), Qt::Key_F6);
    ASSERT_TRUE(Table().hasFocus());

    m_Colours.Answer(0x0000C0);
    const PopupSeen street = PressAndAnswer([&] { Press(Table(), Qt::Key_Menu); }, {Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(street.texts, Texts({CommandId::StreetBackground}));
    const Rect &caption = StreetNamed(north, kQuiet).m_RectName;
    EXPECT_EQ(street.position, Table().mapToGlobal(QPoint(caption.left, caption.bottom)));
    EXPECT_EQ(StreetNamed(north, kQuiet).m_Color, Colour(0x0000C0));

    // The point itself selected: its colours, whatever lies at the pane's centre.
    Press(Frame(), Qt::Key_F6, Qt::ShiftModifier);
    SelectByKeys({kNorth});
    Press(Frame(), Qt::Key_F6);
    const PopupSeen point = PressAndAnswer([&] { Press(Table(), Qt::Key_F10, Qt::ShiftModifier); }, {Qt::Key_Escape});
    EXPECT_EQ(point.texts, Texts({CommandId::PointBackground, CommandId::AllStreetsBackground}));

    // A street of another point is no street of this table.
    Press(Frame(), Qt::Key_F6, Qt::ShiftModifier);
    SelectByKeys({kSouth, QStringLiteral("ул. Садовая")});
    Press(Frame(), Qt::Key_F6);
    EXPECT_EQ(PressAndAnswer([&] { Press(Table(), Qt::Key_Menu); }, {Qt::Key_Escape}).texts, Texts({CommandId::PointBackground, CommandId::AllStreetsBackground}));
}

// --- the menu bar ------------------------------------------------------------------------------

TEST_F(KeyboardOnly, F10OpensTheMenuBarAndTheArrowsWalkIt)
{
    StartWithStations();
    SelectByKeys({kNorth});
    const PopupSeen file = PressAndAnswer([&] { Press(Tree(), Qt::Key_F10); }, {});
    EXPECT_EQ(file.title, QStringLiteral("&Файл"));
    // Nothing runs in between, so the answer sees only the second menu.
    const PopupSeen edit = PressAndAnswer(
        [&] {
            QTest::keyClick(&Tree(), Qt::Key_F10);
            ASSERT_NE(QApplication::activePopupWidget(), nullptr);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
        },
        {});
    EXPECT_EQ(edit.title, QStringLiteral("&Правка"));
}

struct MnemonicCase
{
    std::string name;
    QKeyCombination key; // with Alt
    QString menu;
};

class MenuMnemonics : public KeyboardOnly, public ::testing::WithParamInterface<MnemonicCase>
{
};

TEST_P(MenuMnemonics, OpenTheirMenuInEitherLayout)
{
    StartWithStations();
    SelectByKeys({kNorth});
    const MnemonicCase &c = GetParam();
    const PopupSeen seen =
        PressAndAnswer([&] { Press(Tree(), c.key.key(), c.key.keyboardModifiers() | Qt::AltModifier); }, {});
    EXPECT_EQ(seen.title, c.menu);
}

// In a Latin layout a key gives its Latin letter: A is where Ф is.
INSTANTIATE_TEST_SUITE_P(
    Layouts, MenuMnemonics,
    ::testing::Values(MnemonicCase{"FileRussian", Qt::Key(u'Ф'), QStringLiteral("&Файл")},
                      MnemonicCase{"FileLatin", Qt::Key_A, QStringLiteral("&Файл")},
                      MnemonicCase{"EditLatin", Qt::Key_G, QStringLiteral("&Правка")},
                      MnemonicCase{"ViewLatin", Qt::Key_D, QStringLiteral("&Вид")},
                      MnemonicCase{"PointRussian", Qt::Key(u'У'), QStringLiteral("П&ункт")},
                      MnemonicCase{"PointLatin", Qt::Key_E, QStringLiteral("П&ункт")},
                      MnemonicCase{"HelpLatin", Qt::Key_C, QStringLiteral("&Справка")}),
    CaseName<MnemonicCase>);

// Inside an open menu the Latin key of an item's Cyrillic mnemonic chooses it.
TEST_F(KeyboardOnly, ALatinKeyChoosesTheMenuItemOnItsKey)
{
    StartWithStations();
    SelectByKeys({kNorth});
    ASSERT_FALSE(Frame().statusBar()->isHidden());
    // Вид, then «&Строка состояния»: С is on the C key.
    PressAndAnswer([&] { Press(Tree(), Qt::Key_D, Qt::AltModifier); }, {Qt::Key_C});
    EXPECT_TRUE(Frame().statusBar()->isHidden());
    // The same in the Russian layout.
    PressAndAnswer([&] { Press(Tree(), Qt::Key(u'В'), Qt::AltModifier); }, {Qt::Key(u'С')});
    EXPECT_FALSE(Frame().statusBar()->isHidden());
}

} // namespace
