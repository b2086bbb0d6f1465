// The table painting through a recording surface: what is drawn, where, in
// which font and colour, for both layout modes; the fonts' sizes; and when
// the house labels are fitted.

#include "layout/HeadlessTree.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/TablePainter.h"

#include <QByteArray>

#include <algorithm>
#include <climits>
#include <tuple>

namespace {

using Call = SurfaceCall;
using Kind = SurfaceCall::Kind;

constexpr Colour kGrey = 0xC0C0C0;
constexpr unsigned kCaption = 0x40008024;
constexpr unsigned kOneLine = 0x40008026;
constexpr unsigned kFirstLine = 0x40008022;
constexpr unsigned kSecondLine = 0x4000802A;
constexpr unsigned kSecondLineOver = 0x40008028;

// Fonts for a tile height of 40 at 96 dpi: MulDiv(615, 96, 2540) and MulDiv(470, 96, 2540).
const FontSpec kLarge40{23, 800, QStringLiteral("Arial")};
const FontSpec kSmall40{18, 700, QStringLiteral("Arial")};

// Reads the structure in the tree's order and places it by streets with a
// fixed tile size, as a successful layout would leave it.
struct StreetTable
{
    TestStructure s;
    CPunct *point = nullptr;

    StreetTable(const QByteArray &disp, Size tile, int columns)
    {
        s.Load(PultDocument(disp));
        HeadlessTree tree;
        tree.Fill(*s.root);
        point = &PointNamed(*s.root, QStringLiteral("П"));
        s.root->m_CurPunct = point;
        point->m_SizeLiftTab = tile;
        point->m_TotalCol = columns;
        point->PlaceStreets();
        point->m_Valid = true;
    }
};

const QByteArray kThreeStreets = R"(<DISP Name="П">
  <STREET Name="ул. Береговая">
    <HOME Name="д.1"><LIFT Name="Л1"/><LIFT Name="Л2"/></HOME>
    <HOME Name="д.2"/>
  </STREET>
  <STREET Name="ул. Пустая"><HOME Name="д.9"/></STREET>
  <STREET Name="ул. Тихая"><HOME Name="д.Корпус 12"><LIFT Name="Л1"/></HOME></STREET>
</DISP>)";

TEST(TablePainter, ByStreetsDrawsFramesCaptionsLabelsAndTiles)
{
    StreetTable t(kThreeStreets, {50, 40}, 8);
    RecordingSurface surface;
    surface.SetDefaultCharWidth(8);

    ASSERT_TRUE(TablePainter::Paint(*t.s.root, surface, 400, 300));

    // The street without lifts is left out; the house without lifts gets no
    // label; «1» fits and is short (and is measured in the large font too),
    // «Корпус 12» (72 wide) does not fit 49.
    const std::vector<Call> expected{
        Call::Fill({0, 0, 400, 300}, 0xFFFFFF),
        Call::Round({0, 4, 200, 82}, 0xFFFFFF),
        Call::TextBackground(0xFFFFFF),
        Call::Font(kLarge40),
        Call::Text(QStringLiteral("Береговая"), {1, 4, 198, 40}, kCaption, {2, 6, 198, 80}),
        Call::Font(kSmall40),
        Call::Font(kLarge40),
        Call::Font(kSmall40),
        Call::Font(kLarge40),
        Call::Text(QStringLiteral("1"), {1, 40, 50, 80}, kOneLine, {0, 0, 400, 300}),
        Call::Font(kSmall40),
        Call::Fill({51, 41, 99, 79}, kGrey),
        Call::Fill({101, 41, 149, 79}, kGrey),
        Call::Round({200, 4, 302, 82}, 0xFFFFFF),
        Call::TextBackground(0xFFFFFF),
        Call::Font(kLarge40),
        Call::Text(QStringLiteral("Тихая"), {201, 4, 298, 40}, kCaption, {202, 6, 300, 80}),
        Call::Font(kSmall40),
        Call::Text(QStringLiteral("Корпус"), {201, 40, 250, 80}, kFirstLine, {0, 0, 400, 300}),
        Call::Text(QStringLiteral("12"), {201, 40, 250, 80}, kSecondLine, {0, 0, 400, 300}),
        Call::Fill({251, 41, 299, 79}, kGrey),
    };
    EXPECT_EQ(surface.Calls(), expected);
    EXPECT_FALSE(t.point->m_FitLabels);

    // Labels are measured in the small font; a short single line also in the large one.
    ASSERT_FALSE(surface.Measured().empty());
    int inTheLargeFont = 0;
    for (const auto &[text, font] : surface.Measured()) {
        if (font == kLarge40) {
            EXPECT_EQ(text, QStringLiteral("1"));
            ++inTheLargeFont;
        } else {
            EXPECT_EQ(font, kSmall40) << text.toStdString();
        }
    }
    EXPECT_EQ(inTheLargeFont, 1);
}

