// The table pane in the window: what it shows, its right-click commands,
// its tooltips and its new layout after every size change.

#include "log/MessagePresenter.h"
#include "shell/CMainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CommandId.h"
#include "views/CStructView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QRegularExpression>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QToolTip>

namespace {

const QString kNorth = QStringLiteral("Север");
const QString kSouth = QStringLiteral("Юг");

class TableView : public WindowTest
{
protected:
    CPunct &North() const { return PointNamed(Root(), kNorth); }
    CStreet &Tikhaya() const { return StreetNamed(North(), QStringLiteral("ул. Тихая")); }
    CStreet &Yakornaya() const { return StreetNamed(North(), QStringLiteral("Ул. Якорная")); }

    QStringList LayoutStarts() const
    {
        return LogTexts().filter(QRegularExpression(QStringLiteral("RePlaseTab 1 aSizeWin")));
    }

    // A client position inside no street frame of the current point.
    QPoint OutsideEveryFrame() const
    {
        const CPunct *point = Root().m_CurPunct;
        for (int y = Table().height() - 1; y >= 0; y -= 5) {
            for (int x = Table().width() - 1; x >= 0; x -= 5) {
                bool inside = false;
                for (const CStreet *street : ChildrenAs<CStreet>(*point))
                    inside = inside || street->m_RectFrame.Contains(x, y);
                if (!inside)
                    return QPoint(x, y);
            }
        }
        throw std::runtime_error("the frames cover the whole table");
    }

    // The tooltip the table shows for the mouse resting at a client
    // position; nothing when the view declines the request.
    std::optional<QString> TooltipAt(const QPoint &position)
    {
        // A hidden tip lingers a moment before it goes: put it away at once,
        // so that its old text cannot be read as the new one.
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel"))
                widget->hide();
        QHelpEvent help(QEvent::ToolTip, position, Table().mapToGlobal(position));
        QCoreApplication::sendEvent(&Table(), &help);
        if (!help.isAccepted())
            return std::nullopt;
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    QColor PixelAt(const QPoint &position) const { return Table().grab().toImage().pixelColor(position); }
};

QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// --- painting ----------------------------------------------------------------------------------

TEST_F(TableView, IsBlankInTheWindowColourBeforeAnyDrawCommand)
{
    StartWithStations();
    PointNamed(Root(), kNorth).FonGrp = 0x336699;
    const QPoint centre(Table().width() / 2, Table().height() / 2);
    EXPECT_EQ(PixelAt(centre), Table().palette().color(QPalette::Base));
    EXPECT_NE(PixelAt(centre), ToQColor(0x336699));
}

TEST_F(TableView, PaintsTheBackgroundAndGreyTiles)
{
    StartWithStations();
    m_Colours.Answer(0x336699);
    RunTreeCommand({kNorth}, CommandId::PointBackground);
    Settle();
    const CLift &lift = LiftWithId(Root(), QStringLiteral("11"));
    const QImage image = Table().grab().toImage();

    EXPECT_EQ(image.pixelColor(Centre(lift.m_Rect)), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(image.pixelColor(OutsideEveryFrame()), ToQColor(0x336699));
}

// An expose copies the kept picture; only a change the view is told of
// (a draw or colour command, a new layout, a new structure) paints again.
TEST_F(TableView, KeepsItsPictureUntilSomethingDrawnChanges)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    Settle();
    const QPoint outside = OutsideEveryFrame();
    const QColor before = PixelAt(outside);
    // The picture is kept once the table has been left alone for a moment.
    QTest::qWait(1500);

    North().FonGrp = 0x336699;
    Table().update();
    Settle();
    EXPECT_EQ(PixelAt(outside), before);

    Table().ReLayout();
    Settle();
    EXPECT_EQ(PixelAt(outside), ToQColor(0x336699));

    // A new structure forgets the picture with the point.
    Root().m_CurPunct = nullptr;
    Table().ResetView();
    Settle();
    EXPECT_EQ(PixelAt(outside), Table().palette().color(QPalette::Base));
}

// --- right click and colour commands -----------------------------------------------------------

TEST_F(TableView, RightClickOffersNothingWithoutACurrentPoint)
{
    StartWithStations();
    EXPECT_EQ(Table().ContextMenuCommands(QPoint(20, 20)), QList<CommandId>{});
    Table().RunCommand(CommandId::PointBackground);
    Table().RunCommand(CommandId::AllStreetsBackground);
    Table().RunCommand(CommandId::StreetBackground);
    EXPECT_TRUE(m_Colours.m_Initials.empty());
}

TEST_F(TableView, RightClickInAStreetFrameColoursThatStreet)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    // Inside the frame, below the tiles: not a caption, cell or tile.
    const Rect frame = Tikhaya().m_RectFrame;
    const QPoint below(frame.left + 5, frame.bottom - 1);
    ASSERT_EQ(North().HitTest(below.x(), below.y()), nullptr);
    EXPECT_EQ(Table().ContextMenuCommands(below), QList<CommandId>{CommandId::StreetBackground});

