#include "layout/AllProvider.h"
#include "layout/DrawCommand.h"
#include "tests/layout/LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

QStringList LiftIds(const Provider &provider)
{
    QStringList ids;
    for (const CLift *lift : provider.m_Lifts)
        ids.append(lift->ID);
    return ids;
}

struct ExpectedProvider
{
    std::int64_t key;
    ProviderKind kind;
    const char *caption;
    std::int32_t subNet, um, slot;
    QStringList liftIds;
};

void ExpectProviders(const AllProvider &all, const std::vector<ExpectedProvider> &expected)
{
    ASSERT_EQ(all.m_Providers.size(), expected.size());
    auto it = all.m_Providers.begin();
    for (const ExpectedProvider &e : expected) {
        const auto &[key, provider] = *it++;
        SCOPED_TRACE(e.caption);
        EXPECT_EQ(key, e.key);
        EXPECT_EQ(provider->m_Kind, e.kind);
        EXPECT_EQ(provider->GetName(), QString::fromUtf8(e.caption));
        EXPECT_EQ(provider->m_SubNet, e.subNet);
        EXPECT_EQ(provider->m_UM, e.um);
        EXPECT_EQ(provider->m_Slot, e.slot);
        EXPECT_EQ(provider->m_Color, kWhite);
        EXPECT_EQ(LiftIds(*provider), e.liftIds);
    }
}

// Controllers by SubNet (a missing SubNet reads as -1 and sorts first), UM
// and Slot, their lifts by Addr; then Pro by IDPro; then Direct by m_Direct,
// which wins over IDPro.
TEST(FillProviders, KeysOrderAndLiftOrder)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(
        <STREET Name="ул. А"><HOME Name="д.1">
          <LIFT Name="1" ID="L1" SubNet="1" UM="2" Slot="3" Addr="5"/>
          <LIFT Name="2" ID="L2" SubNet="1" UM="2" Slot="14" Addr="1"/>
          <LIFT Name="3" ID="L3" SubNet="1" UM="2" Slot="3" Addr="2"/>
          <LIFT Name="4" ID="L4" SubNet="1" UM="2" Slot="3" IDPro="7"/>
        </HOME></STREET>
        <STREET Name="ул. Б"><HOME Name="д.1">
          <LIFT Name="5" ID="L5" Addr="3"/>
          <LIFT Name="6" ID="L6" SubNet="0" IDPro="3"/>
          <LIFT Name="7" ID="L7" IDPro="9"/>
          <LIFT Name="8" ID="L8"/>
        </HOME></STREET>)"));
    s.Lift(QStringLiteral("L7")).m_Direct = 2;
    s.Lift(QStringLiteral("L8")).m_Direct = 1;
    CPunct &point = s.Point(QStringLiteral("П"));

    point.m_AllProvider.FillProviders(point);

    ExpectProviders(point.m_AllProvider,
                    {{-65536, ProviderKind::Controller, "-1:0:0", -1, 0, 0, {QStringLiteral("L5")}},
                     {66051, ProviderKind::Controller, "1:2:3", 1, 2, 3, {QStringLiteral("L3"), QStringLiteral("L1")}},
                     {66062, ProviderKind::Controller, "1:2:14", 1, 2, 14, {QStringLiteral("L2")}},
                     {std::int64_t(1) << 32, ProviderKind::Pro, "Pro", 0, 0, 0, {QStringLiteral("L6"), QStringLiteral("L4")}},
                     {std::int64_t(2) << 32, ProviderKind::Direct, "Direct", 0, 0, 0, {QStringLiteral("L8"), QStringLiteral("L7")}}});
}

struct KeyCase
{
    std::int32_t subNet, um, slot;
    std::int64_t key;
};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.subNet << ':' << c.um << ':' << c.slot;
}

class ControllerKey : public ::testing::TestWithParam<KeyCase>
{
};

