// Dispatch points, streets, houses and lifts: attributes, defaults, the
// repeated-name messages, lift lists and the tables a lift carries.

#include "model/CHomeB.h"
#include "model/CStreetB.h"
#include "model/NodeKind.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/StructureText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

KORVIX_CASES_PRINT_BY_NAME

CPunctB &PointAt(TestStructure &s, int i = 0)
{
    return *static_cast<CPunctB *>(s.root->m_Children.at(static_cast<std::size_t>(i)).get());
}

QStringList LiftNames(const std::vector<CLiftB *> &lifts)
{
    QStringList names;
    for (const CLiftB *lift : lifts)
        names.append(lift->m_Name);
    return names;
}

// --- dispatch points -------------------------------------------------------------------------

TEST(PointAttributes, DefaultsWithoutAttributes)
{
    TestStructure s;
    s.Load(PultDocument("<DISP/>"));
    const CPunctB &p = PointAt(s);
    EXPECT_EQ(p.GetKind(), NodeKind::Punct);
    EXPECT_EQ(p.TypViewLift, 2);
    EXPECT_EQ(p.TestMoveLift, 0);
    EXPECT_TRUE(p.NameLock.isEmpty());
    EXPECT_EQ(p.AskLift, 0);
    EXPECT_EQ(p.SpeakGDP, 1);
    EXPECT_EQ(p.SizeLiftGrp, (Size{32, 32}));
    EXPECT_EQ(p.FonGrp, 0xFFFFFFu);
    EXPECT_EQ(p.AvtoGGS, 1);
    EXPECT_EQ(p.DisGrad, 0);
    EXPECT_TRUE(p.m_Name.isEmpty());
    EXPECT_EQ(p.m_IdDB, 0);
    EXPECT_TRUE(p.m_RootGroup.m_SubGroups.empty());
    EXPECT_EQ(p.m_RootGroup.m_pParent, nullptr);
    EXPECT_EQ(p.m_RootGroup.m_pPunct, &p);
}

TEST(PointAttributes, EveryAttribute)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\" ОДС-4 \" TestMoveLift=\"1\" NameLock=\" Замок \" AskLift=\"2\" SpeakGDP=\"0\" "
                        "TypViewLift=\"3\" SizeLiftGrp=\"40,24\" FonGrp=\"1,2,3\" AvtoGGS=\"0\" DisGrad=\"5\" IdDB=\"8\"/>"));
    const CPunctB &p = PointAt(s);
    EXPECT_EQ(p.m_Name, QStringLiteral("ОДС-4"));
    EXPECT_EQ(p.TestMoveLift, 1);
    EXPECT_EQ(p.NameLock, QStringLiteral("Замок"));
    EXPECT_EQ(p.AskLift, 2);
    EXPECT_EQ(p.SpeakGDP, 0);
    EXPECT_EQ(p.TypViewLift, 3);
    EXPECT_EQ(p.SizeLiftGrp, (Size{40, 24}));
    EXPECT_EQ(p.FonGrp, 0x030201u);
    EXPECT_EQ(p.AvtoGGS, 0);
    EXPECT_EQ(p.DisGrad, 5);
    EXPECT_EQ(p.m_IdDB, 8);
}

TEST(PointAttributes, SizeAndColourScanning)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"a\" SizeLiftGrp=\"40\" FonGrp=\"255\"/><DISP Name=\"b\" FonGrp=\"256,0,0\" "
                        "SizeLiftGrp=\"x\"/>"));
    EXPECT_EQ(PointAt(s, 0).SizeLiftGrp, (Size{40, 0}));
    EXPECT_EQ(PointAt(s, 0).FonGrp, 0x0000FFu);
    EXPECT_EQ(PointAt(s, 1).FonGrp, 0u);
    EXPECT_EQ(PointAt(s, 1).SizeLiftGrp, (Size{0, 0}));
}

struct AttributeErrorCase
{
    const char *name;
    QByteArray inner;
    QString message;
};

class ElementAttributeError : public ::testing::TestWithParam<AttributeErrorCase>
{
};

TEST_P(ElementAttributeError, StopsTheReadNamingTheElement)
{
    TestStructure s;
    const ErrorXML error = CaptureErrorXML([&] { s.Load(PultDocument(GetParam().inner)); });
    EXPECT_EQ(error.Message(), GetParam().message);
}

const char kInHouse[] = "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\">";
const char kOutHouse[] = "</HOME></STREET></DISP>";

