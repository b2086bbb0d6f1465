// The structure tree's commands: the context menu per node kind, the three
// draw commands and the colour commands with their dialog answers.

#include "log/MessagePresenter.h"
#include "model/ResString.h"
#include "shell/CMainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"

#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QtTest/QTest>

#include <functional>

namespace {

const QString kNorth = QStringLiteral("Север");
const QString kSouth = QStringLiteral("Юг");
const QString kBlackRefused = QStringLiteral("Черный цвет не может использоваться в качестве фона");

class TreeCommands : public WindowTest
{
protected:
    QList<CommandId> MenuOf(const QStringList &path) const
    {
        QTreeWidgetItem *item = Item(path);
        if (!item)
            throw std::runtime_error("no tree item " + path.join(u'/').toStdString());
        return Tree().ContextMenuCommands(*CStructView::NodeOf(item));
    }

    QStringList LayoutStarts() const
    {
        return LogTexts().filter(QRegularExpression(QStringLiteral("RePlaseTab 1 aSizeWin")));
    }
};

// Closes any popup that opens while it lives and remembers that one did, so
// that a menu that should not be there fails the test instead of waiting.
class PopupGuard
{
public:
    PopupGuard()
    {
        m_Timer.setInterval(10);
        QObject::connect(&m_Timer, &QTimer::timeout, [this] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                m_Seen = true;
                popup->close();
            }
        });
        m_Timer.start();
    }
    bool Seen() const { return m_Seen; }

private:
    QTimer m_Timer;
    bool m_Seen = false;
};

// --- context menus -----------------------------------------------------------------------------

TEST_F(TreeCommands, ContextMenusPerNodeKind)
{
    StartWithStations();
    const QStringList street{kNorth, QStringLiteral("ул. Тихая")};
    EXPECT_EQ(MenuOf({kNorth}), (QList<CommandId>{CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground}));
    EXPECT_EQ(MenuOf(street), QList<CommandId>{}) << "a street of a point that is not drawn";
    EXPECT_EQ(MenuOf(street + QStringList{QStringLiteral("д.2")}), QList<CommandId>{});
    EXPECT_EQ(MenuOf(street + QStringList{QStringLiteral("д.2"), QStringLiteral("л1 - 11")}), QList<CommandId>{});

    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    EXPECT_EQ(MenuOf(street), QList<CommandId>{CommandId::StreetBackground});
    EXPECT_EQ(MenuOf({kSouth, QStringLiteral("ул. Садовая")}), QList<CommandId>{});
    EXPECT_EQ(MenuOf({kNorth}), (QList<CommandId>{CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController, CommandId::PointBackground, CommandId::AllStreetsBackground}));
}

TEST(TreeMenuTexts, AreTheStringTableTexts)
{
    const std::vector<std::pair<int, QString>> texts{
        {101, QStringLiteral("Прорисовать диспетчерский пункт по улицам")},
        {1018, QStringLiteral("Прорисовать диспетчерский пункт по улицам в две колонки")},
        {1017, QStringLiteral("Прорисовать диспетчерский пункт по ПЛУН/Pro/Direct")},
        {108, QStringLiteral("Цвет фона пункта")},
        {110, QStringLiteral("Цвет фона всех улицы")},
        {109, QStringLiteral("Цвет фона улицы")},
    };
    for (const auto &[id, text] : texts)
        EXPECT_EQ(LoadResString(id), text) << id;
}

// A right click on a node without a menu selects it and opens nothing.
TEST_F(TreeCommands, RightClickWithoutMenuSelectsTheItem)
{
    StartWithStations();
    Tree().expandAll();
    Settle();
    const QList<QStringList> paths{
        {kSouth, QStringLiteral("ул. Садовая")},
        {kSouth, QStringLiteral("ул. Садовая"), QStringLiteral("д.1")},
        {kSouth, QStringLiteral("ул. Садовая"), QStringLiteral("д.1"), QStringLiteral("П2 - 502")},
    };
    for (const QStringList &path : paths) {
        QTreeWidgetItem *item = Item(path);
        ASSERT_NE(item, nullptr);
        const QRect rect = Tree().visualItemRect(item);
        ASSERT_FALSE(rect.isEmpty()) << path.join(u'/').toStdString();
        PopupGuard guard;
        QTest::mouseClick(Tree().viewport(), Qt::RightButton, {}, rect.center());
        EXPECT_EQ(Tree().currentItem(), item) << path.join(u'/').toStdString();
        EXPECT_FALSE(guard.Seen()) << path.join(u'/').toStdString();
    }
}