    m_Colours.Answer(0x40C0FF);
    const qsizetype layoutsBefore = LayoutStarts().size();
    Table().RunCommand(CommandId::StreetBackground);

    EXPECT_EQ(m_Colours.m_Initials, std::vector<Colour>{0xFFFFFF});
    EXPECT_EQ(Tikhaya().m_Color, 0x40C0FFu);
    EXPECT_EQ(Yakornaya().m_Color, 0xFFFFFFu);
    EXPECT_EQ(North().FonGrp, 0xFFFFFFu);
    EXPECT_EQ(LayoutStarts().size(), layoutsBefore + 1);
    // The frame and the text behind its caption and labels take the colour;
    // the tiles stay grey.
    const std::vector<SurfaceCall> painted = TablePaint();
    EXPECT_NE(std::find(painted.begin(), painted.end(), SurfaceCall::Round(Tikhaya().m_RectFrame, 0x40C0FF)),
              painted.end());
    EXPECT_NE(std::find(painted.begin(), painted.end(), SurfaceCall::TextBackground(0x40C0FF)), painted.end());
    for (const SurfaceCall &call : painted) {
        if (call.kind == SurfaceCall::Kind::FillRect && call.rect.left > 0) {
            EXPECT_EQ(call.colour, 0xC0C0C0u);
        }
    }
}

TEST_F(TableView, RightClickBetweenFramesOffersThePointsColours)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    const QPoint outside = OutsideEveryFrame();
    // A street chosen before is forgotten.
    ASSERT_EQ(Table().ContextMenuCommands(Centre(Tikhaya().m_RectName)), QList<CommandId>{CommandId::StreetBackground});

    EXPECT_EQ(Table().ContextMenuCommands(outside),
              (QList<CommandId>{CommandId::PointBackground, CommandId::AllStreetsBackground}));
    Table().RunCommand(CommandId::StreetBackground);
    EXPECT_TRUE(m_Colours.m_Initials.empty());
    EXPECT_EQ(Tikhaya().m_Color, 0xFFFFFFu);
}

TEST_F(TableView, PointColoursKeepTheCurrentPointAndLayItOutAgain)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    North().FonGrp = 0xF0F0F0;
    m_Colours.Answer(0x102030);
    m_Colours.Answer(0x80FF80);
    const qsizetype layoutsBefore = LayoutStarts().size();

    Table().RunCommand(CommandId::PointBackground);
    Table().RunCommand(CommandId::AllStreetsBackground);

    EXPECT_EQ(m_Colours.m_Initials, (std::vector<Colour>{0xF0F0F0, 0x102030}));
    EXPECT_EQ(North().FonGrp, 0x102030u);
    for (const CStreet *street : ChildrenAs<CStreet>(North()))
        EXPECT_EQ(street->m_Color, 0x80FF80u) << street->m_Name.toStdString();
    EXPECT_EQ(Root().m_CurPunct, &North());
    EXPECT_EQ(LayoutStarts().size(), layoutsBefore + 2);
    EXPECT_EQ(TablePaint().front(), SurfaceCall::Fill({0, 0, Table().width(), Table().height()}, 0x102030));
}