INSTANTIATE_TEST_SUITE_P(
    Attributes, ElementAttributeError,
    ::testing::Values(
        AttributeErrorCase{"DispTestMoveLift", "<DISP TestMoveLift=\"x\"/>",
                           QStringLiteral("Ошибка при чтении параметра TestMoveLift элемента DISP")},
        AttributeErrorCase{"DispAskLift", "<DISP AskLift=\"\"/>", QStringLiteral("Ошибка при чтении параметра AskLift элемента DISP")},
        AttributeErrorCase{"DispSpeakGDP", "<DISP SpeakGDP=\"1,0\"/>",
                           QStringLiteral("Ошибка при чтении параметра SpeakGDP элемента DISP")},
        AttributeErrorCase{"DispTypViewLift", "<DISP TypViewLift=\"two\"/>",
                           QStringLiteral("Ошибка при чтении параметра TypViewLift элемента DISP")},
        AttributeErrorCase{"DispAvtoGGS", "<DISP AvtoGGS=\"+\"/>", QStringLiteral("Ошибка при чтении параметра AvtoGGS элемента DISP")},
        AttributeErrorCase{"DispDisGrad", "<DISP DisGrad=\"3000000000\"/>",
                           QStringLiteral("Ошибка при чтении параметра DisGrad элемента DISP")},
        AttributeErrorCase{"DispIdDB", "<DISP IdDB=\"x\"/>", QStringLiteral("Ошибка при чтении параметра IdDB элемента ")},
        AttributeErrorCase{"StreetIdDB", "<DISP><STREET IdDB=\"x\"/></DISP>",
                           QStringLiteral("Ошибка при чтении параметра IdDB элемента ")},
        AttributeErrorCase{"LiftSubNet", QByteArray(kInHouse) + "<LIFT SubNet=\"a\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра SubNet элемента LIFT")},
        AttributeErrorCase{"LiftUM", QByteArray(kInHouse) + "<LIFT UM=\"\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра UM элемента LIFT")},
        AttributeErrorCase{"LiftSlot", QByteArray(kInHouse) + "<LIFT Slot=\"1.5\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра Slot элемента LIFT")},
        AttributeErrorCase{"LiftAddr", QByteArray(kInHouse) + "<LIFT Addr=\"#1\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра Addr элемента LIFT")},
        AttributeErrorCase{"LiftIDPro", QByteArray(kInHouse) + "<LIFT IDPro=\"-\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра IDPro элемента LIFT")},
        AttributeErrorCase{"LiftInsContr", QByteArray(kInHouse) + "<LIFT InsContr=\"да\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра InsContr элемента LIFT")},
        AttributeErrorCase{"LiftTyp", QByteArray(kInHouse) + "<LIFT Typ=\"x\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра Typ элемента LIFT")},
        AttributeErrorCase{"LiftTotLvlUnder", QByteArray(kInHouse) + "<LIFT TotLvlUnder=\"x\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра TotLvlUnder элемента LIFT")},
        AttributeErrorCase{"LiftAccess", QByteArray(kInHouse) + "<LIFT Access=\"x\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра Access элемента LIFT")},
        // Attributes are read in order: SubNet (4th) is named before Typ (28th).
        AttributeErrorCase{"LiftOrder", QByteArray(kInHouse) + "<LIFT Typ=\"x\" SubNet=\"y\"/>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра SubNet элемента LIFT")},
        AttributeErrorCase{"LiftTable", QByteArray(kInHouse) + "<LIFT><TabOut><Out Disabl=\"x\"/></TabOut></LIFT>" + kOutHouse,
                           QStringLiteral("Ошибка при чтении параметра Disabl элемента Out")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// --- streets and houses ------------------------------------------------------------------------

TEST(Streets, FonDefaultAndRead)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"A\"/><STREET Name=\"B\" Fon=\"0,128,255\" IdDB=\"6\"/></DISP>"));
    const auto &a = static_cast<const CStreetB &>(*PointAt(s).m_Children[0]);
    const auto &b = static_cast<const CStreetB &>(*PointAt(s).m_Children[1]);
    EXPECT_EQ(a.GetKind(), NodeKind::Street);
    EXPECT_EQ(a.Fon, 0xFFFFFFu);
    EXPECT_EQ(b.Fon, 0xFF8000u);
    EXPECT_EQ(b.m_IdDB, 6);
    EXPECT_EQ(b.m_pParent, &PointAt(s));
}

