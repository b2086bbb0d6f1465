#include "layout/DrawCommand.h"
#include "layout/HeadlessTree.h"
#include "layout/StructureFileLoad.h"
#include "model/NodeKind.h"
#include "tests/layout/LayoutTestSupport.h"

#include <QSet>

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// --- Labels ------------------------------------------------------------------

struct LabelCase
{
    const char *name;
    const char *label;
};

void PrintTo(const LabelCase &c, std::ostream *os)
{
    *os << '"' << c.name << '"';
}

class StreetLabel : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(StreetLabel, PrefixRemovedAndTrimmed)
{
    LoggedStructure s;
    s.Load(PointDocument("П", "<STREET Name=\"" + QByteArray(GetParam().name) + "\"/>"));
    const CPunct &point = s.Point(QStringLiteral("П"));
    ASSERT_EQ(point.m_Children.size(), 1u);
    EXPECT_EQ(static_cast<const CStreet *>(point.m_Children.front().get())->m_Label, Utf8(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Names, StreetLabel,
                         ::testing::Values(LabelCase{"ул. Ленина", "Ленина"}, LabelCase{"Ул.Ленина", "Ленина"},
                                           LabelCase{"пер.Тихий", "Тихий"}, LabelCase{"Пер.   Тихий", "Тихий"},
                                           // Only Latin letters fold: «УЛ.» is no prefix.
                                           LabelCase{"УЛ. Ленина", "УЛ. Ленина"}, LabelCase{"ПЕР. Тихий", "ПЕР. Тихий"},
                                           LabelCase{"ул.", ""}, LabelCase{"пер.", ""},
                                           LabelCase{"улица Ленина", "улица Ленина"}, LabelCase{"ул Ленина", "ул Ленина"},
                                           // One prefix only, and no house prefix on a street.
                                           LabelCase{"ул.пер. Тихий", "пер. Тихий"}, LabelCase{"д. 5", "д. 5"},
                                           // White space beyond the blank: an ideographic space.
                                           LabelCase{"ул.\xE3\x80\x80Ленина", "Ленина"},
                                           LabelCase{"Садовая", "Садовая"}));

class HouseLabel : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(HouseLabel, PrefixRemovedAndTrimmed)
{
    LoggedStructure s;
    s.Load(PointDocument("П", "<STREET Name=\"ул. А\"><HOME Name=\"" + QByteArray(GetParam().name) + "\"/></STREET>"));
    const CStreet &street = s.Street(QStringLiteral("П"), QStringLiteral("ул. А"));
    ASSERT_EQ(street.m_Children.size(), 1u);
    EXPECT_EQ(static_cast<const CHome *>(street.m_Children.front().get())->m_Label, Utf8(GetParam().label));
}

INSTANTIATE_TEST_SUITE_P(Names, HouseLabel,
                         ::testing::Values(LabelCase{"д.5", "5"}, LabelCase{"Д. 12А", "12А"},
                                           LabelCase{"дом 5", "дом 5"}, LabelCase{"д.", ""}, LabelCase{"Д.", ""},
                                           LabelCase{"ул. 5", "ул. 5"}, LabelCase{"д.д.5", "д.5"}));

// Labels are derived for every point of the structure.
TEST(Labels, EveryPointGetsItsLabels)
{
    LoggedStructure s;
    s.Load(PultDocument(R"(<DISP Name="А"><STREET Name="ул. Первая"><HOME Name="д.1"/></STREET></DISP>
                           <DISP Name="Б"><STREET Name="пер. Вторая"><HOME Name="Д.2"/></STREET></DISP>)"));
    EXPECT_EQ(s.Street(QStringLiteral("А"), QStringLiteral("ул. Первая")).m_Label, QStringLiteral("Первая"));
    EXPECT_EQ(s.Street(QStringLiteral("Б"), QStringLiteral("пер. Вторая")).m_Label, QStringLiteral("Вторая"));
    EXPECT_EQ(s.Home(QStringLiteral("А"), QStringLiteral("ул. Первая"), QStringLiteral("д.1")).m_Label,
              QStringLiteral("1"));
    EXPECT_EQ(s.Home(QStringLiteral("Б"), QStringLiteral("пер. Вторая"), QStringLiteral("Д.2")).m_Label,
              QStringLiteral("2"));
}

// --- Hit tests ---------------------------------------------------------------

// The three streets laid out for 300 x 240: tiles 50 x 40 in 6 columns.
const char kCentre[] = R"(
<STREET Name="пер. Ленина">
  <HOME Name="д.1"><LIFT Name="П1" ID="101"/><LIFT Name="П2" ID="102"/></HOME>
  <HOME Name="д.2"><LIFT Name="П1" ID="103"/></HOME>
</STREET>
<STREET Name="пер. Тихий"><HOME Name="д.5"><LIFT Name="П1" ID="201"/></HOME></STREET>
<STREET Name="ул. Кронштадтский бульвар"><HOME Name="д.3"><LIFT Name="П1" ID="301"/></HOME></STREET>
)";

// The three streets laid out by streets in 300 x 240.
class CentreLayout : public ::testing::Test
{
protected:
    void SetUp() override
    {
        s.Load(PointDocument("Центр", kCentre));
        ASSERT_TRUE(point().RePlaseTab(300, 240));
        ASSERT_EQ(point().m_SizeLiftTab, (Size{50, 40}));
    }
    CPunct &point() { return s.Point(QStringLiteral("Центр")); }

    LoggedStructure s;
};

QString Describe(const CNodeTreeB *node)
{
    if (!node)
        return QString();
    switch (node->GetKind()) {
    case NodeKind::Street:
        return QStringLiteral("street:") + node->m_Name;
    case NodeKind::Home:
        return QStringLiteral("home:") + node->m_Name;
    case NodeKind::Lift:
        return QStringLiteral("lift:") + static_cast<const CLift *>(node)->ID;
    default:
        return QStringLiteral("kind %1").arg(static_cast<int>(node->GetKind()));
    }
}

struct HitCase
{
    std::int32_t x, y;
    const char *node; // "street:<name>", "home:<name>", "lift:<ID>", or "" for none
    Rect rect;
};

void PrintTo(const HitCase &c, std::ostream *os)
{
    *os << '(' << c.x << ", " << c.y << ')';
}

class HitTest : public CentreLayout, public ::testing::WithParamInterface<HitCase>
{
};

TEST_P(HitTest, NodeAndRectangleUnderPoint)
{
    const HitCase &c = GetParam();
    const Rect unset{-1, -1, -1, -1};
    Rect matched = unset;
    const CNodeTreeB *node = point().HitTest(c.x, c.y, &matched);
    EXPECT_EQ(Describe(node), Utf8(c.node));
    EXPECT_EQ(matched, node ? c.rect : unset);
    EXPECT_EQ(point().HitTest(c.x, c.y), node); // the rectangle is optional
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    ::testing::Values(HitCase{1, 4, "street:пер. Ленина", {1, 4, 248, 40}},
                      HitCase{247, 39, "street:пер. Ленина", {1, 4, 248, 40}},
                      // Right and bottom edges lie outside.
                      HitCase{248, 20, "", {}}, HitCase{100, 40, "lift:102", {100, 40, 150, 80}},
                      HitCase{99, 79, "lift:101", {50, 40, 100, 80}}, HitCase{99, 80, "", {}},
                      // Inside the street's frame but left of its caption.
                      HitCase{0, 4, "", {}},
                      // Between a tile and the next house cell, which starts 1 pixel in.
                      HitCase{150, 50, "", {}}, HitCase{151, 50, "home:д.2", {151, 40, 200, 80}},
                      HitCase{1, 40, "home:д.1", {1, 40, 50, 80}}, HitCase{0, 120, "", {}},
                      HitCase{1, 120, "home:д.5", {1, 120, 50, 160}},
                      HitCase{297, 199, "street:ул. Кронштадтский бульвар", {1, 164, 298, 200}},
                      HitCase{298, 199, "", {}}, HitCase{-1, 10, "", {}},
                      HitCase{50, 239, "lift:301", {50, 200, 100, 240}}, HitCase{50, 240, "", {}}));

struct StreetHitCase
{
    std::int32_t x, y;
    const char *street; // "" for none
};

void PrintTo(const StreetHitCase &c, std::ostream *os)
{
    *os << '(' << c.x << ", " << c.y << ')';
}

class HitTestStreet : public CentreLayout, public ::testing::WithParamInterface<StreetHitCase>
{
};

TEST_P(HitTestStreet, FrameUnderPoint)
{
    const StreetHitCase &c = GetParam();
    const CStreet *street = point().HitTestStreet(c.x, c.y);
    EXPECT_EQ(street ? street->m_Name : QString(), Utf8(c.street));
}

// Frames: Ленина (0, 4, 252, 82), Тихий (0, 84, 102, 162), Кронштадтский (0, 164, 302, 242).
INSTANTIATE_TEST_SUITE_P(Points, HitTestStreet,
                         ::testing::Values(StreetHitCase{0, 4, "пер. Ленина"}, StreetHitCase{251, 81, "пер. Ленина"},
                                           StreetHitCase{252, 81, ""}, StreetHitCase{0, 82, ""},
                                           StreetHitCase{0, 3, ""}, StreetHitCase{0, 84, "пер. Тихий"},
                                           StreetHitCase{101, 161, "пер. Тихий"}, StreetHitCase{102, 100, ""},
                                           StreetHitCase{301, 241, "ул. Кронштадтский бульвар"},
                                           StreetHitCase{302, 200, ""}));

// A failed layout answers nothing, although the earlier rectangles remain.
TEST_F(CentreLayout, InvalidLayoutHitsNothing)
{
    ASSERT_FALSE(point().RePlaseTab(300, 1));
    EXPECT_EQ(s.Street(QStringLiteral("Центр"), QStringLiteral("пер. Ленина")).m_RectName, (Rect{1, 4, 248, 40}));
    EXPECT_EQ(point().HitTest(1, 4), nullptr);
    EXPECT_EQ(point().HitTest(60, 50), nullptr);
    EXPECT_EQ(point().HitTestStreet(1, 4), nullptr);
}

// The hit test does not look at the mode: after laying the point out by
// controller (one group of five lifts: tiles 100 x 80 in rows 1 and 2, up to
// x = 300 and x = 200), the street captions and house cells still answer
// where no lift tile now lies.
TEST_F(CentreLayout, StreetCaptionsAnswerInControllerMode)
{
    SetLayoutMode(point(), LayoutMode::Controller);
    ASSERT_TRUE(point().RePlaseTab(300, 240));
    ASSERT_EQ(point().m_SizeLiftTab, (Size{100, 80}));
    EXPECT_EQ(Describe(point().HitTest(1, 4)), QStringLiteral("street:пер. Ленина"));
    EXPECT_EQ(Describe(point().HitTest(1, 40)), QStringLiteral("home:д.1"));
    EXPECT_EQ(Describe(point().HitTest(250, 170)), QStringLiteral("street:ул. Кронштадтский бульвар"));
    EXPECT_EQ(point().HitTestStreet(301, 241),
              &s.Street(QStringLiteral("Центр"), QStringLiteral("ул. Кронштадтский бульвар")));
}

// --- Tree order --------------------------------------------------------------

QStringList ChildNames(const CNodeTreeB &node)
{
    QStringList names;
    for (const auto &child : node.m_Children)
        names.append(child->m_Name);
    return names;
}

// The read sorts by code unit (capitals first); the tree sorts without regard
// to case, and a lift's item reads "Name - ID".
TEST(TreeOrder, ChildListsFollowTheTree)
{
    LoggedStructure s;
    s.Load(PultDocument(R"(
        <DISP Name="а"/>
        <DISP Name="Б">
          <STREET Name="вгд"><HOME Name="1"><LIFT Name="1" ID="x"/></HOME></STREET>
          <STREET Name="абв">
            <HOME Name="Б"/>
            <HOME Name="а">
              <LIFT Name="Л" ID="Я"/>
              <LIFT Name="Л - Б" ID="А"/>
              <LIFT Name="к" ID="1"/>
            </HOME>
            <HOME Name="10"/>
            <HOME Name="2"/>
          </STREET>
          <STREET Name="Бвг"/>
        </DISP>)"));
    ASSERT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("Б"), QStringLiteral("а")}));
    CPunct &point = s.Point(QStringLiteral("Б"));
    ASSERT_EQ(ChildNames(point), (QStringList{QStringLiteral("Бвг"), QStringLiteral("абв"), QStringLiteral("вгд")}));