TEST_F(TableView, BlackIsRefusedAndCancelChangesNothing)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    const qsizetype linesBefore = LogTexts().size();
    m_Colours.Answer(Colour{0});
    m_Colours.Answer(std::nullopt);
    m_Colours.Answer(Colour{0});

    Table().RunCommand(CommandId::AllStreetsBackground);
    Table().RunCommand(CommandId::PointBackground);
    ASSERT_EQ(Table().ContextMenuCommands(Centre(Tikhaya().m_RectName)), QList<CommandId>{CommandId::StreetBackground});
    Table().RunCommand(CommandId::StreetBackground);

    EXPECT_EQ(m_Colours.m_Initials.size(), 3u);
    EXPECT_EQ(North().FonGrp, 0xFFFFFFu);
    for (const CStreet *street : ChildrenAs<CStreet>(North()))
        EXPECT_EQ(street->m_Color, 0xFFFFFFu);
    EXPECT_EQ(LogTexts().size(), linesBefore);
    const auto refused = std::pair{MessagePresenter::Icon::Warning,
                                   QStringLiteral("Черный цвет не может использоваться в качестве фона")};
    EXPECT_EQ(m_Presenter.m_Messages, (std::vector{refused, refused}));
}

TEST_F(TableView, AStreetChosenByARightClickIsForgottenWithTheStructure)
{
    const QString path = StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    ASSERT_EQ(Table().ContextMenuCommands(Centre(Tikhaya().m_RectName)), QList<CommandId>{CommandId::StreetBackground});

    // Another file replaces the structure; the same one comes back and its
    // point is drawn again, but no right click has chosen a street since.
    const QString other = WriteFile(QStringLiteral("other.xml"), PultDocument("<DISP Name=\"Восток\"/>"));
    ASSERT_TRUE(Frame().OpenFile(other));
    ASSERT_TRUE(Frame().OpenFile(path));
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    Table().RunCommand(CommandId::StreetBackground);

    EXPECT_TRUE(m_Colours.m_Initials.empty());
    for (const CStreet *street : ChildrenAs<CStreet>(North()))
        EXPECT_EQ(street->m_Color, 0xFFFFFFu);
}

// --- tooltips ----------------------------------------------------------------------------------

TEST_F(TableView, TooltipsNameTheStreetHouseOrLiftUnderTheMouse)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    const CHome &ten = HomeNamed(Tikhaya(), QStringLiteral("д.10"));
    const CHome &two = HomeNamed(Tikhaya(), QStringLiteral("д.2"));

    // The tree's order: «д.10» before «д.2», «л1» before «Л2».
    EXPECT_LT(ten.m_Rect.left, two.m_Rect.left);
    EXPECT_LT(LiftWithId(Root(), QStringLiteral("11")).m_Rect.left, LiftWithId(Root(), QStringLiteral("12")).m_Rect.left);

    const std::vector<std::pair<Rect, QString>> tips{
        {Tikhaya().m_RectName, QStringLiteral("ул. Тихая")},
        {Yakornaya().m_RectName, QStringLiteral("Ул. Якорная")},
        {two.m_Rect, QStringLiteral("ул. Тихая,д.2")},
        {HomeNamed(Yakornaya(), QStringLiteral("Д. 5")).m_Rect, QStringLiteral("Ул. Якорная,Д. 5")},
        {LiftWithId(Root(), QStringLiteral("11")).m_Rect, QStringLiteral("л1 (11) - -1:0:0")},
        {LiftWithId(Root(), QStringLiteral("21")).m_Rect, QStringLiteral("Л1 (21) - 4:5:6")},
    };
    for (const auto &[rect, text] : tips) {
        const CNodeB *node = North().HitTest(Centre(rect).x(), Centre(rect).y());
        ASSERT_NE(node, nullptr) << text.toStdString();
        EXPECT_EQ(CKorvixView::TooltipText(*node), text);
        EXPECT_EQ(TooltipAt(Centre(rect)), text);
    }
    EXPECT_EQ(TooltipAt(OutsideEveryFrame()), std::nullopt);
}