TEST(RepeatedNames, MessagesForStreetsHousesAndLifts)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\">"
                        "<STREET Name=\"ул. Ленина\"><HOME Name=\"5\"><LIFT Name=\"1\"/><LIFT Name=\" 1 \"/><LIFT Name=\"2\"/></HOME>"
                        "<HOME Name=\"5\"/><HOME Name=\"7\"><LIFT Name=\"1\"/></HOME></STREET>"
                        "<STREET Name=\"Мира\"><HOME Name=\"5\"/></STREET><STREET Name=\"мира\"/>"
                        "<STREET Name=\" ул. Ленина\"/></DISP>"));
    EXPECT_EQ(s.presenter.Information(),
              (QStringList{QStringLiteral("ул. Ленина,5,1 - Повторное указание подъезда"),
                           QStringLiteral("ул. Ленина,5 - Повторное указание дома для улицы"),
                           QStringLiteral("ул. Ленина - Повторное указание улицы")}));
    // The repeated nodes stay, with their content.
    EXPECT_EQ(ChildNames(PointAt(s)), (QStringList{QStringLiteral("Мира"), QStringLiteral("мира"),
                                                 QStringLiteral("ул. Ленина"), QStringLiteral("ул. Ленина")}));
    EXPECT_EQ(s.root->m_Lifts.size(), 4u);
}

TEST(RepeatedNames, MessagesFromInsideComeFirst)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"A\"/><DISP Name=\"A\"><STREET Name=\"S\"/><STREET Name=\"S\">"
                        "<HOME Name=\"H\"/><HOME Name=\"H\"><LIFT Name=\"L\"/><LIFT Name=\"L\"/></HOME></STREET></DISP>"));
    EXPECT_EQ(s.presenter.Information(),
              (QStringList{QStringLiteral("S,H,L - Повторное указание подъезда"),
                           QStringLiteral("S,H - Повторное указание дома для улицы"),
                           QStringLiteral("S - Повторное указание улицы"),
                           QStringLiteral("A - Повторное указание диспетчерской")}));
}

TEST(Misplaced, HouseUnderPointAndLiftUnderStreetAreIgnored)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><HOME Name=\"H\"><LIFT Name=\"x\"/></HOME><LIFT Name=\"y\"/>"
                        "<STREET Name=\"S\"><LIFT Name=\"z\"/><STREET Name=\"inner\"/><HOME Name=\"H\"><HOME Name=\"deep\"/>"
                        "<LIFT Name=\"ok\"><LIFT Name=\"nested\"/></LIFT></HOME></STREET>"
                        "<TabOut><Out Number=\"1\"/></TabOut></DISP>"));
    const CPunctB &p = PointAt(s);
    EXPECT_EQ(ChildNames(p), QStringList{QStringLiteral("S")});
    EXPECT_EQ(ChildNames(*p.m_Children[0]), QStringList{QStringLiteral("H")});
    EXPECT_EQ(LiftNames(s.root->m_Lifts), QStringList{QStringLiteral("ok")});
    EXPECT_TRUE(s.root->m_TabOut.GetRecords().empty());
}

TEST(LiftLists, PointListHoldsItsOwnLiftsByIdDB)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"B\"><HOME Name=\"1\"><LIFT Name=\"x\" IdDB=\"9\"/></HOME></STREET>"
                        "<STREET Name=\"A\"><HOME Name=\"2\"><LIFT Name=\"y\" IdDB=\"2\"/><LIFT Name=\"z\" IdDB=\"5\"/></HOME>"
                        "</STREET></DISP><DISP Name=\"Q\"><STREET Name=\"C\"><HOME Name=\"3\"><LIFT Name=\"w\" IdDB=\"1\"/>"
                        "</HOME></STREET></DISP>"));
    EXPECT_EQ(LiftNames(PointAt(s, 0).m_Lifts), (QStringList{QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("x")}));
    EXPECT_EQ(LiftNames(PointAt(s, 1).m_Lifts), QStringList{QStringLiteral("w")});
    EXPECT_EQ(LiftNames(s.root->m_Lifts),
              (QStringList{QStringLiteral("w"), QStringLiteral("y"), QStringLiteral("z"), QStringLiteral("x")}));
}

TEST(LiftLists, FailedLiftIsNotAppended)
{
    TestStructure s;
    CPunctB punct(s.root.get());
    CStreetB street(&punct);
    CHomeB home(&street);
    EXPECT_THROW(home.XMLLoad(FirstElement("<HOME Name=\"H\"><LIFT Name=\"a\"/><LIFT Name=\"b\" UM=\"x\"/>"
                                           "<LIFT Name=\"c\"/></HOME>")),
                 ErrorXML);
    EXPECT_EQ(ChildNames(home), QStringList{QStringLiteral("a")});
    EXPECT_EQ(LiftNames(punct.m_Lifts), QStringList{QStringLiteral("a")});
    EXPECT_EQ(LiftNames(s.root->m_Lifts), QStringList{QStringLiteral("a")});
    s.root->m_Lifts.clear(); // the lifts die with this house, before the root
}