    HeadlessTree tree;
    tree.Fill(*s.root);

    // Dispatch points keep the order of the read.
    EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("Б"), QStringLiteral("а")}));
    EXPECT_EQ(ChildNames(point), (QStringList{QStringLiteral("абв"), QStringLiteral("Бвг"), QStringLiteral("вгд")}));
    const CStreet &street = s.Street(QStringLiteral("Б"), QStringLiteral("абв"));
    EXPECT_EQ(street.m_Order, 0);
    EXPECT_EQ(s.Street(QStringLiteral("Б"), QStringLiteral("вгд")).m_Order, 2);
    // House 10 sorts before house 2 as text.
    EXPECT_EQ(ChildNames(street),
              (QStringList{QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("а"), QStringLiteral("Б")}));
    const CHome &home = s.Home(QStringLiteral("Б"), QStringLiteral("абв"), QStringLiteral("а"));
    EXPECT_EQ(home.m_Order, 2);
    // «к - 1», «Л - Б - А», «Л - Я»; by name alone «Л» would come before «Л - Б».
    EXPECT_EQ(ChildNames(home), (QStringList{QStringLiteral("к"), QStringLiteral("Л - Б"), QStringLiteral("Л")}));
    EXPECT_EQ(s.Lift(QStringLiteral("Я")).m_Order, 2);
}

