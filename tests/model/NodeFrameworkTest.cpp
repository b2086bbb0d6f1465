// The conventions every node follows when it reads its element: the two
// reading styles, the read-failure and element-interface messages, the string
// table with its fallbacks, names, ordering and the modified flag.

#include "model/AttributeReading.h"
#include "model/CGroupB.h"
#include "model/CHomeB.h"
#include "model/CLiftB.h"
#include "model/CPunctB.h"
#include "model/CStreetB.h"
#include "model/ErrorCodes.h"
#include "model/ErrorXML.h"
#include "model/items/KeyTable.h"
#include "model/items/OutTable.h"
#include "model/items/StateTable.h"
#include "model/items/TermDevTable.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "resources/strings/StringTable.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/StructureText.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

KORVIX_CASES_PRINT_BY_NAME

// --- reading styles --------------------------------------------------------------

const QByteArray kStyled = "<E Present=\"  text \" Empty=\"\" Num=\" 12 \" Neg=\"-3\" Bad=\"1x\" Blank=\"\"/>";

TEST(ReadingStyles, HelperGivesEmptyOrDefaultForAbsent)
{
    const XmlElement e = FirstElement(kStyled);
    EXPECT_EQ(GetAttrStr(e, u"E", "Present"), QStringLiteral("text"));
    EXPECT_EQ(GetAttrStr(e, u"E", "Empty"), QString());
    EXPECT_EQ(GetAttrStr(e, u"E", "Absent"), QString());
    EXPECT_EQ(GetAttrInt(e, u"E", "Num", 99), 12);
    EXPECT_EQ(GetAttrInt(e, u"E", "Neg", 99), -3);
    EXPECT_EQ(GetAttrInt(e, u"E", "Absent", 99), 99);
}