// SubNet sign-extended and shifted by 16, OR-ed with the sign-extended
// 32-bit (UM << 8 | Slot): values outside a byte overlap their neighbours.
TEST_P(ControllerKey, Formula)
{
    const KeyCase &c = GetParam();
    EXPECT_EQ(AllProvider::ControllerKey(c.subNet, c.um, c.slot), c.key);
}

INSTANTIATE_TEST_SUITE_P(Values, ControllerKey,
                         ::testing::Values(KeyCase{0, 0, 0, 0}, KeyCase{1, 2, 3, 66051},
                                           KeyCase{0, 255, 255, 65535}, KeyCase{0, 256, 0, 65536},
                                           KeyCase{-1, 0, 0, -65536}, KeyCase{1, -1, 0, -256},
                                           KeyCase{65535, 0, 0, 4294901760}, KeyCase{65536, 0, 0, 4294967296},
                                           KeyCase{131072, 0, 0, 8589934592},
                                           KeyCase{-32768, 0, 7, -2147483641}));

// SubNet 65536 gives the Pro group's key: the lifts share one group of the
// kind that came first, sorted by that kind's field.
TEST(FillProviders, ControllerKeyEqualToProKeyKeepsFirstKind)
{
    const QByteArray controllerStreet =
        R"(<HOME Name="д.1"><LIFT Name="к" ID="C" SubNet="65536" Addr="9" IDPro="0"/></HOME>)";
    const QByteArray proStreet = R"(<HOME Name="д.1"><LIFT Name="п1" ID="P2" Addr="1" IDPro="2"/>
                                    <LIFT Name="п2" ID="P1" Addr="5" IDPro="1"/></HOME>)";
    {
        LoggedStructure s;
        s.Load(PointDocument("П", "<STREET Name=\"ул. А\">" + controllerStreet + "</STREET><STREET Name=\"ул. Б\">"
                                      + proStreet + "</STREET>"));
        CPunct &point = s.Point(QStringLiteral("П"));
        point.m_AllProvider.FillProviders(point);
        ExpectProviders(point.m_AllProvider, {{std::int64_t(1) << 32, ProviderKind::Controller, "65536:0:0", 65536, 0, 0,
                                               {QStringLiteral("P2"), QStringLiteral("P1"), QStringLiteral("C")}}});
    }
    {
        LoggedStructure s;
        s.Load(PointDocument("П", "<STREET Name=\"ул. А\">" + proStreet + "</STREET><STREET Name=\"ул. Б\">"
                                      + controllerStreet + "</STREET>"));
        CPunct &point = s.Point(QStringLiteral("П"));
        point.m_AllProvider.FillProviders(point);
        ExpectProviders(point.m_AllProvider, {{std::int64_t(1) << 32, ProviderKind::Pro, "Pro", 0, 0, 0,
                                               {QStringLiteral("C"), QStringLiteral("P1"), QStringLiteral("P2")}}});
    }
}

// Regrouping starts from nothing: every lift ends in exactly one group.
TEST(FillProviders, SecondFillRebuilds)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(<STREET Name="ул. А"><HOME Name="д.1">
          <LIFT Name="1" ID="A" SubNet="1" Addr="1"/>
          <LIFT Name="2" ID="B" SubNet="1" Addr="2"/>
          <LIFT Name="3" ID="C" SubNet="2" Addr="3"/>
        </HOME></STREET>)"));
    CPunct &point = s.Point(QStringLiteral("П"));
    SetLayoutMode(point, LayoutMode::Controller);
    ASSERT_EQ(point.m_AllProvider.m_Providers.size(), 2u);

    s.Lift(QStringLiteral("A")).IDPro = 4;
    s.Lift(QStringLiteral("C")).SubNet = 1;
    SetLayoutMode(point, LayoutMode::Controller);

    ExpectProviders(point.m_AllProvider,
                    {{65536, ProviderKind::Controller, "1:0:0", 1, 0, 0, {QStringLiteral("B"), QStringLiteral("C")}},
                     {std::int64_t(1) << 32, ProviderKind::Pro, "Pro", 0, 0, 0, {QStringLiteral("A")}}});
}