// The order ignores case whatever the user's locale, also in the C locale,
// where the collation falls back to code points.
class TreeOrderInLocale : public ::testing::TestWithParam<QLocale::Language>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
};

TEST_P(TreeOrderInLocale, CaseIgnored)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(<STREET Name="вгд"/><STREET Name="Бвг"/><STREET Name="абв"/><STREET Name="Абв"/>
                                 <STREET Name="10"/><STREET Name="2"/>)"));
    HeadlessTree tree;
    tree.Fill(*s.root);
    const QStringList names = ChildNames(s.Point(QStringLiteral("П")));
    // «абв» and «Абв» are equal without case; either may come first.
    ASSERT_EQ(names.size(), 6);
    EXPECT_EQ(names.mid(0, 2), (QStringList{QStringLiteral("10"), QStringLiteral("2")}));
    EXPECT_EQ(QSet<QString>(names.begin() + 2, names.begin() + 4),
              (QSet<QString>{QStringLiteral("абв"), QStringLiteral("Абв")}));
    EXPECT_EQ(names.mid(4), (QStringList{QStringLiteral("Бвг"), QStringLiteral("вгд")}));
}

INSTANTIATE_TEST_SUITE_P(Locales, TreeOrderInLocale,
                         ::testing::Values(QLocale::Russian, QLocale::English, QLocale::C),
                         [](const ::testing::TestParamInfo<QLocale::Language> &p) {
                             return QLocale::languageToCode(p.param).toStdString();
                         });