// --- lifts -------------------------------------------------------------------------------------

TEST(LiftAttributes, OnlyANameLeavesTheDefaults)
{
    TestStructure s;
    s.Load(PultDocument(QByteArray(kInHouse) + "<LIFT Name=\" 3 \"/>" + kOutHouse));
    const CLiftB &lift = *s.root->m_Lifts.at(0);
    EXPECT_EQ(lift.GetKind(), NodeKind::Lift);
    EXPECT_EQ(lift.m_Name, QStringLiteral("3"));
    EXPECT_EQ(lift.SubNet, -1);
    EXPECT_EQ(lift.UM, 0);
    EXPECT_EQ(lift.Slot, 0);
    EXPECT_EQ(lift.Addr, 0);
    EXPECT_EQ(lift.IDPro, 0);
    EXPECT_EQ(lift.InsContr, 1);
    EXPECT_EQ(lift.Typ, 0);
    EXPECT_EQ(lift.Access, 0);
    EXPECT_EQ(lift.TotLvlUnder, 0);
    EXPECT_EQ(lift.m_Direct, 0);
    EXPECT_TRUE(lift.ID.isEmpty());
    EXPECT_TRUE(lift.Comment.isEmpty());
    EXPECT_TRUE(lift.GUID.IsNull());
    EXPECT_TRUE(lift.m_Children.empty());
    EXPECT_EQ(lift.m_TabState.m_pParent, &lift);
    EXPECT_EQ(lift.m_TabDev.m_pParent, &lift);
}

struct LiftAttributeCase
{
    const char *name; // the attribute
    QByteArray value;
    QString read;
    std::function<QString(const CLiftB &)> show;
};

#define LIFT_INT(name, value)                                                                                         \
    LiftAttributeCase{#name, value, QString::fromLatin1(value).trimmed(),                                             \
                      [](const CLiftB &l) { return QString::number(l.name); }}
// Every text is padded with blanks that the read removes (an em space at the end).
#define LIFT_TEXT(name, value)                                                                                        \
    LiftAttributeCase{#name, QByteArray(" \t") + value + " \xE2\x80\x83", QString::fromUtf8(value),                    \
                      [](const CLiftB &l) { return l.name; }}

std::vector<LiftAttributeCase> LiftAttributes()
{
    return {
        LiftAttributeCase{"Name", "  Лифт 1 ", QStringLiteral("Лифт 1"), [](const CLiftB &l) { return l.m_Name; }},
        LIFT_TEXT(ID, "12-34"),
        LiftAttributeCase{"GUID", "cae5d43590a38ec10a879b782b99c8ed", QStringLiteral("CAE5D43590A38EC10A879B782B99C8ED"),
                          [](const CLiftB &l) { return GuidToText(l.GUID); }},
        LIFT_INT(SubNet, "3"),
        LIFT_INT(UM, "-4"),
        LIFT_INT(Slot, " 5 "),
        LIFT_INT(Addr, "6"),
        LIFT_INT(IDPro, "7"),
        LIFT_INT(InsContr, "0"),
        LIFT_TEXT(NameLock, "Замок"),
        LIFT_TEXT(Owner, "ЖСК «Север»"),
        LIFT_TEXT(ServBrig, "Бригада 2"),
        LIFT_TEXT(Mehan, "Петров"),
        LIFT_TEXT(RegNum, "R-1"),
        LIFT_TEXT(Model, "ПП-0411"),
        LIFT_TEXT(Wight, "400 кг"),
        LIFT_TEXT(Speed, "1,0 м/с"),
        LIFT_TEXT(TotlStop, "12"),
        LIFT_TEXT(JobYear, "1987 г."),
        LIFT_TEXT(DatTO, "01.02.2003"),
        LIFT_TEXT(Manuf, "КМЗ"),
        LIFT_TEXT(Reduct, "РЧ-180"),
        LIFT_TEXT(ElDriver, "4АФ"),
        LIFT_TEXT(Kanat, "4 x 10,5"),
        LIFT_TEXT(SkafManag, "УЛ"),
        LIFT_TEXT(SignalMan, "Сигнал"),
        LIFT_TEXT(FactoryNumLU, "ЛУ-77"),
        LIFT_INT(Typ, "8"),
        LIFT_INT(TotLvlUnder, "2"),
        LIFT_TEXT(NameFloor, "1,2,3"),
        LIFT_INT(Access, "9"),
        LIFT_TEXT(Comment, "без перевода строки"),
        LIFT_TEXT(VideoCmd, "cam 3"),
    };
}