// --- draw commands -----------------------------------------------------------------------------

struct DrawCase
{
    std::string name;
    CommandId command;
    QString point;
    LayoutMode mode;
    bool byProvider;
    bool twoColumns;
    // The first layout line for the table's client size.
    std::function<QString(int, int)> firstLine;
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const DrawCase &c, std::ostream *os) { *os << c.name; }
};

class DrawCommands : public TreeCommands, public ::testing::WithParamInterface<DrawCase>
{
};

TEST_P(DrawCommands, MakeThePointCurrentInItsModeLaidOutForTheTable)
{
    const DrawCase &c = GetParam();
    StartWithStations();
    const int width = Table().width();
    const int height = Table().height();
    ASSERT_GT(width, 200);
    ASSERT_GT(height, 200);
    const qsizetype linesBefore = LogTexts().size();

    RunTreeCommand({c.point}, c.command);

    CPunct &point = PointNamed(Root(), c.point);
    EXPECT_EQ(Root().m_CurPunct, &point);
    EXPECT_EQ(point.m_ByProvider, c.byProvider);
    EXPECT_EQ(point.m_TwoCol, c.twoColumns);
    EXPECT_TRUE(point.m_Valid);
    EXPECT_EQ(LogTexts().mid(linesBefore).value(1), c.firstLine(width, height));

    // What the table paints is the point laid out in the tree's order for
    // the table's client size.
    ReferenceLayout reference(kStations);
    reference.Draw(c.point, c.mode, width, height);
    const std::vector<SurfaceCall> painted = TablePaint();
    EXPECT_FALSE(painted.empty());
    EXPECT_EQ(painted, PaintCalls(*reference.structure.root, width, height));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DrawCommands,
    ::testing::Values(
        DrawCase{"ByStreets", CommandId::DrawByStreets, kNorth, LayoutMode::Streets, false, false,
                 [](int w, int h) { return QStringLiteral("RePlaseTab 1 aSizeWin (%1,%2) Север").arg(w).arg(h); }},
        DrawCase{"TwoColumns", CommandId::DrawTwoColumns, kNorth, LayoutMode::TwoColumns, false, true,
                 [](int w, int h) {
                     return QStringLiteral("RePlaseTab 1 aSizeWin (%1,%2) Север").arg(w / 2).arg(h * 1950 / 1000);
                 }},
        DrawCase{"ByController", CommandId::DrawByController, kSouth, LayoutMode::Controller, true, false,
                 [](int w, int h) { return QStringLiteral("AllProvider::RePlaseTab 1 aSizeWin (%1,%2) ").arg(w).arg(h); }}),
    CaseName<DrawCase>);