// A tree whose items the test places one by one, in display order, some of
// them for nodes of a kind that does not belong there.
class ScriptedTree : public TreeOrderSource
{
public:
    TreeItemHandle Add(TreeItemHandle parent, CNodeB *node)
    {
        m_Items.push_back({node, parent});
        return TreeItemHandle(&m_Items.back());
    }
    TreeItemHandle FirstChildItem(TreeItemHandle item) const override
    {
        for (const Item &i : m_Items)
            if (i.parent == item)
                return TreeItemHandle(&i);
        return {};
    }
    TreeItemHandle NextSiblingItem(TreeItemHandle item) const override
    {
        const auto *current = item.As<Item>();
        bool after = false;
        for (const Item &i : m_Items) {
            if (after && i.parent == current->parent)
                return TreeItemHandle(&i);
            after = after || &i == current;
        }
        return {};
    }
    CNodeB *NodeOfItem(TreeItemHandle item) const override { return item.As<Item>()->node; }

private:
    struct Item
    {
        CNodeB *node;
        TreeItemHandle parent;
    };
    std::deque<Item> m_Items;
};

// Items of another kind are skipped without taking a position.
TEST(TreeOrder, ItemsOfOtherKindsAreSkipped)
{
    LoggedStructure s;
    s.Load(PointDocument("П", R"(<STREET Name="А"><HOME Name="1"><LIFT Name="а" ID="a"/><LIFT Name="б" ID="b"/></HOME>
                                   <HOME Name="2"/></STREET>
                                 <STREET Name="Б"/>)"));
    CPunct &point = s.Point(QStringLiteral("П"));
    CStreet &a = s.Street(QStringLiteral("П"), QStringLiteral("А"));
    CStreet &b = s.Street(QStringLiteral("П"), QStringLiteral("Б"));
    CHome &h1 = s.Home(QStringLiteral("П"), QStringLiteral("А"), QStringLiteral("1"));
    CHome &h2 = s.Home(QStringLiteral("П"), QStringLiteral("А"), QStringLiteral("2"));
    CLift &la = s.Lift(QStringLiteral("a"));
    CLift &lb = s.Lift(QStringLiteral("b"));

    ScriptedTree tree;
    point.m_TreeItem = tree.Add(TreeItemHandle(), &point);
    b.m_TreeItem = tree.Add(point.m_TreeItem, &b);
    la.m_TreeItem = tree.Add(point.m_TreeItem, &la); // a lift right under the point
    a.m_TreeItem = tree.Add(point.m_TreeItem, &a);
    h2.m_TreeItem = tree.Add(a.m_TreeItem, &h2);
    tree.Add(a.m_TreeItem, &lb); // a lift right under the street
    h1.m_TreeItem = tree.Add(a.m_TreeItem, &h1);
    tree.Add(h1.m_TreeItem, &h2); // a house under a house
    lb.m_TreeItem = tree.Add(h1.m_TreeItem, &lb);
    tree.Add(h1.m_TreeItem, &la);

    point.ApplyTreeOrder(tree);

    EXPECT_EQ(b.m_Order, 0);
    EXPECT_EQ(a.m_Order, 1);
    EXPECT_EQ(ChildNames(point), (QStringList{QStringLiteral("Б"), QStringLiteral("А")}));
    EXPECT_EQ(h2.m_Order, 0);
    EXPECT_EQ(h1.m_Order, 1);
    EXPECT_EQ(ChildNames(a), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    EXPECT_EQ(lb.m_Order, 0);
    EXPECT_EQ(la.m_Order, 1);
    EXPECT_EQ(ChildNames(h1), (QStringList{QStringLiteral("б"), QStringLiteral("а")}));
}

// --- The current dispatch point ---------------------------------------------

TEST(CurrentPoint, NoneAfterReset)
{
    LoggedStructure s;
    s.Load(PointDocument("Центр", kCentre));
    s.root->m_CurPunct = &s.Point(QStringLiteral("Центр"));
    s.root->ResetStructure();
    EXPECT_EQ(s.root->m_CurPunct, nullptr);
    EXPECT_TRUE(s.root->m_Children.empty());
}

TEST(CurrentPoint, NoneAfterReadingAnotherFile)
{
    LoggedStructure s;
    const QString good = s.dir.Write(QStringLiteral("good.xml"), PointDocument("Центр", kCentre));
    ASSERT_EQ(OpenStructureFile(*s.root, good).outcome, StructureFileOpen::Outcome::Loaded);
    s.root->m_CurPunct = &s.Point(QStringLiteral("Центр"));
    ASSERT_EQ(OpenStructureFile(*s.root, good).outcome, StructureFileOpen::Outcome::Loaded);
    EXPECT_EQ(s.root->m_CurPunct, nullptr);
}

// A rejected file resets the structure twice: before the read and after it.
TEST(CurrentPoint, NoneAfterRejectedFile)
{
    LoggedStructure s;
    const QString good = s.dir.Write(QStringLiteral("good.xml"), PointDocument("Центр", kCentre));
    const QString bad = s.dir.Write(QStringLiteral("bad.xml"), "<PULT><DISP Name=\"x\"><STREET");
    ASSERT_EQ(OpenStructureFile(*s.root, good).outcome, StructureFileOpen::Outcome::Loaded);
    s.root->m_CurPunct = &s.Point(QStringLiteral("Центр"));
    EXPECT_EQ(OpenStructureFile(*s.root, bad).outcome, StructureFileOpen::Outcome::Rejected);
    EXPECT_EQ(s.root->m_CurPunct, nullptr);
    EXPECT_TRUE(s.root->m_Children.empty());
    EXPECT_EQ(s.presenter.Errors().size(), 1);
}

// A file of length 0 is not read at all: the structure and the point stay.
TEST(CurrentPoint, KeptWhenTheFileIsEmpty)
{
    LoggedStructure s;
    const QString good = s.dir.Write(QStringLiteral("good.xml"), PointDocument("Центр", kCentre));
    const QString empty = s.dir.Write(QStringLiteral("empty.xml"), QByteArray());
    ASSERT_EQ(OpenStructureFile(*s.root, good).outcome, StructureFileOpen::Outcome::Loaded);
    CPunct *point = &s.Point(QStringLiteral("Центр"));
    s.root->m_CurPunct = point;
    EXPECT_EQ(OpenStructureFile(*s.root, empty).outcome, StructureFileOpen::Outcome::EmptyFile);
    EXPECT_EQ(s.root->m_CurPunct, point);
}

} // namespace