class LiftAttribute : public ::testing::TestWithParam<LiftAttributeCase>
{
};

TEST_P(LiftAttribute, ReadAndTrimmed)
{
    TestStructure s;
    s.Load(PultDocument(QByteArray(kInHouse) + "<LIFT " + GetParam().name + "=\"" + GetParam().value + "\"/>"
                        + kOutHouse));
    EXPECT_EQ(GetParam().show(*s.root->m_Lifts.at(0)), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Attributes, LiftAttribute, ::testing::ValuesIn(LiftAttributes()),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(LiftAttributes, ThirtyThreeAtOnceLandInTheirOwnMembers)
{
    QByteArray attributes;
    for (const LiftAttributeCase &c : LiftAttributes())
        attributes += QByteArray(c.name) + "=\"" + c.value + "\" ";
    TestStructure s;
    s.Load(PultDocument(QByteArray(kInHouse) + "<LIFT " + attributes + "/>" + kOutHouse));
    for (const LiftAttributeCase &c : LiftAttributes())
        EXPECT_EQ(c.show(*s.root->m_Lifts.at(0)), c.read) << c.name;
    EXPECT_EQ(LiftAttributes().size(), 33u);
}

struct CommentCase
{
    const char *name;
    QByteArray written; // as it stands in the file
    QString held;
};

class LiftComment : public ::testing::TestWithParam<CommentCase>
{
};

TEST_P(LiftComment, BackslashRNBecomesALineBreak)
{
    TestStructure s;
    s.Load(PultDocument(QByteArray(kInHouse) + "<LIFT Comment=\"" + GetParam().written + "\"/>" + kOutHouse));
    EXPECT_EQ(s.root->m_Lifts.at(0)->Comment, GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LiftComment,
    ::testing::Values(CommentCase{"TwoLines", "Line 1\\r\\nLine 2", QStringLiteral("Line 1\r\nLine 2")},
                      CommentCase{"TrailingBreakTrimmed", "Line 1\\r\\n", QStringLiteral("Line 1")},
                      CommentCase{"LeadingBreakTrimmed", "  \\r\\n\\r\\nText", QStringLiteral("Text")},
                      CommentCase{"EmptyLineKept", "a\\r\\n\\r\\nb", QStringLiteral("a\r\n\r\nb")},
                      CommentCase{"LoneRStays", "a\\rb", QStringLiteral("a\\rb")},
                      CommentCase{"LoneNStays", "a\\nb", QStringLiteral("a\\nb")},
                      CommentCase{"LeftToRight", "a\\r\\r\\nb", QStringLiteral("a\\r\r\nb")},
                      CommentCase{"EscapedBackslash", "a\\\\r\\nb", QStringLiteral("a\\\r\nb")},
                      CommentCase{"OnlyBreak", "\\r\\n", QString()}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(LiftTables, OwnStateOutAndDeviceTablesOnly)
{
    TestStructure s;
    s.Load(PultDocument(QByteArray(kInHouse)
                        + "<LIFT Name=\"L\"><TabState><State Number=\"2\"/></TabState><tabstate><State Number=\"1\"/>"
                          "</tabstate><TabOut><Out Number=\"4\"/></TabOut><TABDEV><Dev Address=\"3\" Full=\"T\"/></TABDEV>"
                          "<TabKey><Key Number=\"1\"/></TabKey><GROUP Name=\"G\"/></LIFT>"
                        + kOutHouse));
    const CLiftB &lift = *s.root->m_Lifts.at(0);
    EXPECT_EQ(lift.m_TabState.GetRecords().size(), 2u);
    EXPECT_EQ(lift.m_TabState.GetRecords().count(1), 1u);
    EXPECT_EQ(lift.m_TabOut.GetRecords().count(4), 1u);
    ASSERT_EQ(lift.m_TabDev.GetRecords().count(3), 1u);
    EXPECT_EQ(lift.m_TabDev.GetRecords().at(3)->m_Name, QStringLiteral("T"));
    // The lift's tables are its own, not the console's.
    EXPECT_TRUE(s.root->m_TabState.GetRecords().empty());
    EXPECT_TRUE(s.root->m_TabKey.GetKeys().empty());
    EXPECT_TRUE(PointAt(s).m_RootGroup.m_SubGroups.empty());
}

} // namespace