TEST(TablePainter, StreetColourFillsFrameAndTextBackgroundButNotTiles)
{
    StreetTable t(kThreeStreets, {50, 40}, 8);
    CStreet &tikhaya = StreetNamed(*t.point, QStringLiteral("ул. Тихая"));
    tikhaya.m_Color = 0x80FF80;
    t.point->FonGrp = 0x102030;
    RecordingSurface surface;

    ASSERT_TRUE(TablePainter::Paint(*t.s.root, surface, 400, 300));

    EXPECT_EQ(surface.Calls().front(), Call::Fill({0, 0, 400, 300}, 0x102030));
    EXPECT_EQ(surface.CallsOf(Kind::RoundRect),
              (std::vector<Call>{Call::Round({0, 4, 200, 82}, 0xFFFFFF), Call::Round({200, 4, 302, 82}, 0x80FF80)}));
    EXPECT_EQ(surface.CallsOf(Kind::SetTextBackground),
              (std::vector<Call>{Call::TextBackground(0xFFFFFF), Call::TextBackground(0x80FF80)}));
    const std::vector<Call> fills = surface.CallsOf(Kind::FillRect);
    ASSERT_EQ(fills.size(), 4u);
    for (std::size_t i = 1; i < fills.size(); ++i)
        EXPECT_EQ(fills[i].colour, kGrey);
}

// Lifts of three connections: controller 1:2:3 (three), 1:2:14 (one) and
// eight with a Pro number.
const QByteArray kConnections = R"(<DISP Name="П"><STREET Name="ул. Садовая"><HOME Name="д.1">
  <LIFT Name="Л01" SubNet="1" UM="2" Slot="3" Addr="2"/>
  <LIFT Name="Л02" SubNet="1" UM="2" Slot="14"/>
  <LIFT Name="Л03" SubNet="1" UM="2" Slot="3" Addr="1"/>
  <LIFT Name="Л04" SubNet="1" UM="2" Slot="3" Addr="3"/>
  <LIFT Name="Л05" IDPro="5"/><LIFT Name="Л06" IDPro="2"/><LIFT Name="Л07" IDPro="8"/><LIFT Name="Л08" IDPro="1"/>
  <LIFT Name="Л09" IDPro="3"/><LIFT Name="Л10" IDPro="7"/><LIFT Name="Л11" IDPro="4"/><LIFT Name="Л12" IDPro="6"/>
</HOME></STREET></DISP>)";

