// The tooltip texts of the table: a street's full name, a house with its
// street, a lift with its ID and its connection.

#include "tests/gui/GuiTestSupport.h"
#include "views/CKorvixView.h"
#include "views/CStructView.h"

#include <QTreeWidgetItem>

#include <functional>
#include <stdexcept>

namespace {

const QByteArray kTips = PultDocument(R"(<DISP Name="П">
  <STREET Name="ул. Ленина">
    <HOME Name="д.5">
      <LIFT Name="Л1" ID="12" IDPro="7" SubNet="1" UM="2" Slot="3"/>
      <LIFT Name="Л2" ID="13" SubNet="1" UM="2" Slot="3"/>
      <LIFT Name="Л3" ID="14"/>
      <LIFT Name="Л4" SubNet="0" UM="0" Slot="0"/>
    </HOME>
  </STREET>
</DISP>)");

struct TipCase
{
    std::string name;
    std::function<const CNodeB &(const CRoot &)> node;
    QString text;
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const TipCase &c, std::ostream *os) { *os << c.name; }
};

class TooltipTexts : public ::testing::TestWithParam<TipCase>
{
};

TEST_P(TooltipTexts, NameTheNodeUnderTheMouse)
{
    TestStructure s;
    s.Load(kTips);
    EXPECT_EQ(CKorvixView::TooltipText(GetParam().node(*s.root)), GetParam().text);
}

const CStreet &Lenina(const CRoot &root)
{
    return StreetNamed(PointNamed(root, QStringLiteral("П")), QStringLiteral("ул. Ленина"));
}

CLift &LiftNamed(const CRoot &root, const QString &name)
{
    for (CLift *lift : ChildrenAs<CLift>(HomeNamed(Lenina(root), QStringLiteral("д.5"))))
        if (lift->m_Name == name)
            return *lift;
    throw std::runtime_error("no lift " + name.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, TooltipTexts,
    ::testing::Values(
        // The full names, prefixes included; no blank after the comma.
        TipCase{"Street", [](const CRoot &r) -> const CNodeB & { return Lenina(r); }, QStringLiteral("ул. Ленина")},
        TipCase{"House", [](const CRoot &r) -> const CNodeB & { return HomeNamed(Lenina(r), QStringLiteral("д.5")); },
                QStringLiteral("ул. Ленина,д.5")},
        // A Pro number wins over the controller.
        TipCase{"LiftWithPro", [](const CRoot &r) -> const CNodeB & { return LiftNamed(r, QStringLiteral("Л1")); },
                QStringLiteral("Л1 (12) - 7")},
        TipCase{"LiftOnController", [](const CRoot &r) -> const CNodeB & { return LiftNamed(r, QStringLiteral("Л2")); },
                QStringLiteral("Л2 (13) - 1:2:3")},
        // SubNet not in the file: its default.
        TipCase{"LiftWithoutConnection",
                [](const CRoot &r) -> const CNodeB & { return LiftNamed(r, QStringLiteral("Л3")); },
                QStringLiteral("Л3 (14) - -1:0:0")},
        TipCase{"LiftWithoutId", [](const CRoot &r) -> const CNodeB & { return LiftNamed(r, QStringLiteral("Л4")); },
                QStringLiteral("Л4 () - 0:0:0")},
        // Only streets, houses and lifts have tips.
        TipCase{"Point", [](const CRoot &r) -> const CNodeB & { return PointNamed(r, QStringLiteral("П")); }, QString()}),
    CaseName<TipCase>);

TEST(TooltipText, IsCutAt1023Characters)
{
    const QString name = QStringLiteral("ул. ") + QString(1100, u'Ж');
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"П\"><STREET Name=\"" + name.toUtf8()
                        + "\"><HOME Name=\"д.1\"><LIFT Name=\"Л1\"/></HOME></STREET></DISP>"));
    const CStreet &street = StreetNamed(PointNamed(*s.root, QStringLiteral("П")), name);
    EXPECT_EQ(CKorvixView::TooltipText(street), name.left(1023));
    EXPECT_EQ(CKorvixView::TooltipText(HomeNamed(street, QStringLiteral("д.1"))).size(), 1023);
}

} // namespace

