// The find bar over the tree (Ctrl+F): by name, ID or GUID, a part of the
// text in any case; Enter and F3 go on, Shift+F3 goes back, round the ends;
// the match is selected in the tree and outlined in the table when drawn;
// "nothing found" is said in the bar.

#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"
#include "views/FindBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidgetItem>
#include <QtTest/QTest>

namespace {

const QString kNorth = QStringLiteral("Север");
const QString kSouth = QStringLiteral("Юг");

// The stations file with a GUID on one lift.
QByteArray WithGuid()
{
    QByteArray xml = kStations;
    xml.replace("<LIFT Name=\"Л3\"/>", "<LIFT Name=\"Л3\" GUID=\"6F9619FF8B86D011B42D00C04FC964FF\"/>");
    return xml;
}

class Find : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(Start({WriteFile(QStringLiteral("stations.xml"), WithGuid())}));
        Tree().setFocus(Qt::TabFocusReason);
    }

    FindBar &Bar() const { return *Frame().Find(); }

    void Press(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(widget, key, modifiers);
        Settle();
    }

    // Types into the focused widget as the keyboard does, Cyrillic too
    // (QTest makes the text of ASCII keys only).
    void Type(const QString &text)
    {
        for (const QChar c : text) {
            const int key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), static_cast<Qt::Key>(key), QString(c),
                                Qt::NoModifier);
        }
        Settle();
    }

    // Ctrl+F from the tree, then the text.
    void OpenAndType(const QString &text)
    {
        Press(&Tree(), Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Bar().isVisible());
        ASSERT_TRUE(Bar().Field()->hasFocus());
        Type(text);
    }

    const CNodeB *Selected() const { return CStructView::NodeOf(Tree().currentItem()); }
};

