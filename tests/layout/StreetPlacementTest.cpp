#include "layout/DrawCommand.h"
#include "tests/layout/LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Streets "Ленина" (houses of 2 and 1 lifts: 5 tiles and a gap), "Тихий"
// (1 lift: 2 tiles and a gap) and "Кронштадтский бульвар" (1 lift, but a
// label of 6 tiles, no gap), with a house and streets that hold no lift.
// Their names sort in this order both by code unit and as the tree sorts.
const char kCentre[] = R"(
<STREET Name="пер. Ленина">
  <HOME Name="д.0"/>
  <HOME Name="д.1"><LIFT Name="П1" ID="101"/><LIFT Name="П2" ID="102"/></HOME>
  <HOME Name="д.2"><LIFT Name="П1" ID="103"/></HOME>
</STREET>
<STREET Name="пер. Никакой"/>
<STREET Name="пер. Пустой"><HOME Name="д.9"/></STREET>
<STREET Name="пер. Тихий"><HOME Name="д.5"><LIFT Name="П1" ID="201"/></HOME></STREET>
<STREET Name="ул. Кронштадтский бульвар"><HOME Name="д.3"><LIFT Name="П1" ID="301"/></HOME></STREET>
)";

const Rect kUntouched{-7, -7, -7, -7};

struct PlacedCell
{
    const char *home;
    Rect cell;
};

struct PlacedTile
{
    const char *liftId;
    Rect tile;
};

struct PlacedStreet
{
    const char *name;
    Rect caption;
    Rect frame;
    std::vector<PlacedCell> cells;
    std::vector<PlacedTile> tiles;
};

struct PlacementCase
{
    const char *name;
    const char *streets; // the point's STREET elements
    std::int32_t totalCol;
    int lastRow;
    std::vector<PlacedStreet> placed; // everything else keeps its rectangles
};

void PrintTo(const PlacementCase &c, std::ostream *os)
{
    *os << c.name;
}

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// Marks every rectangle of the point, so that a test can tell which ones a
// layout wrote.
void MarkAllRects(CPunct &point)
{
    for (CStreet *street : ChildrenAs<CStreet>(point)) {
        street->m_RectName = kUntouched;
        street->m_RectFrame = kUntouched;
        for (CHome *home : ChildrenAs<CHome>(*street)) {
            home->m_Rect = kUntouched;
            for (CLift *lift : ChildrenAs<CLift>(*home))
                lift->m_Rect = kUntouched;
        }
    }
}

// Compares the point's rectangles with the expected ones; every street, house
// and lift not listed must still be marked.
void ExpectPlaced(const LoggedStructure &s, CPunct &point, const std::vector<PlacedStreet> &placed)
{
    for (CStreet *street : ChildrenAs<CStreet>(point)) {
        const PlacedStreet *expected = nullptr;
        for (const PlacedStreet &p : placed)
            if (Utf8(p.name) == street->m_Name)
                expected = &p;
        SCOPED_TRACE(street->m_Name.toStdString());
        EXPECT_EQ(street->m_RectName, expected ? expected->caption : kUntouched);
        EXPECT_EQ(street->m_RectFrame, expected ? expected->frame : kUntouched);
        for (CHome *home : ChildrenAs<CHome>(*street)) {
            Rect cell = kUntouched;
            if (expected)
                for (const PlacedCell &c : expected->cells)
                    if (Utf8(c.home) == home->m_Name)
                        cell = c.cell;
            EXPECT_EQ(home->m_Rect, cell) << "house " << home->m_Name.toStdString();
            for (CLift *lift : ChildrenAs<CLift>(*home)) {
                Rect tile = kUntouched;
                if (expected)
                    for (const PlacedTile &t : expected->tiles)
                        if (Utf8(t.liftId) == lift->ID)
                            tile = t.tile;
                EXPECT_EQ(lift->m_Rect, tile) << "lift " << lift->ID.toStdString();
            }
        }
    }
    for (const PlacedStreet &p : placed)
        EXPECT_NO_THROW(s.Street(point.m_Name, Utf8(p.name))) << "listed street missing: " << p.name;
}