TEST(FillProviders, PointWithoutLiftsHasNoGroupsAndLaysOut)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(<STREET Name="ул. А"><HOME Name="д.1"/></STREET>)"));
    CPunct &point = s.Point(QStringLiteral("П"));
    SetLayoutMode(point, LayoutMode::Controller);
    EXPECT_TRUE(point.m_AllProvider.m_Providers.empty());
    EXPECT_TRUE(point.RePlaseTab(800, 600));
    EXPECT_EQ(point.m_SizeLiftTab, (Size{0, 0}));
}

// Controller 1:2:3 with three lifts (Addr 3, 1, 2), controller 1:2:14 with
// one, and eight Pro lifts (IDPro 1..8 in scrambled file order).
const char kSouth[] = R"(
<STREET Name="ул. Садовая">
  <HOME Name="д.1">
    <LIFT Name="П1" ID="501" SubNet="1" UM="2" Slot="3" Addr="3"/>
    <LIFT Name="П2" ID="502" SubNet="1" UM="2" Slot="14" Addr="9"/>
    <LIFT Name="П3" ID="503" SubNet="1" UM="2" Slot="3" Addr="1"/>
  </HOME>
  <HOME Name="д.2">
    <LIFT Name="П1" ID="504" SubNet="1" UM="2" Slot="3" Addr="2"/>
    <LIFT Name="П2" ID="605" SubNet="1" UM="2" Slot="3" IDPro="5"/>
    <LIFT Name="П3" ID="603" SubNet="1" UM="2" Slot="3" IDPro="3"/>
    <LIFT Name="П4" ID="608" SubNet="1" UM="2" Slot="3" IDPro="8"/>
    <LIFT Name="П5" ID="601" SubNet="1" UM="2" Slot="3" IDPro="1"/>
    <LIFT Name="П6" ID="607" SubNet="1" UM="2" Slot="3" IDPro="7"/>
    <LIFT Name="П7" ID="602" SubNet="1" UM="2" Slot="3" IDPro="2"/>
    <LIFT Name="П8" ID="606" SubNet="1" UM="2" Slot="3" IDPro="6"/>
    <LIFT Name="П9" ID="604" SubNet="1" UM="2" Slot="3" IDPro="4"/>
  </HOME>
</STREET>)";

// Tiles of the worked example, by lift ID.
const std::vector<std::pair<const char *, Rect>> kSouthTiles = {
    {"503", {0, 40, 50, 80}},     {"504", {50, 40, 100, 80}},   {"501", {100, 40, 150, 80}},
    {"502", {150, 40, 200, 80}},  {"601", {0, 120, 50, 160}},   {"602", {50, 120, 100, 160}},
    {"603", {100, 120, 150, 160}}, {"604", {150, 120, 200, 160}}, {"605", {200, 120, 250, 160}},
    {"606", {250, 120, 300, 160}}, {"607", {0, 160, 50, 200}},   {"608", {50, 160, 100, 200}},
};

void ExpectSouthGroups(const LoggedStructure &s, const CPunct &point)
{
    const auto &providers = point.m_AllProvider.m_Providers;
    ASSERT_EQ(providers.size(), 3u);
    auto it = providers.begin();
    const Provider &first = *(it++)->second;
    const Provider &second = *(it++)->second;
    const Provider &pro = *(it++)->second;
    EXPECT_EQ(first.GetName(), QStringLiteral("1:2:3"));
    EXPECT_EQ(first.m_RectName, (Rect{1, 4, 148, 40}));
    EXPECT_EQ(first.m_RectFrame, (Rect{0, 4, 150, 82}));
    // A six-character caption takes two columns over one lift.
    EXPECT_EQ(second.GetName(), QStringLiteral("1:2:14"));
    EXPECT_EQ(second.m_RectName, (Rect{151, 4, 248, 40}));
    EXPECT_EQ(second.m_RectFrame, (Rect{150, 4, 252, 82}));
    // Eight lifts in a new band, wrapping after six; the frame keeps the full width.
    EXPECT_EQ(pro.GetName(), QStringLiteral("Pro"));
    EXPECT_EQ(pro.m_RectName, (Rect{1, 84, 398, 120}));
    EXPECT_EQ(pro.m_RectFrame, (Rect{0, 84, 302, 202}));
    for (const auto &[id, tile] : kSouthTiles)
        EXPECT_EQ(s.Lift(QString::fromUtf8(id)).m_Rect, tile) << "lift " << id;
}