TEST(ReadingStyles, InLineLeavesTheMemberForAbsentOnly)
{
    const XmlElement e = FirstElement(kStyled);
    QString text = QStringLiteral("constructor");
    EXPECT_FALSE(ReadAttr::Str(e, u"E", "Absent", text));
    EXPECT_EQ(text, QStringLiteral("constructor"));
    EXPECT_TRUE(ReadAttr::Str(e, u"E", "Empty", text));
    EXPECT_EQ(text, QString());
    EXPECT_TRUE(ReadAttr::Str(e, u"E", "Present", text, ReadAttr::Trim::No));
    EXPECT_EQ(text, QStringLiteral("  text "));

    std::int32_t number = 77;
    EXPECT_FALSE(ReadAttr::Int(e, u"E", "Absent", number));
    EXPECT_EQ(number, 77);
    EXPECT_TRUE(ReadAttr::Int(e, u"E", "Num", number));
    EXPECT_EQ(number, 12);

    bool flag = true;
    EXPECT_FALSE(ReadAttr::Flag(e, u"E", "Absent", flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(ReadAttr::Flag(e, u"E", "Neg", flag)); // any non-zero number is true
    EXPECT_TRUE(flag);

    Guid guid = TextToGuid(u"0123456789ABCDEF0123456789ABCDEF");
    EXPECT_FALSE(ReadAttr::GuidValue(e, u"E", "Absent", guid));
    EXPECT_FALSE(guid.IsNull());
    EXPECT_TRUE(ReadAttr::GuidValue(e, u"E", "Empty", guid)); // present but no GUID: all zero
    EXPECT_TRUE(guid.IsNull());

    Colour colour = 0x123456;
    EXPECT_FALSE(ReadAttr::ColourValue(e, u"E", "Absent", colour));
    EXPECT_EQ(colour, 0x123456u);
    EXPECT_TRUE(ReadAttr::ColourValue(e, u"E", "Empty", colour));
    EXPECT_EQ(colour, 0u);
}

struct ReadFailureCase
{
    const char *name;
    std::function<void(const XmlElement &)> read;
    QString message;
    std::int32_t code;
};

class ReadFailure : public ::testing::TestWithParam<ReadFailureCase>
{
};

TEST_P(ReadFailure, NamesTheAttributeAndTheElement)
{
    const XmlElement e = FirstElement(kStyled);
    const ErrorXML error = CaptureErrorXML([&] { GetParam().read(e); });
    EXPECT_EQ(error.Message(), GetParam().message);
    EXPECT_EQ(error.Code(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, ReadFailure,
    ::testing::Values(
        ReadFailureCase{"HelperLetters", [](const XmlElement &e) { GetAttrInt(e, u"State", "Bad", 0); },
                        QStringLiteral("Ошибка при чтении параметра Bad элемента State"), ConversionCode::TypeMismatch},
        ReadFailureCase{"HelperEmpty", [](const XmlElement &e) { GetAttrInt(e, u"", "Blank", 0); },
                        QStringLiteral("Ошибка при чтении параметра Blank элемента "), ConversionCode::TypeMismatch},
        ReadFailureCase{"InLineLetters",
                        [](const XmlElement &e) {
                            std::int32_t v = 0;
                            ReadAttr::Int(e, u"LIFT", "Bad", v);
                        },
                        QStringLiteral("Ошибка при чтении параметра Bad элемента LIFT"), ConversionCode::TypeMismatch},
        ReadFailureCase{"FlagEmpty",
                        [](const XmlElement &e) {
                            bool v = false;
                            ReadAttr::Flag(e, u"PULT", "Empty", v);
                        },
                        QStringLiteral("Ошибка при чтении параметра Empty элемента PULT"), ConversionCode::TypeMismatch},
        ReadFailureCase{"UnsignedNegative",
                        [](const XmlElement &e) {
                            std::uint32_t v = 0;
                            ReadAttr::UInt(e, u"PULT", "Neg", v);
                        },
                        QStringLiteral("Ошибка при чтении параметра Neg элемента PULT"), ConversionCode::Overflow}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ReadFailure, IdDBOfAnyElementNamesNoElement)
{
    TestStructure s;
    const ErrorXML error = CaptureErrorXML(
        [&] { s.Load(PultDocument("<DISP Name=\"A\"><STREET Name=\"S\" IdDB=\"\"/></DISP>")); });
    EXPECT_EQ(error.Message(), QStringLiteral("Ошибка при чтении параметра IdDB элемента "));
}

// --- the element interface ---------------------------------------------------------

struct InterfaceCase
{
    const char *name; // the element named in the message
    std::function<std::unique_ptr<CNodeTreeB>(CNodeTreeB *parent)> make;
};

class ElementInterface : public ::testing::TestWithParam<InterfaceCase>
{
};

// A node that is no element (here a comment), or none at all, stops the reader
// before any attribute, naming the class's element.
TEST_P(ElementInterface, NonElementNodeIsRefused)
{
    TestStructure s;
    const XmlElement holder = FirstElement("<X><!-- not an element --></X>");
    const XmlNode comment = holder.GetFirstChild();
    ASSERT_EQ(comment.GetNodeType(), XmlNodeType::Comment);

    const QString expected = QStringLiteral("Ошибка при запросе интерфейса элемента ") + QString::fromLatin1(GetParam().name);
    for (const XmlNode &node : {comment, XmlNode()}) {
        std::unique_ptr<CNodeTreeB> made = GetParam().make(s.root.get());
        CNodeTreeB *target = made ? made.get() : s.root.get();
        const ErrorXML error = CaptureErrorXML([&] { target->XMLLoad(node); });
        EXPECT_EQ(error.Message(), expected);
        EXPECT_EQ(error.Code(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Classes, ElementInterface,
    ::testing::Values(
        InterfaceCase{"PULT", [](CNodeTreeB *) { return std::unique_ptr<CNodeTreeB>(); }},
        InterfaceCase{"DISP", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CPunctB>(p)); }},
        InterfaceCase{"STREET", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CStreetB>(p)); }},
        InterfaceCase{"HOME", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CHomeB>(p)); }},
        InterfaceCase{"LIFT", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CLiftB>(p)); }},
        InterfaceCase{"GROUP",
                      [](CNodeTreeB *) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CGroupB>(nullptr, nullptr)); }},
        InterfaceCase{"TabOut", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CTabOutB>(p)); }},
        InterfaceCase{"TabState", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CTabStateB>(p)); }},
        InterfaceCase{"TabKey", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CTabKeyB>(p)); }},
        InterfaceCase{"TabDev", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CTabTermDevB>(p)); }},
        InterfaceCase{"Out", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<COutB>(0, p)); }},
        InterfaceCase{"State", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CStateB>(0, p)); }},
        InterfaceCase{"Key", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CKeyB>(p)); }},
        InterfaceCase{"Dev", [](CNodeTreeB *p) { return std::unique_ptr<CNodeTreeB>(std::make_unique<CTermDevB>(p)); }}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ElementInterface, LiftReferenceInAGroupNamesLift)
{
    CGroupB group(nullptr, nullptr);
    CLiftInGroup ref(&group);
    const XmlNode text = FirstElement("<X>text</X>").GetFirstChild();
    ASSERT_EQ(text.GetNodeType(), XmlNodeType::Text);
    EXPECT_EQ(CaptureErrorXML([&] { ref.XMLLoad(text); }).Message(),
              QStringLiteral("Ошибка при запросе интерфейса элемента LIFT"));
}