TEST_F(TableView, TooltipsByControllerStillAnswerForTheLastStreetLayout)
{
    StartWithStations();
    RunTreeCommand({kSouth}, CommandId::DrawByStreets);
    CPunct &south = PointNamed(Root(), kSouth);
    const CStreet &sadovaya = StreetNamed(south, QStringLiteral("ул. Садовая"));
    const Rect caption = sadovaya.m_RectName;
    const CHome &house = HomeNamed(sadovaya, QStringLiteral("д.1"));
    const Rect cell = house.m_Rect;

    RunTreeCommand({kSouth}, CommandId::DrawByController);
    ASSERT_TRUE(south.m_ByProvider);
    EXPECT_EQ(TooltipAt(Centre(caption)), QStringLiteral("ул. Садовая"));
    EXPECT_EQ(TooltipAt(Centre(cell)), QStringLiteral("ул. Садовая,д.1"));

    // A tile of the new layout away from the old caption and cell names its lift.
    const std::vector<std::pair<QString, QString>> lifts{{QStringLiteral("501"), QStringLiteral("П1 (501) - 1:2:3")},
                                                          {QStringLiteral("502"), QStringLiteral("П2 (502) - 1:2:14")},
                                                          {QStringLiteral("503"), QStringLiteral("П3 (503) - 7")}};
    int named = 0;
    for (const auto &[id, text] : lifts) {
        const QPoint centre = Centre(LiftWithId(Root(), id).m_Rect);
        if (caption.Contains(centre.x(), centre.y()) || cell.Contains(centre.x(), centre.y()))
            continue;
        EXPECT_EQ(TooltipAt(centre), text);
        ++named;
    }
    EXPECT_GT(named, 0);
}

// --- size changes ------------------------------------------------------------------------------

TEST_F(TableView, ResizingBeforeAnyDrawCommandLaysNothingOut)
{
    StartWithStations();
    const QSize before = Table().size();
    Frame().resize(800, 560);
    Settle();
    ASSERT_NE(Table().size(), before);
    EXPECT_TRUE(LayoutStarts().isEmpty());
    EXPECT_EQ(Root().m_CurPunct, nullptr);
}

struct ResizeCase
{
    std::string name;
    CommandId command;
    QString point;
    LayoutMode mode;
    QString lineStart; // %1, %2: the new client size
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const ResizeCase &c, std::ostream *os) { *os << c.name; }
};

class ResizeAfterDraw : public TableView, public ::testing::WithParamInterface<ResizeCase>
{
};

TEST_P(ResizeAfterDraw, LaysThePointOutAgainInItsMode)
{
    const ResizeCase &c = GetParam();
    StartWithStations();
    RunTreeCommand({c.point}, c.command);
    const QSize before = Table().size();

    Frame().resize(820, 540);
    Settle();
    const QSize after = Table().size();
    ASSERT_NE(after, before);

    EXPECT_EQ(LayoutStarts().last(), c.lineStart.arg(after.width()).arg(after.height()));
    CPunct &point = PointNamed(Root(), c.point);
    EXPECT_EQ(Root().m_CurPunct, &point);
    EXPECT_EQ(CurrentLayoutMode(point), c.mode);
    EXPECT_TRUE(point.m_Valid);
    // The window's own paint has fitted the house labels in its font: fit
    // them again on both sides with the recording surface's widths.
    ReferenceLayout reference(kStations);
    CPunct &expected = reference.Draw(c.point, c.mode, after.width(), after.height());
    expected.m_FitLabels = point.m_FitLabels = c.mode != LayoutMode::Controller;
    EXPECT_EQ(TablePaint(), PaintCalls(*reference.structure.root, after.width(), after.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ResizeAfterDraw,
    ::testing::Values(ResizeCase{"ByStreets", CommandId::DrawByStreets, kNorth, LayoutMode::Streets,
                                 QStringLiteral("RePlaseTab 1 aSizeWin (%1,%2) Север")},
                      ResizeCase{"ByController", CommandId::DrawByController, kSouth, LayoutMode::Controller,
                                 QStringLiteral("AllProvider::RePlaseTab 1 aSizeWin (%1,%2) ")}),
    CaseName<ResizeCase>);

TEST_F(TableView, MovingTheSplitterLaysTheCurrentPointOutForTheNewWidth)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawTwoColumns);
    QSplitter &splitter = *Frame().Splitter();
    const QList<int> sizes = splitter.sizes();
    ASSERT_EQ(sizes.size(), 2);

    splitter.setSizes({sizes[0] + 150, sizes[1] - 150});
    Settle();

    const QSize after = Table().size();
    EXPECT_EQ(after.width(), sizes[1] - 150);
    EXPECT_EQ(LayoutStarts().last(),
              QStringLiteral("RePlaseTab 1 aSizeWin (%1,%2) Север").arg(after.width() / 2).arg(after.height() * 1950 / 1000));
    EXPECT_TRUE(North().m_TwoCol);
}