TEST(PlaceProviders, WorkedExample)
{
    LoggedStructure s;
    s.Load(PointDocument("Юг", kSouth));
    CPunct &point = s.Point(QStringLiteral("Юг"));
    point.m_AllProvider.FillProviders(point);
    point.m_AllProvider.m_SizeLiftTab = {50, 40};
    point.m_AllProvider.m_TotalCol = 6;

    EXPECT_EQ(point.m_AllProvider.PlaceProviders(), 4);
    ExpectSouthGroups(s, point);
}

// Two narrow groups share a band: no gap column between them, and only the
// band's last frame reaches 2 pixels further.
TEST(PlaceProviders, CaptionWiderThanLifts)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(<STREET Name="ул. А"><HOME Name="д.1">
          <LIFT Name="1" ID="A" SubNet="1" UM="2" Slot="14"/>
          <LIFT Name="2" ID="B" SubNet="1" UM="2" Slot="20"/>
        </HOME></STREET>)"));
    CPunct &point = s.Point(QStringLiteral("П"));
    AllProvider &all = point.m_AllProvider;
    all.FillProviders(point);
    all.m_SizeLiftTab = {50, 40};
    all.m_TotalCol = 6;

    EXPECT_EQ(all.PlaceProviders(), 1);
    const Provider &first = *all.m_Providers.begin()->second;
    const Provider &second = *std::next(all.m_Providers.begin())->second;
    EXPECT_EQ(first.m_RectName, (Rect{1, 4, 98, 40}));
    EXPECT_EQ(first.m_RectFrame, (Rect{0, 4, 100, 82}));
    EXPECT_EQ(s.Lift(QStringLiteral("A")).m_Rect, (Rect{0, 40, 50, 80}));
    EXPECT_EQ(second.m_RectName, (Rect{101, 4, 198, 40}));
    EXPECT_EQ(second.m_RectFrame, (Rect{100, 4, 202, 82}));
    EXPECT_EQ(s.Lift(QStringLiteral("B")).m_Rect, (Rect{100, 40, 150, 80}));
}

// A group of one lift is as wide as its caption: 3.3 characters to a tile.
struct CaptionCase
{
    const char *lift; // attributes of the one lift
    std::int32_t direct;
    const char *caption;
    std::int32_t captionRight; // w * 50 - 2
};

void PrintTo(const CaptionCase &c, std::ostream *os)
{
    *os << c.caption;
}

class ProviderCaption : public ::testing::TestWithParam<CaptionCase>
{
};

TEST_P(ProviderCaption, WidthInTiles)
{
    const CaptionCase &c = GetParam();
    LoggedStructure s;
    s.Load(PointDocument("П", "<STREET Name=\"ул. А\"><HOME Name=\"д.1\"><LIFT Name=\"1\" ID=\"A\" "
                                  + QByteArray(c.lift) + "/></HOME></STREET>"));
    s.Lift(QStringLiteral("A")).m_Direct = c.direct;
    CPunct &point = s.Point(QStringLiteral("П"));
    AllProvider &all = point.m_AllProvider;
    all.FillProviders(point);
    all.m_SizeLiftTab = {50, 40};
    all.m_TotalCol = 20;
    all.PlaceProviders();
    ASSERT_EQ(all.m_Providers.size(), 1u);
    const Provider &provider = *all.m_Providers.begin()->second;
    EXPECT_EQ(provider.GetName(), QString::fromUtf8(c.caption));
    EXPECT_EQ(provider.m_RectName, (Rect{1, 4, c.captionRight, 40}));
    EXPECT_EQ(provider.m_RectFrame, (Rect{0, 4, c.captionRight + 4, 82}));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, ProviderCaption,
    ::testing::Values(CaptionCase{R"(SubNet="1" UM="2" Slot="3")", 0, "1:2:3", 98},
                      CaptionCase{R"(SubNet="-1")", 0, "-1:0:0", 98},
                      CaptionCase{R"(SubNet="-100" UM="2" Slot="3")", 0, "-100:2:3", 98},
                      CaptionCase{R"(SubNet="-1000" UM="2" Slot="3")", 0, "-1000:2:3", 148},
                      CaptionCase{R"(SubNet="1000" UM="20" Slot="3")", 0, "1000:20:3", 148},
                      CaptionCase{R"(SubNet="-2147483648")", 0, "-2147483648:0:0", 248},
                      CaptionCase{R"(IDPro="5")", 0, "Pro", 48}, CaptionCase{"", 1, "Direct", 98}));