const std::vector<PlacedStreet> kCentreAtSix = {
    {"пер. Ленина", {1, 4, 248, 40}, {0, 4, 252, 82},
     {{"д.1", {1, 40, 50, 80}}, {"д.2", {151, 40, 200, 80}}},
     {{"101", {50, 40, 100, 80}}, {"102", {100, 40, 150, 80}}, {"103", {200, 40, 250, 80}}}},
    {"пер. Тихий", {1, 84, 98, 120}, {0, 84, 102, 162}, {{"д.5", {1, 120, 50, 160}}}, {{"201", {50, 120, 100, 160}}}},
    {"ул. Кронштадтский бульвар", {1, 164, 298, 200}, {0, 164, 302, 242}, {{"д.3", {1, 200, 50, 240}}},
     {{"301", {50, 200, 100, 240}}}},
};

const PlacementCase kPlacementCases[] = {
    // Each street opens a band: the first drops its gap column when the band closes.
    {"ThreeStreetsSixColumns", kCentre, 6, 5, kCentreAtSix},
    // "Тихий" follows in band 1, so the first caption reaches over the gap column.
    {"ThreeStreetsEightColumns", kCentre, 8, 3,
     {{"пер. Ленина", {1, 4, 298, 40}, {0, 4, 300, 82},
       {{"д.1", {1, 40, 50, 80}}, {"д.2", {151, 40, 200, 80}}},
       {{"101", {50, 40, 100, 80}}, {"102", {100, 40, 150, 80}}, {"103", {200, 40, 250, 80}}}},
      {"пер. Тихий", {301, 4, 398, 40}, {300, 4, 402, 82}, {{"д.5", {301, 40, 350, 80}}},
       {{"201", {350, 40, 400, 80}}}},
      {"ул. Кронштадтский бульвар", {1, 84, 298, 120}, {0, 84, 302, 162}, {{"д.3", {1, 120, 50, 160}}},
       {{"301", {50, 120, 100, 160}}}}}},
    // A label narrower than a tile: the content is 7 tiles in a grid of 4, so
    // the second house wraps; the caption keeps the content's width.
    {"OneLetterLabelWraps",
     R"(<STREET Name="ул. Я">
          <HOME Name="д.1"><LIFT Name="1" ID="11"/><LIFT Name="2" ID="12"/><LIFT Name="3" ID="13"/></HOME>
          <HOME Name="д.2"><LIFT Name="1" ID="21"/><LIFT Name="2" ID="22"/></HOME>
        </STREET>)",
     4, 2,
     {{"ул. Я", {1, 4, 348, 40}, {0, 4, 202, 122},
       {{"д.1", {1, 40, 50, 80}}, {"д.2", {1, 80, 50, 120}}},
       {{"11", {50, 40, 100, 80}}, {"12", {100, 40, 150, 80}}, {"13", {150, 40, 200, 80}},
        {"21", {50, 80, 100, 120}}, {"22", {100, 80, 150, 120}}}}}},
    // One column is left after the first house, but a house cell never takes
    // the last column.
    {"HouseCellSkipsLastColumn",
     R"(<STREET Name="ул. В">
          <HOME Name="д.1"><LIFT Name="1" ID="11"/><LIFT Name="2" ID="12"/></HOME>
          <HOME Name="д.2"><LIFT Name="1" ID="21"/></HOME>
        </STREET>)",
     4, 2,
     {{"ул. В", {1, 4, 248, 40}, {0, 4, 202, 122}, {{"д.1", {1, 40, 50, 80}}, {"д.2", {1, 80, 50, 120}}},
       {{"11", {50, 40, 100, 80}}, {"12", {100, 40, 150, 80}}, {"21", {50, 80, 100, 120}}}}}},
    // Lifts wrap to column 0; a wrapped street keeps the full grid width and
    // the next street opens a new band.
    {"LiftsWrapThenNewBand",
     R"(<STREET Name="ул. А"><HOME Name="д.1">
          <LIFT Name="1" ID="11"/><LIFT Name="2" ID="12"/><LIFT Name="3" ID="13"/>
          <LIFT Name="4" ID="14"/><LIFT Name="5" ID="15"/></HOME></STREET>
        <STREET Name="ул. Б"><HOME Name="д.1"><LIFT Name="1" ID="21"/></HOME></STREET>)",
     4, 4,
     {{"ул. А", {1, 4, 298, 40}, {0, 4, 202, 122}, {{"д.1", {1, 40, 50, 80}}},
       {{"11", {50, 40, 100, 80}}, {"12", {100, 40, 150, 80}}, {"13", {150, 40, 200, 80}},
        {"14", {0, 80, 50, 120}}, {"15", {50, 80, 100, 120}}}},
      {"ул. Б", {1, 124, 98, 160}, {0, 124, 102, 202}, {{"д.1", {1, 160, 50, 200}}}, {{"21", {50, 160, 100, 200}}}}}},
    // A label wider than the content leaves no gap: the next street starts
    // right after it and the first caption does not grow.
    {"WideLabelNoGap",
     R"(<STREET Name="ул. Кронштадтский бульвар"><HOME Name="д.3"><LIFT Name="П1" ID="301"/></HOME></STREET>
        <STREET Name="ул. Я"><HOME Name="д.1"><LIFT Name="П1" ID="401"/></HOME></STREET>)",
     10, 1,
     {{"ул. Кронштадтский бульвар", {1, 4, 298, 40}, {0, 4, 300, 82}, {{"д.3", {1, 40, 50, 80}}},
       {{"301", {50, 40, 100, 80}}}},
      {"ул. Я", {301, 4, 398, 40}, {300, 4, 402, 82}, {{"д.1", {301, 40, 350, 80}}}, {{"401", {350, 40, 400, 80}}}}}},
    // Nothing to place: row 1 and no rectangle written.
    {"NoLifts", R"(<STREET Name="ул. А"><HOME Name="д.1"/></STREET><STREET Name="ул. Б"/>)", 6, 1, {}},
};