TEST_F(TableView, APaneTooNarrowForAnyLayoutShowsAndNamesNothing)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    ASSERT_TRUE(North().m_Valid);
    const Rect caption = Tikhaya().m_RectName;
    QSplitter &splitter = *Frame().Splitter();
    const QList<int> sizes = splitter.sizes();

    splitter.setSizes({sizes[0] + sizes[1] - 5, 5});
    Settle();

    // Tiles would be narrower than 8 pixels.
    ASSERT_LT(Table().width(), 8);
    EXPECT_EQ(Root().m_CurPunct, &North());
    EXPECT_FALSE(North().m_Valid);
    EXPECT_TRUE(TablePaint().empty());
    EXPECT_EQ(PixelAt(QPoint(Table().width() / 2, Table().height() / 2)), Table().palette().color(QPalette::Base));
    EXPECT_EQ(TooltipAt(Centre(caption)), std::nullopt);
    EXPECT_EQ(Table().ContextMenuCommands(Centre(caption)),
              (QList<CommandId>{CommandId::PointBackground, CommandId::AllStreetsBackground}));
}

// The table stays empty, and the status bar says why and how large the pane
// would have to be; the search for that size writes nothing to the log.
TEST_F(TableView, AnEmptyTableSaysHowLargeThePaneWouldHaveToBe)
{
    StartWithStations();
    RunTreeCommand({kNorth}, CommandId::DrawByStreets);
    ASSERT_TRUE(North().m_Valid);
    auto *ready = Frame().findChild<QLabel *>(QStringLiteral("readyPane"));
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->text(), QStringLiteral("Готово"));
    QSplitter &splitter = *Frame().Splitter();
    const QList<int> sizes = splitter.sizes();

    splitter.setSizes({sizes[0] + sizes[1] - 5, 5});
    Settle();
    ASSERT_FALSE(North().m_Valid);
    const qsizetype layouts = LayoutStarts().size();
    const QRegularExpression said(QStringLiteral("^Таблица пункта «Север» не помещается: нужна область не меньше "
                                                 "(\\d+)×(\\d+) пикселей \\(сейчас %1×%2\\)\\.$")
                                      .arg(Table().width())
                                      .arg(Table().height()));
    QRegularExpressionMatch match;
    for (int waited = 0; waited < 3000 && !(match = said.match(ready->text())).hasMatch(); waited += 50)
        QTest::qWait(50);
    ASSERT_TRUE(match.hasMatch()) << ready->text().toStdString();
    EXPECT_EQ(LayoutStarts().size(), layouts);
    EXPECT_FALSE(North().m_Valid) << "the point is left laid out for the pane as it is";
    EXPECT_TRUE(TablePaint().empty());

    // The size named is one the layout takes, and not much less is.
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    ReferenceLayout reference(kStations);
    EXPECT_TRUE(reference.Draw(kNorth, LayoutMode::Streets, width, height).m_Valid);
    EXPECT_FALSE(reference.Draw(kNorth, LayoutMode::Streets, width * 97 / 100, height * 97 / 100).m_Valid);

    // Room again: the table is shown and the words go.
    splitter.setSizes(sizes);
    Settle();
    EXPECT_TRUE(North().m_Valid);
    EXPECT_EQ(ready->text(), QStringLiteral("Готово"));
}

} // namespace
