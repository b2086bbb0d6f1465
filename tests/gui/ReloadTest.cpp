// File > Обновить (F5) and a file changed on disk: the file is read again,
// keeping the drawn point, its mode and the colours chosen in this run where
// the names still exist.

#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"
#include "views/MessagesPanel.h"

#include <QAction>
#include <QTreeWidget>
#include <QtTest/QTest>

namespace {

const QString kNorth = QStringLiteral("Север");
const QString kQuiet = QStringLiteral("ул. Тихая");

// The stations file as edited: one more street in the north.
QByteArray Edited()
{
    QByteArray edited = kStations;
    edited.replace("<STREET Name=\"пер. Пустой\">", "<STREET Name=\"ул. Новая\"><HOME Name=\"д.1\"><LIFT Name=\"Н1\"/></HOME></STREET>\n"
                                                   "    <STREET Name=\"пер. Пустой\">");
    return edited;
}

class Reload : public WindowTest
{
protected:
    // Draws the north in two columns and gives one of its streets a colour.
    void DrawNorthAndColourAStreet(const QString &path)
    {
        ASSERT_TRUE(Start({path}));
        Tree().SelectNode(PointNamed(Root(), kNorth));
        Frame().Commands().Action(CommandId::DrawTwoColumns)->trigger();
        Tree().SelectNode(StreetNamed(PointNamed(Root(), kNorth), kQuiet));
        m_Colours.Answer(0x00A0F0);
        Frame().Commands().Action(CommandId::StreetBackground)->trigger();
        Settle();
        ASSERT_EQ(StreetNamed(PointNamed(Root(), kNorth), kQuiet).m_Color, Colour(0x00A0F0));
    }

    void PressF5()
    {
        QTest::keyClick(&Tree(), Qt::Key_F5);
        Settle();
    }

    int LoadedLines() const { return static_cast<int>(LogTexts().filter(QStringLiteral("Loaded: ")).size()); }
};

TEST_F(Reload, F5ReadsTheFileAgainKeepingWhatWasDrawnAndChosen)
{
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);
    DrawNorthAndColourAStreet(path);
    const CPunct *before = Root().m_CurPunct;
    WriteFile(QStringLiteral("stations.xml"), Edited());

    PressF5();
    EXPECT_EQ(LoadedLines(), 2);
    CPunct &north = PointNamed(Root(), kNorth);
    EXPECT_NO_THROW(StreetNamed(north, QStringLiteral("ул. Новая"))) << "the edit was read";
    EXPECT_NE(Item({kNorth, QStringLiteral("ул. Новая")}), nullptr);
    EXPECT_EQ(Root().m_CurPunct, &north);
    EXPECT_NE(Root().m_CurPunct, before) << "the point of the new read, not the old one";
    EXPECT_TRUE(north.m_TwoCol && north.m_Valid);
    EXPECT_EQ(StreetNamed(north, kQuiet).m_Color, Colour(0x00A0F0));
    EXPECT_EQ(CStructView::NodeOf(Tree().currentItem()), &north);
    EXPECT_FALSE(TablePaint().empty());
}

TEST_F(Reload, AFileThatNoLongerLoadsIsEmptiedAndItsErrorShown)
{
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);
    DrawNorthAndColourAStreet(path);
    WriteFile(QStringLiteral("stations.xml"), kMalformed);

    PressF5();
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_TRUE(Root().m_Children.empty());
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_EQ(m_Presenter.Errors().size(), 1);
    ASSERT_EQ(Frame().Messages()->List()->topLevelItemCount(), 1);
    EXPECT_EQ(Frame().Messages()->List()->topLevelItem(0)->text(0), QStringLiteral("4"));

    // Mended, it reads again (the drawn point was lost with the bad read).
    WriteFile(QStringLiteral("stations.xml"), kStations);
    PressF5();
    EXPECT_EQ(Tree().topLevelItemCount(), 3);
}

TEST_F(Reload, WithoutAFileF5DoesNothing)
{
    ASSERT_TRUE(Start());
    PressF5();
    EXPECT_EQ(LoadedLines(), 0);
    EXPECT_TRUE(m_Presenter.m_Messages.empty());
}

// A change on disk is said in the status bar, which offers to read the file;
// the kept setting reads it at once.
TEST_F(Reload, AChangeOnDiskIsSaidOrReadAtOnce)
{
    const QString path = WriteFile(QStringLiteral("stations.xml"), kStations);
    ASSERT_TRUE(Start({path}));
    QWidget *changed = Frame().findChild<QWidget *>(QStringLiteral("changedOnDisk"));
    ASSERT_NE(changed, nullptr);
    EXPECT_FALSE(changed->isVisible());

    WriteFile(QStringLiteral("stations.xml"), Edited());
    QTRY_VERIFY_WITH_TIMEOUT(changed->isVisible(), 5000);
    EXPECT_EQ(LoadedLines(), 1) << "not read until asked";
    PressF5();
    EXPECT_FALSE(changed->isVisible());
    EXPECT_EQ(LoadedLines(), 2);

    auto *atOnce = Frame().findChild<QAction *>(QStringLiteral("reloadOnChange"));
    ASSERT_NE(atOnce, nullptr);
    atOnce->setChecked(true);
    WriteFile(QStringLiteral("stations.xml"), kStations);
    QTRY_COMPARE_WITH_TIMEOUT(LoadedLines(), 3, 5000);
    EXPECT_FALSE(changed->isVisible());
    Frame().close();
    Stop();
    ASSERT_TRUE(Start({path}));
    EXPECT_TRUE(Frame().findChild<QAction *>(QStringLiteral("reloadOnChange"))->isChecked());
}

} // namespace