class PlaceStreets : public ::testing::TestWithParam<PlacementCase>
{
};

TEST_P(PlaceStreets, RectanglesOfOnePass)
{
    const PlacementCase &c = GetParam();
    LoggedStructure s;
    s.Load(PointDocument("Центр", c.streets));
    CPunct &point = s.Point(QStringLiteral("Центр"));
    MarkAllRects(point);
    point.m_SizeLiftTab = {50, 40};
    point.m_TotalCol = c.totalCol;
    point.m_FitLabels = false;

    EXPECT_EQ(point.PlaceStreets(), c.lastRow);
    EXPECT_TRUE(point.m_FitLabels);
    ExpectPlaced(s, point, c.placed);
}

INSTANTIATE_TEST_SUITE_P(Cases, PlaceStreets, ::testing::ValuesIn(kPlacementCases),
                         CaseName<PlacementCase>);

struct WidthCase
{
    const char *name;
    const char *street;
    std::int32_t width;
    bool gap;
};

void PrintTo(const WidthCase &c, std::ostream *os)
{
    *os << c.name;
}

const WidthCase kWidthCases[] = {
    {"CellsAndTilesWithGap", R"(<STREET Name="ул. Ленина"><HOME Name="1"><LIFT Name="a"/><LIFT Name="b"/></HOME>
                                 <HOME Name="2"><LIFT Name="a"/></HOME></STREET>)",
     5, true},
    {"LabelWiderThanContent", R"(<STREET Name="ул. Кронштадтский бульвар"><HOME Name="1"><LIFT Name="a"/></HOME></STREET>)",
     6, false},
    // Content as wide as the label: the content counts, with a gap.
    {"LabelAsWideAsContent", R"(<STREET Name="Садовая"><HOME Name="1"><LIFT Name="a"/></HOME></STREET>)", 2, true},
    {"HousesWithoutLiftsDoNotCount",
     R"(<STREET Name="А"><HOME Name="1"/><HOME Name="2"><LIFT Name="a"/></HOME><HOME Name="3"/></STREET>)", 2, true},
    {"NoLiftAtAll", R"(<STREET Name="Кронштадтский бульвар"><HOME Name="1"/></STREET>)", 0, false},
    {"NoHouse", R"(<STREET Name="Кронштадтский бульвар"/>)", 0, false},
};

class StreetWidth : public ::testing::TestWithParam<WidthCase>
{
};

TEST_P(StreetWidth, TilesAndGap)
{
    LoggedStructure s;
    s.Load(PointDocument("П", GetParam().street));
    CPunct &point = s.Point(QStringLiteral("П"));
    ASSERT_EQ(point.m_Children.size(), 1u);
    bool gap = !GetParam().gap;
    EXPECT_EQ(static_cast<CStreet *>(point.m_Children.front().get())->GetTileWidth(gap), GetParam().width);
    EXPECT_EQ(gap, GetParam().gap);
}

INSTANTIATE_TEST_SUITE_P(Cases, StreetWidth, ::testing::ValuesIn(kWidthCases),
                         CaseName<WidthCase>);