TEST_F(TreeCommands, DrawCommandsRepaintTheTable)
{
    StartWithStations();
    int paints = 0;
    struct PaintCounter : QObject
    {
        int &count;
        explicit PaintCounter(int &c) : count(c) {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    Table().installEventFilter(&counter);
    Settle();
    paints = 0;

    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    Settle();
    EXPECT_GT(paints, 0);
    // The real paint fitted the labels.
    EXPECT_FALSE(PointNamed(Root(), kNorth).m_FitLabels);
    Table().removeEventFilter(&counter);
}

TEST_F(TreeCommands, DrawCommandsOnOtherNodesDoNothing)
{
    StartWithStations();
    const qsizetype linesBefore = LogTexts().size();
    for (const QStringList &path : {QStringList{kNorth, QStringLiteral("ул. Тихая")},
                                    QStringList{kNorth, QStringLiteral("ул. Тихая"), QStringLiteral("д.2")}}) {
        for (CommandId command : {CommandId::DrawByStreets, CommandId::DrawTwoColumns, CommandId::DrawByController})
            RunTreeCommand(path, command);
    }
    Tree().setCurrentItem(nullptr);
    Tree().RunCommand(CommandId::DrawByStreets);
    EXPECT_EQ(Root().m_CurPunct, nullptr);
    EXPECT_EQ(LogTexts().size(), linesBefore);
}

// --- colour commands ---------------------------------------------------------------------------

TEST_F(TreeCommands, PointBackgroundDrawsAPointNeverDrawnByStreets)
{
    StartWithStations();
    m_Colours.Answer(0x336699);

    RunTreeCommand({kNorth}, CommandId::PointBackground);

    CPunct &north = PointNamed(Root(), kNorth);
    EXPECT_EQ(m_Colours.m_Initials, std::vector<Colour>{0xFFFFFF});
    EXPECT_EQ(north.FonGrp, 0x336699u);
    EXPECT_EQ(Root().m_CurPunct, &north);
    EXPECT_FALSE(north.m_ByProvider);
    EXPECT_FALSE(north.m_TwoCol);
    EXPECT_TRUE(north.m_Valid);
    EXPECT_EQ(LayoutStarts().size(), 1);
    const std::vector<SurfaceCall> painted = TablePaint();
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front(), SurfaceCall::Fill({0, 0, Table().width(), Table().height()}, 0x336699));
}

TEST_F(TreeCommands, PointBackgroundKeepsTheModeThePointWasLastDrawnIn)
{
    StartWithStations();
    RunTreeCommand({kSouth}, CommandId::DrawByController);
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    const qsizetype linesBefore = LogTexts().size();
    m_Colours.Answer(0x224466);

    RunTreeCommand({kSouth}, CommandId::PointBackground);

    CPunct &south = PointNamed(Root(), kSouth);
    EXPECT_EQ(Root().m_CurPunct, &south);
    EXPECT_TRUE(south.m_ByProvider);
    EXPECT_EQ(LogTexts().mid(linesBefore).value(1),
              QStringLiteral("AllProvider::RePlaseTab 1 aSizeWin (%1,%2) ").arg(Table().width()).arg(Table().height()));
    const std::vector<SurfaceCall> painted = TablePaint();
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front().colour, 0x224466u);
    QStringList captions;
    for (const SurfaceCall &call : painted)
        if (call.kind == SurfaceCall::Kind::DrawText)
            captions.append(call.text);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("1:2:3"), QStringLiteral("1:2:14"), QStringLiteral("Pro")}));
}

TEST_F(TreeCommands, AllStreetsBackgroundColoursEveryStreetOfThePoint)
{
    StartWithStations();
    CPunct &north = PointNamed(Root(), kNorth);
    north.FonGrp = 0xDDEEFF;
    m_Colours.Answer(0x80C080);

    RunTreeCommand({kNorth}, CommandId::AllStreetsBackground);

    EXPECT_EQ(m_Colours.m_Initials, std::vector<Colour>{0xDDEEFF});
    EXPECT_EQ(north.FonGrp, 0xDDEEFFu);
    for (CStreet *street : ChildrenAs<CStreet>(north))
        EXPECT_EQ(street->m_Color, 0x80C080u) << street->m_Name.toStdString();
    for (CStreet *street : ChildrenAs<CStreet>(PointNamed(Root(), kSouth)))
        EXPECT_EQ(street->m_Color, 0xFFFFFFu);
    EXPECT_EQ(Root().m_CurPunct, &north);
    const std::vector<SurfaceCall> painted = TablePaint();
    bool framed = false;
    for (const SurfaceCall &call : painted) {
        if (call.kind == SurfaceCall::Kind::RoundRect) {
            EXPECT_EQ(call.colour, 0x80C080u);
            framed = true;
        }
    }
    EXPECT_TRUE(framed);
}

