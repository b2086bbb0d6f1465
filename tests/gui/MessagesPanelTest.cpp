// The messages panel: the last read's messages and error with their places,
// a row shows its node in the tree and the table, Ctrl+C copies rows, and the
// panel's visibility is kept for the next run.

#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "shell/MessageBoxPresenter.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"
#include "views/MessagesPanel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest/QTest>

namespace {

const QByteArray kRepeats = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<PULT>\n"
                            "  <DISP Name=\"Север\">\n"
                            "    <STREET Name=\"ул. Тихая\">\n"
                            "      <HOME Name=\"д.2\"><LIFT Name=\"Л1\" ID=\"1\"/></HOME>\n"
                            "      <HOME Name=\"д.2\"><LIFT Name=\"Л2\" ID=\"2\"/></HOME>\n"
                            "    </STREET>\n"
                            "  </DISP>\n"
                            "  <DISP Name=\"Север\"/>\n"
                            "</PULT>\n";

class MessagesPanelTest : public WindowTest
{
protected:
    MessagesPanel &Panel() const { return *Frame().Messages(); }
    QTreeWidget &Rows() const { return *Panel().List(); }

    QStringList RowTexts() const
    {
        QStringList rows;
        for (int i = 0; i < Rows().topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = Rows().topLevelItem(i);
            rows.append(row->text(0) + u':' + row->text(1) + u' ' + row->text(2));
        }
        return rows;
    }

    QString CountText() const { return Frame().findChild<QLabel *>(QStringLiteral("messageCount"))->text(); }
};

TEST_F(MessagesPanelTest, ListsTheReadsMessagesWithTheirPlaces)
{
    ASSERT_TRUE(Start({WriteFile(QStringLiteral("repeats.xml"), kRepeats)}));
    EXPECT_TRUE(Panel().isVisible()) << "shown by default, under the table";
    EXPECT_EQ(RowTexts(), (QStringList{QStringLiteral("6:7 ул. Тихая,д.2 - Повторное указание дома для улицы"),
                                       QStringLiteral("9:3 Север - Повторное указание диспетчерской")}));
    EXPECT_EQ(CountText(), QStringLiteral("Сообщений при чтении: 2"));
    // The boxes still come, one per message.
    EXPECT_EQ(m_Presenter.Information().size(), 2);

    // A rejected file: its error, with the place the parser gave.
    Frame().OpenFile(WriteFile(QStringLiteral("bad.xml"), kMalformed));
    Settle();
    ASSERT_EQ(Rows().topLevelItemCount(), 1);
    EXPECT_EQ(Rows().topLevelItem(0)->text(0), QStringLiteral("4"));
    EXPECT_TRUE(Rows().topLevelItem(0)->text(2).startsWith(m_Presenter.Errors().value(0).left(20)));
    EXPECT_EQ(CountText(), QStringLiteral("Сообщений при чтении: 0, файл не прочитан"));

    // A clean file empties the panel.
    Frame().OpenFile(WriteFile(QStringLiteral("stations.xml"), kStations));
    Settle();
    EXPECT_EQ(Rows().topLevelItemCount(), 0);
    EXPECT_EQ(CountText(), QStringLiteral("Сообщений при чтении: 0"));
}

// Return on a row (as a double click) selects its node in the tree; once its
// point is drawn the table outlines it.
TEST_F(MessagesPanelTest, ARowShowsItsNodeInTheTreeAndTheTable)
{
    ASSERT_TRUE(Start({WriteFile(QStringLiteral("repeats.xml"), kRepeats)}));
    Rows().setFocus();
    QTest::keyClick(&Rows(), Qt::Key_Home);
    QTest::keyClick(&Rows(), Qt::Key_Return);
    Settle();
    const CNodeB *later = CStructView::NodeOf(Tree().currentItem());
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->m_Name, QStringLiteral("д.2"));
    EXPECT_EQ(later->m_pElem.GetPosition().line, 6u) << "the later of the two houses";
    EXPECT_TRUE(Table().MarkedRect().isEmpty()) << "its point is not drawn";

    Frame().Commands().Action(CommandId::DrawByStreets)->trigger();
    Settle();
    ASSERT_NE(Root().m_CurPunct, nullptr);
    EXPECT_EQ(Table().MarkedNode(), later);
    const QRect outlined = Table().MarkedRect();
    EXPECT_FALSE(outlined.isEmpty());
    EXPECT_TRUE(Table().rect().contains(outlined.center()));
}