// --- string table and message fallbacks -------------------------------------------------

TEST(StringTableTexts, MissingEntryGivesSAndTheId)
{
    EXPECT_EQ(LoadResString(41084), QStringLiteral("Ошибка get_firstChild"));
    EXPECT_EQ(LoadResString(99999), QStringLiteral("S99999"));
    StringTable::HiddenEntries hidden{TextId::FirstChildFailed};
    EXPECT_EQ(LoadResString(41084), QStringLiteral("S41084"));
    EXPECT_EQ(LoadMessageString(41084), QStringLiteral("S41084"));
    EXPECT_EQ(ErrorXML(TextId::FirstChildFailed, 5).Message(), QStringLiteral("S41084"));
}

struct FallbackCase
{
    const char *name;
    std::vector<TextId> hidden;
    QString attributeMessage; // ReadFailed for attribute Number of element State
    QString interfaceMessage; // element TabOut
};

class MessageFallbacks : public ::testing::TestWithParam<FallbackCase>
{
};

TEST_P(MessageFallbacks, FormatsSurviveMissingEntries)
{
    const auto &ids = GetParam().hidden;
    // HiddenEntries takes a braced list; hide one or two ids as the case asks.
    std::unique_ptr<StringTable::HiddenEntries> first, second;
    if (!ids.empty())
        first = std::make_unique<StringTable::HiddenEntries>(std::initializer_list<TextId>{ids[0]});
    if (ids.size() > 1)
        second = std::make_unique<StringTable::HiddenEntries>(std::initializer_list<TextId>{ids[1]});

    const XmlElement row = FirstElement("<State Number=\"x\"/>");
    CTabStateB table(nullptr);
    CStateB state(0, &table);
    EXPECT_EQ(CaptureErrorXML([&] { state.XMLLoad(row); }).Message(), GetParam().attributeMessage);
    EXPECT_EQ(ErrorXML(u"TabOut").Message(), GetParam().interfaceMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MessageFallbacks,
    ::testing::Values(
        FallbackCase{"Complete", {}, QStringLiteral("Ошибка при чтении параметра Number элемента State"),
                     QStringLiteral("Ошибка при запросе интерфейса элемента TabOut")},
        FallbackCase{"ReadText", {TextId::ReadFailed}, QStringLiteral("S41077 параметра Number элемента State"),
                     QStringLiteral("Ошибка при запросе интерфейса элемента TabOut")},
        FallbackCase{"ReadTextAndFormat", {TextId::ReadFailed, TextId::AttributeFormat}, QStringLiteral("S41077 parameters Number elements State"),
                     QStringLiteral("Ошибка при запросе интерфейса элемента TabOut")},
        FallbackCase{"AttributeFormat", {TextId::AttributeFormat}, QStringLiteral("Ошибка при чтении parameters Number elements State"),
                     QStringLiteral("Ошибка при запросе интерфейса элемента TabOut")},
        FallbackCase{"InterfaceText", {TextId::NoElementInterface}, QStringLiteral("Ошибка при чтении параметра Number элемента State"),
                     QStringLiteral("S41079 элемента TabOut")},
        FallbackCase{"ElementFormat", {TextId::ElementFormat}, QStringLiteral("Ошибка при чтении параметра Number элемента State"),
                     QStringLiteral("Ошибка при запросе интерфейса elements TabOut")},
        FallbackCase{"InterfaceTextAndFormat", {TextId::NoElementInterface, TextId::ElementFormat},
                     QStringLiteral("Ошибка при чтении параметра Number элемента State"),
                     QStringLiteral("S41079 elements TabOut")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(MessageFallbacks, StructureMessagesFallBackToTheirId)
{
    TestStructure s;
    StringTable::HiddenEntries hidden{TextId::RepeatedStreet, TextId::LiftNotInStructure};
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"/><STREET Name=\"S\"/>"
                        "<GROUP Name=\"G\"><LIFT GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></GROUP></DISP>"));
    EXPECT_EQ(s.presenter.Information(), (QStringList{QStringLiteral("SS42010"), QStringLiteral("S42007")}));
}

TEST(ErrorXMLValue, FixedTextAndDetailAreKept)
{
    ErrorXML error(QStringLiteral("Error CGroupB::XMLLoadG get_firstChild"), -5);
    EXPECT_EQ(error.Message(), QStringLiteral("Error CGroupB::XMLLoadG get_firstChild"));
    EXPECT_EQ(error.Code(), -5);
    EXPECT_TRUE(error.Detail().isEmpty());
    const ErrorXML copy = ErrorXML(TextId::LoadFailed, 1).WithDetail(QStringLiteral("строка 1"));
    EXPECT_EQ(copy.Message(), QStringLiteral("Ошибка m_XMLDOM->load"));
    EXPECT_EQ(copy.Code(), 1);
    EXPECT_EQ(copy.Detail(), QStringLiteral("строка 1"));
}

// --- element names ------------------------------------------------------------------

TEST(ElementNames, LatinLettersCompareWithoutCase)
{
    const XmlElement holder = FirstElement("<X><tabout/><TABOUT/><TabOut/><TabOu/><TabOuts/><Tab_Out/></X>");
    std::vector<bool> matches;
    for (XmlNode n = holder.GetFirstChild(); !n.IsNull(); n = n.GetNextSibling())
        matches.push_back(n.HasName("TabOut"));
    EXPECT_EQ(matches, (std::vector<bool>{true, true, true, false, false, false}));
    EXPECT_FALSE(XmlNode().HasName("TabOut"));
}

TEST(ElementNames, ChildWalkSkipsCommentsTextAndStrangers)
{
    TestStructure s;
    s.Load(PultDocument("text<!-- c --><tabout><out Number=\"1\"/>more<!--x--><OUT Number=\"2\"/><Outs Number=\"3\"/>"
                        "<?pi x?><![CDATA[<Out Number=\"4\"/>]]></tabout><TABOUT><Out Number=\"5\"/></TABOUT>"));
    std::vector<int> keys;
    for (const auto &[key, record] : s.root->m_TabOut.GetRecords())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<int>{1, 2, 5}));
}