// The whole entry: the demand counts the gap columns (15 here), the search
// logs its lines, and the pass lays the streets out for 50 x 40 tiles.
TEST(StreetLayout, OneColumnEntry)
{
    LoggedStructure s;
    s.Load(PointDocument("Центр", kCentre));
    CPunct &point = s.Point(QStringLiteral("Центр"));
    MarkAllRects(point);

    EXPECT_TRUE(point.RePlaseTab(300, 240));
    EXPECT_TRUE(point.m_Valid);
    EXPECT_EQ(point.m_SizeLiftTab, (Size{50, 40}));
    EXPECT_EQ(point.m_TotalCol, 6);
    EXPECT_EQ(point.m_TotalRow, 6);
    const QStringList expected = {
        QString(),
        QStringLiteral("RePlaseTab 1 aSizeWin (300,240) Центр"),
        QStringLiteral("RePlaseTab 2 m_SizeLiftTab(50,40) m_TotalCol=6 m_TotalRow=6"),
        QStringLiteral("RePlaseTab 3 m_SizeLiftTab(50,40) m_TotalRow=6 TotRow=6"),
    };
    EXPECT_EQ(s.LogTexts(), expected);
    ExpectPlaced(s, point, kCentreAtSix);
}

TEST(StreetLayout, PointWithoutLiftsIsValidAndEmpty)
{
    LoggedStructure s;
    s.Load(PointDocument("Пусто", R"(<STREET Name="ул. А"><HOME Name="д.1"/></STREET>)"));
    CPunct &point = s.Point(QStringLiteral("Пусто"));
    point.m_TotalCol = 4;

    EXPECT_TRUE(point.RePlaseTab(800, 600));
    EXPECT_EQ(point.m_SizeLiftTab, (Size{0, 0}));
    EXPECT_EQ(point.m_TotalCol, 4);
    EXPECT_EQ(s.LogTexts(), (QStringList{QString(), QStringLiteral("RePlaseTab 1 aSizeWin (800,600) Пусто")}));
}

// A failed search leaves the point invalid; a later success makes it valid again.
TEST(StreetLayout, FailureThenSuccess)
{
    LoggedStructure s;
    s.Load(PointDocument("Центр", kCentre));
    CPunct &point = s.Point(QStringLiteral("Центр"));
    EXPECT_FALSE(point.RePlaseTab(300, 1));
    EXPECT_FALSE(point.m_Valid);
    EXPECT_TRUE(point.RePlaseTab(300, 240));
    EXPECT_TRUE(point.m_Valid);
}

// Ten streets of one house with one lift each: two streets to a band of the
// half-width layout (500 x 780: tiles 83 x 78, 6 columns, five bands).
QByteArray TenStreets()
{
    QByteArray streets;
    for (int i = 1; i <= 10; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(2, '0');
        streets += "<STREET Name=\"ул. " + n + "\"><HOME Name=\"д.1\"><LIFT Name=\"П1\" ID=\"4" + n
            + "\"/></HOME></STREET>";
    }
    return streets;
}

// Where a street of the ten lies: the first of a band at columns 0-1 (its
// caption reaches over the gap), the second at columns 3-4.
PlacedStreet TenStreetsRects(const char *name, const char *liftId, std::int32_t dx, std::int32_t top, bool second)
{
    const std::int32_t x = second ? 249 : 0;
    const Rect caption = second ? Rect{250, top, 413, top + 74} : Rect{1, top, 247, top + 74};
    const Rect frame = second ? Rect{249, top, 417, top + 154} : Rect{0, top, 249, top + 154};
    Rect cell{x + 1, top + 74, x + 83, top + 152};
    Rect tile{x + 83, top + 74, x + 166, top + 152};
    Rect moved[] = {caption, frame, cell, tile};
    for (Rect &r : moved)
        r.Offset(dx, 0);
    return {name, moved[0], moved[1], {{"д.1", moved[2]}}, {{liftId, moved[3]}}};
}