// The point's entry in the mode by controller: the groups' search with its own
// log prefix (demand 13 gives 50 x 34 tiles, then a grow to 40), the tile size
// copied into the point, the point's grid and the street captions untouched.
TEST(ControllerLayout, PointEntry)
{
    LoggedStructure s;
    s.Load(PointDocument("Юг", kSouth));
    CPunct &point = s.Point(QStringLiteral("Юг"));
    ASSERT_TRUE(point.RePlaseTab(1000, 700)); // by streets first
    const std::int32_t streetCols = point.m_TotalCol;
    const std::int32_t streetRows = point.m_TotalRow;
    const Rect caption = s.Street(QStringLiteral("Юг"), QStringLiteral("ул. Садовая")).m_RectName;
    const Rect cell = s.Home(QStringLiteral("Юг"), QStringLiteral("ул. Садовая"), QStringLiteral("д.1")).m_Rect;
    s.ClearLog();

    SetLayoutMode(point, LayoutMode::Controller);
    EXPECT_TRUE(point.RePlaseTab(300, 204));

    EXPECT_TRUE(point.m_Valid);
    EXPECT_TRUE(point.m_AllProvider.m_Valid);
    EXPECT_EQ(point.m_SizeLiftTab, (Size{50, 40}));
    EXPECT_EQ(point.m_AllProvider.m_TotalCol, 6);
    EXPECT_EQ(point.m_AllProvider.m_TotalRow, 5);
    EXPECT_EQ(point.m_TotalCol, streetCols);
    EXPECT_EQ(point.m_TotalRow, streetRows);
    const QStringList expected = {
        QString(),
        QStringLiteral("AllProvider::RePlaseTab 1 aSizeWin (300,204) "),
        QStringLiteral("AllProvider::RePlaseTab 2 m_SizeLiftTab(50,34) m_TotalCol=6 m_TotalRow=6"),
        QStringLiteral("AllProvider::RePlaseTab 3 m_SizeLiftTab(50,34) m_TotalRow=6 TotRow=5"),
        QStringLiteral("RePlaseTab10 m_SizeLiftTab(50,40) m_TotalRow=5 TotRow=5"),
    };
    EXPECT_EQ(s.LogTexts(), expected);
    ExpectSouthGroups(s, point);
    EXPECT_EQ(s.Street(QStringLiteral("Юг"), QStringLiteral("ул. Садовая")).m_RectName, caption);
    EXPECT_EQ(s.Home(QStringLiteral("Юг"), QStringLiteral("ул. Садовая"), QStringLiteral("д.1")).m_Rect, cell);
}

// A failed search in the mode by controller makes the point invalid too.
TEST(ControllerLayout, FailureReachesThePoint)
{
    LoggedStructure s;
    s.Load(PointDocument("Юг", kSouth));
    CPunct &point = s.Point(QStringLiteral("Юг"));
    ASSERT_TRUE(point.RePlaseTab(1000, 700));
    SetLayoutMode(point, LayoutMode::Controller);
    EXPECT_FALSE(point.RePlaseTab(300, 1));
    EXPECT_FALSE(point.m_Valid);
    EXPECT_FALSE(point.m_AllProvider.m_Valid);
}

} // namespace