TEST_F(TreeCommands, StreetBackgroundColoursThatStreetStartingFromItsColour)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    m_Colours.Answer(0x4080FF);
    m_Colours.Answer(0x2040A0);
    const QStringList tikhaya{kNorth, QStringLiteral("ул. Тихая")};

    RunTreeCommand(tikhaya, CommandId::StreetBackground);
    RunTreeCommand(tikhaya, CommandId::StreetBackground);

    CPunct &north = PointNamed(Root(), kNorth);
    EXPECT_EQ(m_Colours.m_Initials, (std::vector<Colour>{0xFFFFFF, 0x4080FF}));
    EXPECT_EQ(StreetNamed(north, QStringLiteral("ул. Тихая")).m_Color, 0x2040A0u);
    EXPECT_EQ(StreetNamed(north, QStringLiteral("Ул. Якорная")).m_Color, 0xFFFFFFu);
    EXPECT_EQ(Root().m_CurPunct, &north);
    EXPECT_EQ(LayoutStarts().size(), 3);
}

struct RefusedCase
{
    std::string name;
    QStringList item;
    CommandId command;
    std::optional<Colour> answer; // black, or cancelled
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const RefusedCase &c, std::ostream *os) { *os << c.name; }
};

class RefusedColours : public TreeCommands, public ::testing::WithParamInterface<RefusedCase>
{
};

TEST_P(RefusedColours, ChangeNothing)
{
    const RefusedCase &c = GetParam();
    StartWithStations();
    RunTreeCommand({kSouth}, CommandId::DrawByStreets);
    const qsizetype linesBefore = LogTexts().size();
    m_Colours.Answer(c.answer);

    RunTreeCommand(c.item, c.command);

    EXPECT_EQ(m_Colours.m_Initials.size(), 1u);
    EXPECT_EQ(Root().m_CurPunct, &PointNamed(Root(), kSouth));
    for (CPunct *point : ChildrenAs<CPunct>(Root())) {
        EXPECT_EQ(point->FonGrp, 0xFFFFFFu);
        for (CStreet *street : ChildrenAs<CStreet>(*point))
            EXPECT_EQ(street->m_Color, 0xFFFFFFu);
    }
    EXPECT_EQ(LogTexts().size(), linesBefore);
    if (c.answer) {
        ASSERT_EQ(m_Presenter.m_Messages.size(), 1u);
        EXPECT_EQ(m_Presenter.m_Messages[0].first, MessagePresenter::Icon::Warning);
        EXPECT_EQ(m_Presenter.m_Messages[0].second, kBlackRefused);
    } else {
        EXPECT_TRUE(m_Presenter.m_Messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RefusedColours,
    ::testing::Values(RefusedCase{"PointBlack", {kNorth}, CommandId::PointBackground, Colour{0}},
                      RefusedCase{"PointCancelled", {kNorth}, CommandId::PointBackground, std::nullopt},
                      RefusedCase{"AllStreetsBlack", {kNorth}, CommandId::AllStreetsBackground, Colour{0}},
                      RefusedCase{"AllStreetsCancelled", {kNorth}, CommandId::AllStreetsBackground, std::nullopt},
                      RefusedCase{"StreetBlack", {kSouth, QStringLiteral("ул. Садовая")}, CommandId::StreetBackground,
                                  Colour{0}},
                      RefusedCase{"StreetCancelled", {kSouth, QStringLiteral("ул. Садовая")},
                                  CommandId::StreetBackground, std::nullopt}),
    CaseName<RefusedCase>);

TEST_F(TreeCommands, ColourCommandsOnTheWrongKindOfNodeAskNothing)
{
    StartWithStations();
    RunTreeCommand({kNorth, QStringLiteral("ул. Тихая")}, CommandId::PointBackground);
    RunTreeCommand({kNorth, QStringLiteral("ул. Тихая")}, CommandId::AllStreetsBackground);
    RunTreeCommand({kNorth}, CommandId::StreetBackground);
    RunTreeCommand({kNorth, QStringLiteral("ул. Тихая"), QStringLiteral("д.2")}, CommandId::StreetBackground);
    EXPECT_TRUE(m_Colours.m_Initials.empty());
    EXPECT_EQ(Root().m_CurPunct, nullptr);
}

} // namespace