// Two columns in 1000 x 400: the first street whose frame reaches below 400
// opens the right half at its band's top, and every later street follows.
TEST(TwoColumnLayout, LowerStreetsMoveToTheRightHalf)
{
    LoggedStructure s;
    s.Load(PointDocument("Север", TenStreets()));
    CPunct &point = s.Point(QStringLiteral("Север"));
    SetLayoutMode(point, LayoutMode::TwoColumns);

    ASSERT_TRUE(point.RePlaseTab(1000, 400));
    EXPECT_FALSE(point.m_TwoColPass);
    EXPECT_EQ(point.m_SizeLiftTab, (Size{83, 78}));
    EXPECT_EQ(point.m_TotalCol, 6);
    const QStringList log = s.LogTexts();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[1], QStringLiteral("RePlaseTab 1 aSizeWin (500,780) Север"));

    // Bands start at 4, 160, 316, 472 and 628; the third band's frame ends at
    // 470 > 400, so the limit is 316 - 4 and it moves by (500, -312).
    const std::vector<PlacedStreet> expected = {
        TenStreetsRects("ул. 01", "401", 0, 4, false),   TenStreetsRects("ул. 02", "402", 0, 4, true),
        TenStreetsRects("ул. 03", "403", 0, 160, false), TenStreetsRects("ул. 04", "404", 0, 160, true),
        TenStreetsRects("ул. 05", "405", 500, 4, false), TenStreetsRects("ул. 06", "406", 500, 4, true),
        TenStreetsRects("ул. 07", "407", 500, 160, false), TenStreetsRects("ул. 08", "408", 500, 160, true),
        TenStreetsRects("ул. 09", "409", 500, 316, false), TenStreetsRects("ул. 10", "410", 500, 316, true),
    };
    ExpectPlaced(s, point, expected);

    // Laying out again starts from the inner pass, not from moved rectangles.
    ASSERT_TRUE(point.RePlaseTab(1000, 400));
    ExpectPlaced(s, point, expected);
}

// The very first street already reaches below the bottom edge: the limit is 0
// and everything moves right, without moving up.
TEST(TwoColumnLayout, FirstStreetBelowTheEdgeMovesAll)
{
    QByteArray lifts;
    for (int i = 1; i <= 20; ++i)
        lifts += "<LIFT Name=\"" + QByteArray::number(100 + i) + "\" ID=\"" + QByteArray::number(100 + i) + "\"/>";
    LoggedStructure s;
    s.Load(PointDocument("Юг", "<STREET Name=\"ул. Длинная\"><HOME Name=\"д.1\">" + lifts
                                    + "</HOME></STREET>"
                                      "<STREET Name=\"ул. Кор\"><HOME Name=\"д.1\"><LIFT Name=\"1\" ID=\"201\"/></HOME></STREET>"));
    CPunct &point = s.Point(QStringLiteral("Юг"));
    SetLayoutMode(point, LayoutMode::TwoColumns);

    // Inner layout 500 x 195: tiles 45 x 38 after a grow, 11 columns.
    ASSERT_TRUE(point.RePlaseTab(1000, 100));
    EXPECT_EQ(point.m_SizeLiftTab, (Size{45, 38}));
    const CStreet &longStreet = s.Street(QStringLiteral("Юг"), QStringLiteral("ул. Длинная"));
    EXPECT_EQ(longStreet.m_RectFrame, (Rect{500, 4, 997, 116}));
    EXPECT_EQ(longStreet.m_RectName, (Rect{501, 4, 1443, 38}));
    EXPECT_EQ(s.Home(QStringLiteral("Юг"), QStringLiteral("ул. Длинная"), QStringLiteral("д.1")).m_Rect,
              (Rect{501, 38, 545, 76}));
    EXPECT_EQ(s.Lift(QStringLiteral("101")).m_Rect, (Rect{545, 38, 590, 76}));
    EXPECT_EQ(s.Lift(QStringLiteral("111")).m_Rect, (Rect{500, 76, 545, 114}));
    const CStreet &shortStreet = s.Street(QStringLiteral("Юг"), QStringLiteral("ул. Кор"));
    EXPECT_EQ(shortStreet.m_RectFrame, (Rect{500, 118, 592, 192}));
    EXPECT_EQ(shortStreet.m_RectName, (Rect{501, 118, 588, 152}));
    EXPECT_EQ(s.Lift(QStringLiteral("201")).m_Rect, (Rect{545, 152, 590, 190}));
}

// A failed inner pass moves nothing.
TEST(TwoColumnLayout, FailedInnerPassMovesNothing)
{
    LoggedStructure s;
    s.Load(PointDocument("Север", TenStreets()));
    CPunct &point = s.Point(QStringLiteral("Север"));
    SetLayoutMode(point, LayoutMode::TwoColumns);
    MarkAllRects(point);

    EXPECT_FALSE(point.RePlaseTab(1000, 1));
    EXPECT_FALSE(point.m_Valid);
    EXPECT_FALSE(point.m_TwoColPass);
    ExpectPlaced(s, point, {});
}

} // namespace