// --- FindChild, SortChildren ------------------------------------------------------------

// A street with houses of the given names, in that order.
std::unique_ptr<CStreetB> StreetWithHouses(std::initializer_list<const char16_t *> names)
{
    auto street = std::make_unique<CStreetB>(nullptr);
    for (const char16_t *name : names) {
        auto home = std::make_unique<CHomeB>(street.get());
        home->m_Name = QString::fromUtf16(name);
        street->m_Children.push_back(std::move(home));
    }
    return street;
}

TEST(FindChild, FirstExactMatchOnly)
{
    auto street = StreetWithHouses({u"Мира", u"мира", u"Мира", u"Мира "});
    EXPECT_EQ(street->FindChild(u"Мира"), street->m_Children[0].get());
    EXPECT_EQ(street->FindChild(u"мира"), street->m_Children[1].get());
    EXPECT_EQ(street->FindChild(u"Мира "), street->m_Children[3].get());
    EXPECT_EQ(street->FindChild(u"МИРА"), nullptr);
    EXPECT_EQ(street->FindChild(u""), nullptr);
}

TEST(SortChildren, CodeUnitOrderIgnoringTheLocale)
{
    // The Russian locale would collate а before Б and Ё next to Е; code units do not.
    auto street = StreetWithHouses({u"а", u"Б", u"ё", u"Я", u"А", u"Ё", u"Аб", u"A", u"z", u"10", u"9", u""});
    street->SortChildren();
    EXPECT_EQ(ChildNames(*street), (QStringList{QString(), QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("A"),
                                                QStringLiteral("z"), QStringLiteral("Ё"), QStringLiteral("А"),
                                                QStringLiteral("Аб"), QStringLiteral("Б"), QStringLiteral("Я"),
                                                QStringLiteral("а"), QStringLiteral("ё")}));
}