TEST(TablePainter, ByControllerDrawsGroupsInTheLargeFont)
{
    TestStructure s;
    s.Load(PultDocument(kConnections));
    CPunct &point = PointNamed(*s.root, QStringLiteral("П"));
    s.root->m_CurPunct = &point;
    SetLayoutMode(point, LayoutMode::Controller);
    AllProvider &groups = point.m_AllProvider;
    groups.m_SizeLiftTab = {50, 40};
    groups.m_TotalCol = 6;
    groups.PlaceProviders();
    groups.m_Valid = true;
    point.m_SizeLiftTab = {50, 40};
    point.m_Valid = true;
    point.FonGrp = 0xEEEEEE;
    RecordingSurface surface;

    ASSERT_TRUE(TablePainter::Paint(*s.root, surface, 320, 240));

    std::vector<Call> expected{
        Call::Fill({0, 0, 320, 240}, 0xEEEEEE),
        Call::Font(kLarge40),
        Call::Round({0, 4, 150, 82}, 0xFFFFFF),
        Call::TextBackground(0xFFFFFF),
        Call::Text(QStringLiteral("1:2:3"), {1, 4, 148, 40}, kCaption, {2, 6, 148, 80}),
        Call::Fill({1, 41, 49, 79}, kGrey),
        Call::Fill({51, 41, 99, 79}, kGrey),
        Call::Fill({101, 41, 149, 79}, kGrey),
        Call::Round({150, 4, 252, 82}, 0xFFFFFF),
        Call::TextBackground(0xFFFFFF),
        Call::Text(QStringLiteral("1:2:14"), {151, 4, 248, 40}, kCaption, {152, 6, 250, 80}),
        Call::Fill({151, 41, 199, 79}, kGrey),
        Call::Round({0, 84, 302, 202}, 0xFFFFFF),
        Call::TextBackground(0xFFFFFF),
        // Its caption's rectangle reaches past the frame and the window; it is
        // seen only inside the frame's border.
        Call::Text(QStringLiteral("Pro"), {1, 84, 398, 120}, kCaption, {2, 86, 300, 200}),
    };
    for (int c = 0; c < 6; ++c)
        expected.push_back(Call::Fill({c * 50 + 1, 121, c * 50 + 49, 159}, kGrey));
    expected.push_back(Call::Fill({1, 161, 49, 199}, kGrey));
    expected.push_back(Call::Fill({51, 161, 99, 199}, kGrey));
    EXPECT_EQ(surface.Calls(), expected);
    // No house label is drawn or measured in this mode.
    EXPECT_TRUE(surface.Measured().empty());
}

TEST(TablePainter, PaintsNothingWithoutACurrentPointOrAValidLayout)
{
    StreetTable t(kThreeStreets, {50, 40}, 8);
    RecordingSurface surface;

    t.s.root->m_CurPunct = nullptr;
    EXPECT_FALSE(TablePainter::Paint(*t.s.root, surface, 400, 300));
    EXPECT_TRUE(surface.Calls().empty());

    // A pane one pixel high cannot take a layout.
    t.s.root->m_CurPunct = t.point;
    EXPECT_FALSE(t.point->RePlaseTab(400, 1));
    EXPECT_FALSE(TablePainter::Paint(*t.s.root, surface, 400, 1));
    EXPECT_TRUE(surface.Calls().empty());
    EXPECT_TRUE(surface.Measured().empty());
}

TEST(TablePainter, LabelsAreFittedOnlyInTheFirstPaintAfterAPlacementByStreets)
{
    StreetTable t(kThreeStreets, {50, 40}, 8);
    CHome &corpus = HomeNamed(StreetNamed(*t.point, QStringLiteral("ул. Тихая")), QStringLiteral("д.Корпус 12"));
    RecordingSurface wide;
    wide.SetDefaultCharWidth(1);
    ASSERT_TRUE(TablePainter::Paint(*t.s.root, wide, 400, 300));
    EXPECT_EQ(corpus.m_Line1, QStringLiteral("Корпус 12"));

    // A later paint draws the stored lines without measuring, whatever the
    // surface would say now.
    RecordingSurface narrow;
    narrow.SetDefaultCharWidth(8);
    ASSERT_TRUE(TablePainter::Paint(*t.s.root, narrow, 400, 300));
    EXPECT_TRUE(narrow.Measured().empty());
    EXPECT_EQ(corpus.m_Line1, QStringLiteral("Корпус 12"));
    EXPECT_TRUE(corpus.m_Line2.isEmpty());
    const std::vector<Call> texts = narrow.CallsOf(Kind::DrawText);
    EXPECT_EQ(texts.back(), Call::Text(QStringLiteral("Корпус 12"), corpus.m_Rect, kOneLine, {0, 0, 400, 300}));

    // A new placement by streets makes the next paint fit them again.
    t.point->PlaceStreets();
    narrow.Clear();
    ASSERT_TRUE(TablePainter::Paint(*t.s.root, narrow, 400, 300));
    EXPECT_FALSE(narrow.Measured().empty());
    EXPECT_EQ(corpus.m_Line1, QStringLiteral("Корпус"));
    EXPECT_EQ(corpus.m_Line2, QStringLiteral("12"));
}