TEST_F(MessagesPanelTest, CtrlCCopiesTheSelectedRows)
{
    ASSERT_TRUE(Start({WriteFile(QStringLiteral("repeats.xml"), kRepeats)}));
    QApplication::clipboard()->clear();
    Rows().setFocus();
    QTest::keyClick(&Rows(), Qt::Key_Home);
    QTest::keyClick(&Rows(), Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(&Rows(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("6\t7\tул. Тихая,д.2 - Повторное указание дома для улицы\n"
                             "9\t3\tСевер - Повторное указание диспетчерской"));
}

TEST_F(MessagesPanelTest, ItsVisibilityIsKeptForTheNextRun)
{
    ASSERT_TRUE(Start());
    QAction *shown = Panel().toggleViewAction();
    ASSERT_TRUE(shown->isChecked());
    shown->trigger();
    Settle();
    EXPECT_FALSE(Panel().isVisible());
    Frame().close();
    Stop();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(Panel().toggleViewAction()->isChecked());
}

// --- boxes a user can stop ---------------------------------------------------------------------

// Answers the read's boxes as they open: the texts seen, and whether to tick
// «only in the panel» in each.
class BoxAnswers
{
public:
    explicit BoxAnswers(std::vector<bool> ticks) : m_Ticks(std::move(ticks))
    {
        m_Timer.setInterval(5);
        QObject::connect(&m_Timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            m_Texts.append(box->text());
            const bool tick = m_Texts.size() <= static_cast<qsizetype>(m_Ticks.size()) && m_Ticks[m_Texts.size() - 1];
            if (QCheckBox *check = box->checkBox()) {
                m_CheckTexts.append(check->text());
                check->setChecked(tick);
            }
            QTest::keyClick(box, Qt::Key_Return);
        });
        m_Timer.start();
    }
    QStringList m_Texts;
    QStringList m_CheckTexts;

private:
    std::vector<bool> m_Ticks;
    QTimer m_Timer;
};

TEST(ReadMessageBoxes, TheRestOfAFileCanBeHeldBackForThePanel)
{
    MessageBoxPresenter boxes;
    {
        BoxAnswers answers({false, true, false});
        for (int i = 1; i <= 4; ++i)
            boxes.ShowReadMessage(QStringLiteral("сообщение %1").arg(i));
        EXPECT_EQ(answers.m_Texts, (QStringList{QStringLiteral("сообщение 1"), QStringLiteral("сообщение 2")}));
        EXPECT_EQ(answers.m_CheckTexts.value(0), QStringLiteral("Остальные сообщения этого файла — только в панели"));
        EXPECT_EQ(boxes.HeldBack(), 2);
    }
    {
        // The next file's messages come as boxes again.
        boxes.StartFile();
        BoxAnswers answers({});
        boxes.ShowReadMessage(QStringLiteral("следующий файл"));
        EXPECT_EQ(answers.m_Texts, QStringList{QStringLiteral("следующий файл")});
        EXPECT_EQ(boxes.HeldBack(), 0);
    }
    {
        // With the switch, none at all; other boxes stay.
        boxes.SetPanelOnly(true);
        BoxAnswers answers({});
        boxes.ShowReadMessage(QStringLiteral("только в панели"));
        boxes.ShowMessageBox(QStringLiteral("ошибка"), MessagePresenter::Icon::Error);
        EXPECT_EQ(answers.m_Texts, QStringList{QStringLiteral("ошибка")});
        EXPECT_EQ(answers.m_CheckTexts, QStringList{}) << "only a read's boxes can hold the rest back";
    }
}

// The window's own boxes, its switch, and the panel that then holds them.
class WindowBoxes : public MessagesPanelTest
{
protected:
    void SetUp() override { m_RealMessageBoxes = true; }
};

TEST_F(WindowBoxes, TheSwitchHoldsEveryReadMessageBackAndIsKept)
{
    const QString file = WriteFile(QStringLiteral("repeats.xml"), kRepeats);
    {
        BoxAnswers answers({true});
        ASSERT_TRUE(Start({file}));
        EXPECT_EQ(answers.m_Texts.size(), 1) << "the first box held the second back";
    }
    EXPECT_EQ(Rows().topLevelItemCount(), 2) << "both are in the panel";

    auto *panelOnly = Frame().findChild<QAction *>(QStringLiteral("messagesOnlyInPanel"));
    ASSERT_NE(panelOnly, nullptr);
    EXPECT_FALSE(panelOnly->isChecked());
    panelOnly->trigger();
    Panel().hide();
    {
        BoxAnswers answers({});
        Frame().OpenFile(WriteFile(QStringLiteral("again.xml"), kRepeats));
        Settle();
        EXPECT_EQ(answers.m_Texts, QStringList{});
    }
    EXPECT_TRUE(Panel().isVisible()) << "held-back messages bring the panel up";
    Frame().close();
    Stop();

    BoxAnswers answers({});
    ASSERT_TRUE(Start({file}));
    EXPECT_TRUE(Frame().findChild<QAction *>(QStringLiteral("messagesOnlyInPanel"))->isChecked());
    EXPECT_EQ(answers.m_Texts, QStringList{});
    EXPECT_EQ(Rows().topLevelItemCount(), 2);
}

} // namespace