TEST(SortChildren, ReachesEveryLevel)
{
    auto street = StreetWithHouses({u"2", u"1"});
    for (auto &home : street->m_Children) {
        for (const char16_t *name : {u"Б", u"А"}) {
            auto lift = std::make_unique<CLiftB>(home.get());
            lift->m_Name = QString::fromUtf16(name);
            home->m_Children.push_back(std::move(lift));
        }
    }
    street->SortChildren();
    EXPECT_EQ(ChildNames(*street), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    for (auto &home : street->m_Children)
        EXPECT_EQ(ChildNames(*home), (QStringList{QStringLiteral("А"), QStringLiteral("Б")}));
}

TEST(ClearChildren, EmptiesNameParentAndIdButKeepsFlagAndElement)
{
    auto street = StreetWithHouses({u"1"});
    CPunctB parent(nullptr);
    street->m_pParent = &parent;
    street->m_Name = QStringLiteral("S");
    street->m_IdDB = 9;
    street->m_bModified = true;
    street->m_pElem = FirstElement("<STREET/>");
    street->ClearChildren();
    EXPECT_TRUE(street->m_Children.empty());
    EXPECT_TRUE(street->m_Name.isEmpty());
    EXPECT_EQ(street->m_pParent, nullptr);
    EXPECT_EQ(street->m_IdDB, 0);
    EXPECT_TRUE(street->m_bModified);
    EXPECT_FALSE(street->m_pElem.IsNull());
}

// --- GetTop, GetPunct, kinds ----------------------------------------------------------------

TEST(NodeChain, TopPunctAndKinds)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut><Out/></TabOut><TabState><State/></TabState><TabKey><Key/></TabKey>"
                        "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\" GUID=\"0123456789ABCDEF0123456789ABCDEF\">"
                        "<TabDev><Dev/></TabDev><TabOut><Out/></TabOut><TabState><State/></TabState></LIFT></HOME></STREET>"
                        "<GROUP Name=\"G\"><LIFT GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></GROUP></DISP>"));
    std::map<int, int> kinds;
    ForEachStructureNode(*s.root, [&](CNodeTreeB &node) {
        ++kinds[static_cast<int>(node.GetKind())];
        // Groups hang from the point's root group, which has no parent; every
        // other node reaches the console root.
        if (node.GetKind() != NodeKind::Group && node.GetKind() != NodeKind::LiftInGroup) {
            EXPECT_EQ(node.GetTop(), s.root.get()) << node.GetKind();
        }
    });
    // The point's root group is counted as a group too.
    EXPECT_EQ(kinds, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 2}, {7, 2}, {8, 2}, {9, 2},
                                         {10, 2}, {11, 1}, {12, 1}, {13, 1}, {24, 1}, {25, 1}}));

    CPunctB *punct = static_cast<CPunctB *>(s.root->m_Children[0].get());
    CLiftB *lift = FindLiftNamed(*s.root, QStringLiteral("L"));
    ASSERT_NE(lift, nullptr);
    EXPECT_EQ(lift->GetPunct(), punct);
    EXPECT_EQ(punct->GetPunct(), punct);
    EXPECT_EQ(s.root->GetPunct(), nullptr);
    EXPECT_EQ(s.root->m_TabOut.GetPunct(), nullptr);
    const CGroupB &group = *punct->m_RootGroup.m_SubGroups.at(0);
    EXPECT_EQ(group.m_pPunct, punct);
    EXPECT_EQ(const_cast<CGroupB &>(group).GetTop(), &punct->m_RootGroup);
}

// --- modified flag --------------------------------------------------------------------