namespace {

// A tree item's tooltip tells apart nodes of the same name: kind, IdDB, a
// lift's ID and GUID, and the line its element starts on.
const QByteArray kTwins = PultDocument(R"(<DISP Name="ОДС" IdDB="1">
  <STREET Name="ул. Мира" IdDB="2">
    <HOME Name="д.1" IdDB="3">
      <LIFT Name="Л1" ID="12" GUID="D21C6E6DFB77FE14BA61D7731D3AA8DB" IdDB="40"/>
      <LIFT Name="Л1" IdDB="41"/>
    </HOME>
  </STREET>
</DISP>
<DISP Name="ОДС" IdDB="7"/>)");

// The line of the first element whose text starts with `start`.
int LineOf(const QByteArray &xml, const char *start)
{
    const qsizetype at = xml.indexOf(start);
    if (at < 0)
        throw std::runtime_error(std::string("no ") + start);
    return static_cast<int>(xml.left(at).count('\n')) + 1;
}

const CNodeTreeB &PointWithIdDB(const CRoot &root, int idDB)
{
    for (const auto &point : root.m_Children)
        if (point->m_IdDB == idDB)
            return *point;
    throw std::runtime_error("no point with IdDB " + std::to_string(idDB));
}

TEST(TreeItemTooltip, TellsTwinsApart)
{
    TestStructure s;
    s.Load(kTwins);
    const CNodeTreeB &first = PointWithIdDB(*s.root, 1);
    const CNodeTreeB &street = *first.m_Children.at(0);
    const CNodeTreeB &home = *street.m_Children.at(0);
    const auto line = [](const char *start) { return QStringLiteral("Строка в файле: %1").arg(LineOf(kTwins, start)); };
    const std::vector<std::pair<const CNodeB *, QStringList>> cases{
        {&first, {QStringLiteral("Диспетчерский пункт"), QStringLiteral("IdDB: 1"), line("<DISP Name=\"ОДС\" IdDB=\"1\"")}},
        {&PointWithIdDB(*s.root, 7),
         {QStringLiteral("Диспетчерский пункт"), QStringLiteral("IdDB: 7"), line("<DISP Name=\"ОДС\" IdDB=\"7\"")}},
        {&street, {QStringLiteral("Улица"), QStringLiteral("IdDB: 2"), line("<STREET")}},
        {&home, {QStringLiteral("Дом"), QStringLiteral("IdDB: 3"), line("<HOME")}},
        {&LiftWithId(*s.root, QStringLiteral("12")),
         {QStringLiteral("Лифт"), QStringLiteral("IdDB: 40"), QStringLiteral("ID: 12"),
          QStringLiteral("GUID: D21C6E6DFB77FE14BA61D7731D3AA8DB"), line("<LIFT Name=\"Л1\" ID")}},
        // Neither ID nor GUID: no empty lines for them.
        {home.m_Children.at(1)->m_IdDB == 41 ? home.m_Children.at(1).get() : home.m_Children.at(0).get(),
         {QStringLiteral("Лифт"), QStringLiteral("IdDB: 41"), line("<LIFT Name=\"Л1\" IdDB")}},
    };
    for (const auto &[node, lines] : cases)
        EXPECT_EQ(CStructView::ItemTooltip(*node), lines.join(u'\n')) << lines.value(1).toStdString();
}

// The window's items answer with it.
class TreeItemTooltips : public WindowTest
{
};

TEST_F(TreeItemTooltips, AreWhatTheItemsShow)
{
    StartWithStations();
    QTreeWidgetItem *item = Item({QStringLiteral("Юг"), QStringLiteral("ул. Садовая"), QStringLiteral("д.1"),
                                  QStringLiteral("П3 - 503")});
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->data(0, Qt::ToolTipRole).toString(), CStructView::ItemTooltip(*CStructView::NodeOf(item)));
    EXPECT_TRUE(item->data(0, Qt::ToolTipRole).toString().startsWith(QStringLiteral("Лифт\nIdDB: 0\nID: 503\n")));
}

} // namespace