TEST(TablePainter, ALayoutByControllerClearsTheFittingWithoutFitting)
{
    StreetTable t(kThreeStreets, {50, 40}, 8);
    CHome &corpus = HomeNamed(StreetNamed(*t.point, QStringLiteral("ул. Тихая")), QStringLiteral("д.Корпус 12"));
    ASSERT_TRUE(t.point->m_FitLabels);
    SetLayoutMode(*t.point, LayoutMode::Controller);
    ASSERT_TRUE(t.point->RePlaseTab(400, 300));
    RecordingSurface surface;

    ASSERT_TRUE(TablePainter::Paint(*t.s.root, surface, 400, 300));
    EXPECT_FALSE(t.point->m_FitLabels);
    EXPECT_TRUE(surface.Measured().empty());
    EXPECT_TRUE(corpus.m_Line1.isEmpty());
}

// --- house labels ----------------------------------------------------------------------------

struct LabelCase
{
    std::string name;
    QString house;       // the house's name; its label drops "д."
    int charWidth;       // every character's width
    std::vector<Call> drawn; // from the small font after the caption to the tile
    int largeCharWidth = 0; // every character's width in the large font, when not charWidth
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const LabelCase &c, std::ostream *os) { *os << c.name; }
};

class HouseLabelPainting : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(HouseLabelPainting, FollowsTheOneAndTwoLineRules)
{
    const LabelCase &c = GetParam();
    // One house of one lift: its cell is (1, 40, 50, 80), 49 wide.
    StreetTable t("<DISP Name=\"П\"><STREET Name=\"ул. А\"><HOME Name=\"" + c.house.toUtf8()
                      + "\"><LIFT Name=\"Л1\"/></HOME></STREET></DISP>",
                  {50, 40}, 8);
    RecordingSurface surface;
    surface.SetDefaultCharWidth(c.charWidth);
    if (c.largeCharWidth)
        surface.SetCharWidthInFont(kLarge40.cellHeight, c.largeCharWidth);

    ASSERT_TRUE(TablePainter::Paint(*t.s.root, surface, 400, 300));

    const std::vector<Call> &calls = surface.Calls();
    const auto caption = std::find_if(calls.begin(), calls.end(), [](const Call &call) { return call.kind == Kind::DrawText; });
    ASSERT_NE(caption, calls.end());
    std::vector<Call> expected{Call::Font(kSmall40)};
    expected.insert(expected.end(), c.drawn.begin(), c.drawn.end());
    expected.push_back(Call::Fill({51, 41, 99, 79}, kGrey));
    EXPECT_EQ(std::vector<Call>(caption + 1, calls.end()), expected);
}

const Rect kCell{1, 40, 50, 80};
// What the window shows.
const Rect kWindow{0, 0, 400, 300};

INSTANTIATE_TEST_SUITE_P(
    Rules, HouseLabelPainting,
    ::testing::Values(
        // Measured in the large font first (and fits: 30 of 49), then drawn in it.
        LabelCase{"ThreeCharactersInTheLargeFont", QStringLiteral("Д. 12А"), 10,
                  {Call::Font(kLarge40), Call::Font(kSmall40), Call::Font(kLarge40),
                   Call::Text(QStringLiteral("12А"), kCell, kOneLine, kWindow), Call::Font(kSmall40)}},
        // 60 wide in the large font, wider than the cell: drawn in the small
        // one, where it fits, instead of losing its first character.
        LabelCase{"ShortLabelTooWideForTheLargeFontStaysSmall", QStringLiteral("д. 88А"), 10,
                  {Call::Font(kLarge40), Call::Font(kSmall40), Call::Text(QStringLiteral("88А"), kCell, kOneLine, kWindow)},
                  20},
        LabelCase{"FourCharactersInTheSmallFont", QStringLiteral("д.12АБ"), 10,
                  {Call::Text(QStringLiteral("12АБ"), kCell, kOneLine, kWindow)}},
        LabelCase{"LongLabelThatFits", QStringLiteral("д.Корпус"), 8,
                  {Call::Text(QStringLiteral("Корпус"), kCell, kOneLine, kWindow)}},
        LabelCase{"TwoLinesRightAligned", QStringLiteral("д.Корпус 12"), 8,
                  {Call::Text(QStringLiteral("Корпус"), kCell, kFirstLine, kWindow),
                   Call::Text(QStringLiteral("12"), kCell, kSecondLine, kWindow)}},
        // Two lines stay in the small font, even with a short first line.
        LabelCase{"ShortFirstLineStaysSmall", QStringLiteral("д.12 Бис"), 10,
                  {Call::Text(QStringLiteral("12"), kCell, kFirstLine, kWindow),
                   Call::Text(QStringLiteral("Бис"), kCell, kSecondLine, kWindow)}},
        LabelCase{"SecondLineTooWideIsLeftAligned", QStringLiteral("д.Корпус 1234567"), 8,
                  {Call::Text(QStringLiteral("Корпус"), kCell, kFirstLine, kWindow),
                   Call::Text(QStringLiteral("1234567"), kCell, kSecondLineOver, kWindow)}}),
    CaseName<LabelCase>);

