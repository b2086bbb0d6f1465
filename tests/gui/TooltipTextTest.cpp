// The tooltip texts of the table: a street's full name, a house with its
// street, a lift with its ID and its connection.

#include "CKorvixView.h"
#include "GuiTestSupport.h"

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