TEST_F(Find, CtrlFOpensTheBarOverTheTreeWithTheFieldFocused)
{
    EXPECT_FALSE(Bar().isVisible());
    OpenAndType(QStringLiteral("50"));
    EXPECT_EQ(Bar().Field()->text(), QStringLiteral("50"));
    EXPECT_LT(Bar().geometry().bottom(), Tree().geometry().top() + 1) << "the bar is over the tree";
    // Ctrl+F again selects the text for a new search.
    Press(Bar().Field(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(Bar().Field()->selectedText(), QStringLiteral("50"));
}

struct FindCase
{
    std::string name;
    QString text;
    QList<QKeyCombination> keys; // from the bar's field, after the text
    QString expectedId;          // the lift found last, by ID; empty: a street or point named below
    QString expectedName;
    QString expectedResult;
    QString start = QStringLiteral("Юг"); // the point selected first; empty: nothing is
};

class FindCases : public Find, public ::testing::WithParamInterface<FindCase>
{
};

TEST_P(FindCases, SelectTheMatchInTheTree)
{
    const FindCase &c = GetParam();
    if (c.start.isEmpty())
        Tree().setCurrentItem(nullptr);
    else
        Tree().SelectNode(PointNamed(Root(), c.start));
    OpenAndType(c.text);
    for (const QKeyCombination key : c.keys)
        Press(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    ASSERT_NE(Selected(), nullptr);
    if (!c.expectedId.isEmpty())
        EXPECT_EQ(Selected(), &LiftWithId(Root(), c.expectedId));
    else
        EXPECT_EQ(Selected()->m_Name, c.expectedName);
    EXPECT_EQ(Bar().Result(), c.expectedResult);
    EXPECT_TRUE(Bar().Field()->hasFocus()) << "the next step is one more key";
}

const QKeyCombination kEnter(Qt::Key_Return);
const QKeyCombination kF3(Qt::Key_F3);
const QKeyCombination kShiftF3(Qt::SHIFT | Qt::Key_F3);

INSTANTIATE_TEST_SUITE_P(
    Steps, FindCases,
    ::testing::Values(
        FindCase{"EnterFindsTheFirstAfterTheSelection", QStringLiteral("50"), {kEnter}, QStringLiteral("501"), {}, {}},
        FindCase{"F3GoesOn", QStringLiteral("50"), {kEnter, kF3, kF3}, QStringLiteral("503"), {}, {}},
        FindCase{"PastTheLastItGoesRoundAndSaysSo",
                 QStringLiteral("50"),
                 {kEnter, kF3, kF3, kF3},
                 QStringLiteral("501"),
                 {},
                 QStringLiteral("Продолжено с начала")},
        FindCase{"ShiftF3GoesBack", QStringLiteral("50"), {kEnter, kF3, kShiftF3}, QStringLiteral("501"), {}, {}},
        FindCase{"BeforeTheFirstItGoesRoundToTheEnd",
                 QStringLiteral("50"),
                 {kShiftF3},
                 QStringLiteral("503"),
                 {},
                 QStringLiteral("Продолжено с конца")},
        FindCase{"ANameInAnyCase", QStringLiteral("ЯКОРН"), {kEnter}, {}, QStringLiteral("Ул. Якорная"), {}, {}},
        FindCase{"APointByName", QStringLiteral("север"), {kEnter}, {}, kNorth, {}, {}},
        FindCase{"ALiftByAPartOfItsGuidInAnyCase", QStringLiteral("b42d-00c0"), {kEnter}, {}, QStringLiteral("Л3"), {}, {}},
        FindCase{"ALiftByItsGuidInItsBracedForm",
                 QStringLiteral("{6F9619FF-8B86-D011-B42D-00C04FC964FF}"),
                 {kEnter},
                 {},
                 QStringLiteral("Л3"), {}, {}},
        FindCase{"NothingFoundIsSaidInTheBarAndTheSelectionStays",
                 QStringLiteral("нет такого"),
                 {kEnter},
                 {},
                 kSouth,
                 QStringLiteral("Ничего не найдено")}),
    [](const ::testing::TestParamInfo<FindCase> &param) { return param.param.name; });

TEST_F(Find, NothingFoundOpensNoBox)
{
    OpenAndType(QStringLiteral("нет такого"));
    Press(Bar().Field(), Qt::Key_Return);
    EXPECT_TRUE(m_Presenter.m_Messages.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Find, AMatchOfTheDrawnPointIsOutlinedInTheTable)
{
    Tree().SelectNode(PointNamed(Root(), kNorth));
    Frame().Commands().Action(CommandId::DrawByStreets)->trigger();
    Settle();
    OpenAndType(QStringLiteral("якорн"));
    Press(Bar().Field(), Qt::Key_Return);
    const CStreet &street = StreetNamed(PointNamed(Root(), kNorth), QStringLiteral("Ул. Якорная"));
    ASSERT_EQ(Selected(), &street);
    EXPECT_EQ(Table().MarkedNode(), &street);
}

TEST_F(Find, EscapeClosesTheBarAndTheTreeHasTheFocusAgain)
{
    OpenAndType(QStringLiteral("50"));
    Press(Bar().Field(), Qt::Key_Escape);
    EXPECT_FALSE(Bar().isVisible());
    EXPECT_TRUE(Tree().hasFocus());
    // F3 goes on with the closed bar's text.
    Press(&Tree(), Qt::Key_F3);
    EXPECT_EQ(Selected(), &LiftWithId(Root(), QStringLiteral("501")));
}

TEST_F(Find, F3WithoutATextOpensTheBar)
{
    Press(&Tree(), Qt::Key_F3);
    EXPECT_TRUE(Bar().isVisible());
    EXPECT_TRUE(Bar().Field()->hasFocus());
}

TEST_F(Find, AfterAReloadTheNewStructureIsSearched)
{
    OpenAndType(QStringLiteral("50"));
    Press(Bar().Field(), Qt::Key_Return);
    Press(Bar().Field(), Qt::Key_F5);
    Press(Bar().Field(), Qt::Key_F3);
    // The nodes found are the new reading's: the old ones are gone.
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(Selected(), &LiftWithId(Root(), QStringLiteral("501")));
}

} // namespace