// --- fonts -----------------------------------------------------------------------------------

struct MulDivCase
{
    std::string name;
    std::int32_t a, b, c, result;
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const MulDivCase &c, std::ostream *os) { *os << c.name; }
};

class MulDivRounding : public ::testing::TestWithParam<MulDivCase>
{
};

TEST_P(MulDivRounding, MultipliesThenDividesToTheNearest)
{
    const MulDivCase &c = GetParam();
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MulDivRounding,
    ::testing::Values(MulDivCase{"Exact", 10, 6, 3, 20}, MulDivCase{"RoundsDown", 7, 1, 3, 2},
                      MulDivCase{"RoundsUp", 8, 1, 3, 3}, MulDivCase{"HalfAwayFromZero", 3, 1, 2, 2},
                      MulDivCase{"NegativeHalfAwayFromZero", -3, 1, 2, -2},
                      MulDivCase{"NegativeDivisor", 5, 1, -2, -3},
                      MulDivCase{"ProductBeyond32Bits", INT_MAX, 2, 2, INT_MAX},
                      MulDivCase{"LargeFontAt96Dpi", 492, 96, 2540, 19},
                      MulDivCase{"ByZero", 5, 7, 0, -1}),
    CaseName<MulDivCase>);

struct FontCase
{
    std::string name;
    std::int32_t tileHeight;
    int dpi;
    std::int32_t large, small;
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const FontCase &c, std::ostream *os) { *os << c.name; }
};

class FontHeights : public ::testing::TestWithParam<FontCase>
{
};

TEST_P(FontHeights, FollowTheTileHeightAndTheResolution)
{
    const FontCase &c = GetParam();
    EXPECT_EQ(TablePainter::LargeFont(c.tileHeight, c.dpi), (FontSpec{c.large, 800, QStringLiteral("Arial")}));
    EXPECT_EQ(TablePainter::SmallFont(c.tileHeight, c.dpi), (FontSpec{c.small, 700, QStringLiteral("Arial")}));
}

INSTANTIATE_TEST_SUITE_P(Cases, FontHeights,
                         ::testing::Values(FontCase{"Tile32At96", 32, 96, 19, 14}, FontCase{"Tile32At120", 32, 120, 23, 18},
                                           FontCase{"Tile40At96", 40, 96, 23, 18},
                                           // 80 * 400 / 26 = 1230.77 is cut to 1230 before scaling: 46.49, not 46.52.
                                           FontCase{"Tile80At96DropsTheFraction", 80, 96, 46, 36},
                                           FontCase{"Tile128At96", 128, 96, 74, 57},
                                           FontCase{"Tile8At96", 8, 96, 5, 4}),
                         CaseName<FontCase>);

// The paint asks the surface for its resolution and sizes both fonts from
// the point's tile height: caption, the short label measured, the short
// label, caption (the second house label takes two lines in the small font).
TEST(TablePainter, SelectsFontsForTheSurfacesResolution)
{
    for (const auto &[dpi, large, small] : {std::tuple{96, 19, 14}, std::tuple{120, 23, 18}}) {
        StreetTable t(kThreeStreets, {50, 32}, 8);
        RecordingSurface surface;
        surface.SetLogicalDpiY(dpi);
        ASSERT_TRUE(TablePainter::Paint(*t.s.root, surface, 400, 300));
        std::vector<std::int32_t> heights;
        for (const Call &call : surface.CallsOf(Kind::SelectFont))
            heights.push_back(call.font.cellHeight);
        EXPECT_EQ(heights, (std::vector<std::int32_t>{large, small, large, small, large, small, large, small}))
            << "at " << dpi << " dpi";
    }
}

} // namespace