struct ModifiedCase
{
    const char *name;
    std::function<CNodeTreeB &(CRootB &)> pick;
};

class ModifiedFlag : public ::testing::TestWithParam<ModifiedCase>
{
};

const QByteArray kModifiedStructure = PultDocument(
    "<TabOut><Out Number=\"1\"/></TabOut><TabState><State Number=\"1\"/></TabState><TabKey><Key/></TabKey>"
    "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\" GUID=\"0123456789ABCDEF0123456789ABCDEF\">"
    "<TabDev><Dev Address=\"1\"/></TabDev><TabOut><Out Number=\"2\"/></TabOut><TabState><State Number=\"3\"/></TabState>"
    "</LIFT></HOME></STREET>"
    "<GROUP Name=\"G\"><GROUP Name=\"Sub\"><LIFT GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></GROUP></GROUP></DISP>");

CPunctB &Point0(CRootB &root)
{
    return *static_cast<CPunctB *>(root.m_Children.at(0).get());
}

CLiftB &Lift0(CRootB &root)
{
    return *root.m_Lifts.at(0);
}

// A flag set anywhere is seen from the root, and ClearModified clears it everywhere.
TEST_P(ModifiedFlag, SeenFromTheRootAndClearedEverywhere)
{
    TestStructure s;
    s.Load(kModifiedStructure);
    ASSERT_FALSE(s.root->IsModified());
    CNodeTreeB &node = GetParam().pick(*s.root);
    node.m_bModified = true;
    EXPECT_TRUE(s.root->IsModified());
    s.root->ClearModified();
    EXPECT_FALSE(node.m_bModified);
    EXPECT_FALSE(s.root->IsModified());
    int flagged = 0;
    ForEachStructureNode(*s.root, [&](CNodeTreeB &n) { flagged += n.m_bModified; });
    EXPECT_EQ(flagged, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, ModifiedFlag,
    ::testing::Values(
        ModifiedCase{"Root", [](CRootB &r) -> CNodeTreeB & { return r; }},
        ModifiedCase{"RootOutRecord", [](CRootB &r) -> CNodeTreeB & { return *r.m_TabOut.GetRecords().at(1); }},
        ModifiedCase{"RootStateTable", [](CRootB &r) -> CNodeTreeB & { return r.m_TabState; }},
        ModifiedCase{"RootKey", [](CRootB &r) -> CNodeTreeB & { return *r.m_TabKey.GetKeys().front(); }},
        ModifiedCase{"RootKeyTable", [](CRootB &r) -> CNodeTreeB & { return r.m_TabKey; }},
        ModifiedCase{"Point", [](CRootB &r) -> CNodeTreeB & { return Point0(r); }},
        ModifiedCase{"RootGroup", [](CRootB &r) -> CNodeTreeB & { return Point0(r).m_RootGroup; }},
        ModifiedCase{"SubGroup",
                     [](CRootB &r) -> CNodeTreeB & { return *Point0(r).m_RootGroup.m_SubGroups.at(0)->m_SubGroups.at(0); }},
        ModifiedCase{"LiftReference",
                     [](CRootB &r) -> CNodeTreeB & {
                         return *Point0(r).m_RootGroup.m_SubGroups.at(0)->m_SubGroups.at(0)->m_LiftRefs.at(0);
                     }},
        ModifiedCase{"Street", [](CRootB &r) -> CNodeTreeB & { return *Point0(r).m_Children.at(0); }},
        ModifiedCase{"House", [](CRootB &r) -> CNodeTreeB & { return *Point0(r).m_Children.at(0)->m_Children.at(0); }},
        ModifiedCase{"Lift", [](CRootB &r) -> CNodeTreeB & { return Lift0(r); }},
        ModifiedCase{"LiftDevice", [](CRootB &r) -> CNodeTreeB & { return *Lift0(r).m_TabDev.GetRecords().at(1); }},
        ModifiedCase{"LiftOutTable", [](CRootB &r) -> CNodeTreeB & { return Lift0(r).m_TabOut; }},
        ModifiedCase{"LiftState", [](CRootB &r) -> CNodeTreeB & { return *Lift0(r).m_TabState.GetRecords().at(3); }}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

} // namespace
