// Reading a whole structure into the root: reset, the DOM document, the read,
// the order afterwards, and the console root's own settings.

#include "layout/CPunct.h"
#include "model/NodeKind.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/StructureText.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

KORVIX_CASES_PRINT_BY_NAME

// --- document-level reading ----------------------------------------------------------

const QByteArray kFull = PultDocument(
    "<TabState><State Number=\"1\"/></TabState><TabOut><Out Number=\"2\"/></TabOut><TabKey><Key Number=\"3\"/></TabKey>"
    "<DISP Name=\"Б\"><STREET Name=\"ул. Мира\"><HOME Name=\"2\"><LIFT Name=\"б\" IdDB=\"5\"/><LIFT Name=\"а\" IdDB=\"4\">"
    "<TabDev><Dev Address=\"1\"/></TabDev></LIFT></HOME><HOME Name=\"1\"><LIFT Name=\"в\" IdDB=\"1\" "
    "GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></HOME></STREET><STREET Name=\"Арбат\"/>"
    "<GROUP Name=\"G\"><GROUP Name=\"Sub\"><LIFT GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></GROUP></GROUP></DISP>"
    "<DISP Name=\"А\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"x\" IdDB=\"3\"/></HOME></STREET></DISP>",
    "Name=\"Пульт\" IdDB=\"17\"");

TEST(StructureRead, EveryLevelSortedByNameAfterTheRead)
{
    TestStructure s;
    s.Load(kFull);
    EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("А"), QStringLiteral("Б")}));
    const CNodeTreeB &b = *s.root->m_Children[1];
    ASSERT_EQ(ChildNames(b), (QStringList{QStringLiteral("Арбат"), QStringLiteral("ул. Мира")}));
    ASSERT_EQ(ChildNames(*b.m_Children[1]), (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(ChildNames(*b.m_Children[1]->m_Children[1]), (QStringList{QStringLiteral("а"), QStringLiteral("б")}));
    EXPECT_EQ(s.root->m_Name, QStringLiteral("Пульт"));
    EXPECT_EQ(s.root->m_IdDB, 17);
    EXPECT_TRUE(s.presenter.m_Messages.empty());
}

bool IsEmptyTable(CNodeTreeB &node)
{
    if (auto *t = dynamic_cast<CTabOutB *>(&node))
        return t->GetRecords().empty();
    if (auto *t = dynamic_cast<CTabStateB *>(&node))
        return t->GetRecords().empty();
    if (auto *t = dynamic_cast<CTabTermDevB *>(&node))
        return t->GetRecords().empty();
    if (auto *t = dynamic_cast<CTabKeyB *>(&node))
        return t->GetKeys().empty();
    return false;
}

TEST(StructureRead, EveryNodeKeepsItsElementUntilReleaseXML)
{
    TestStructure s;
    s.Load(kFull);
    int nodes = 0;
    ForEachStructureNode(*s.root, [&](CNodeTreeB &node) {
        ++nodes;
        // The point's root group stands for no element of its own, and a
        // table the file does not have (here: every empty one) has none either.
        const bool ownElement = !(node.GetKind() == NodeKind::Group && !node.m_pParent) && !IsEmptyTable(node);
        EXPECT_EQ(!node.m_pElem.IsNull(), ownElement) << node.GetKind() << ' ' << node.m_Name.toStdString();
    });
    EXPECT_GT(nodes, 20);
    EXPECT_FALSE(s.root->m_XMLDOM.IsNull());

    s.root->ReleaseXML();
    EXPECT_TRUE(s.root->m_XMLDOM.IsNull());
    ForEachStructureNode(*s.root, [&](CNodeTreeB &node) {
        EXPECT_TRUE(node.m_pElem.IsNull()) << node.GetKind() << ' ' << node.m_Name.toStdString();
    });
    // Only references went: the structure itself is intact.
    EXPECT_EQ(s.root->m_Children.size(), 2u);
    EXPECT_EQ(s.root->m_Lifts.size(), 4u);
}

TEST(StructureRead, PultElementNameIgnoresLatinCase)
{
    for (const char *tag : {"pult", "Pult", "PULT"}) {
        TestStructure s;
        s.Load(QByteArray("<") + tag + " Name=\"N\"><disp Name=\"P\"/><Disp Name=\"Q\"/></" + tag + ">");
        EXPECT_EQ(s.root->m_Name, QStringLiteral("N")) << tag;
        EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("P"), QStringLiteral("Q")})) << tag;
    }
}

TEST(StructureRead, WithoutPultTheStructureIsEmptyAndNoErrorIsRaised)
{
    TestStructure s;
    s.root->TimeDriv = 33;
    s.Load("<?xml version=\"1.0\"?><CONSOLE Name=\"x\"><DISP Name=\"P\"/></CONSOLE>");
    EXPECT_TRUE(s.root->m_Children.empty());
    EXPECT_TRUE(s.root->m_Name.isEmpty());
    EXPECT_EQ(s.root->TimeDriv, 33);
    EXPECT_TRUE(s.presenter.m_Messages.empty());
    // A PULT nested below the document element is not the document's PULT.
    s.Load("<ROOT><PULT Name=\"inner\"><DISP Name=\"P\"/></PULT></ROOT>");
    EXPECT_TRUE(s.root->m_Children.empty());
}

TEST(StructureRead, PultAfterCommentAndProcessingInstruction)
{
    TestStructure s;
    s.Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- structure -->\n<?app setting=\"1\"?>\n"
           "<!DOCTYPE PULT>\n<PULT Name=\"N\"><DISP Name=\"P\"/></PULT>\n<!-- after -->\n");
    EXPECT_EQ(s.root->m_Name, QStringLiteral("N"));
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("P")});
}

TEST(StructureRead, CreateXMLDOMStartsWithTheDeclarationInstruction)
{
    TestStructure s;
    EXPECT_TRUE(s.root->m_XMLDOM.IsNull());
    EXPECT_TRUE(s.root->CreateXMLDOM());
    const XmlNode first = s.root->m_XMLDOM.GetFirstChild();
    ASSERT_FALSE(first.IsNull());
    EXPECT_EQ(first.GetNodeType(), XmlNodeType::ProcessingInstruction);
    EXPECT_EQ(first.GetNodeName(), QStringLiteral("xml"));
    EXPECT_TRUE(first.GetNextSibling().IsNull());
    EXPECT_TRUE(s.presenter.m_Messages.empty());
}

TEST(StructureRead, LoadWithoutADocumentReadsNothing)
{
    TestStructure s;
    s.root->ResetStructure();
    s.root->LoadXMLFromBytes(kFull); // no CreateXMLDOM: nothing to load into
    s.root->LoadXML(QStringLiteral("/nonexistent/file.xml"));
    EXPECT_TRUE(s.root->m_Children.empty());
    EXPECT_TRUE(s.root->m_XMLDOM.IsNull());
}

TEST(StructureRead, SecondFileLeavesNothingOfTheFirstButRootSettings)
{
    TestStructure s;
    s.Load(PultDocument("<TabState><State Number=\"1\"/></TabState><TabOut><Out Number=\"2\"/></TabOut>"
                        "<TabKey><Key Number=\"3\"/></TabKey>"
                        "<DISP Name=\"First\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L1\"/></HOME></STREET></DISP>",
                        "Name=\"One\" IdDB=\"4\" TimeDriv=\"77\" DaySavCheck=\"30\" FirstTestMove=\"3\""));
    s.root->m_CurPunct = static_cast<CPunct *>(s.root->m_Children.at(0).get());

    s.Load(PultDocument("<TabOut><Out Number=\"9\"/></TabOut>"
                        "<DISP Name=\"Second\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L2\"/></HOME></STREET></DISP>"));
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("Second")});
    ASSERT_EQ(s.root->m_Lifts.size(), 1u);
    EXPECT_EQ(s.root->m_Lifts[0]->m_Name, QStringLiteral("L2"));
    EXPECT_TRUE(s.root->m_TabState.GetRecords().empty());
    EXPECT_EQ(s.root->m_TabOut.GetRecords().size(), 1u);
    EXPECT_EQ(s.root->m_TabOut.GetRecords().count(9), 1u);
    EXPECT_TRUE(s.root->m_TabKey.GetKeys().empty());
    EXPECT_EQ(s.root->m_CurPunct, nullptr);
    // Name and IdDB go with the structure; settings the second file lacks stay,
    // those read with a default get it again.
    EXPECT_TRUE(s.root->m_Name.isEmpty());
    EXPECT_EQ(s.root->m_IdDB, 0);
    EXPECT_EQ(s.root->TimeDriv, 77);
    EXPECT_EQ(s.root->DaySavCheck, 0);
    EXPECT_EQ(s.root->FirstTestMove.TotalHours(), 8);
}

TEST(StructureRead, ResetStructureEmptiesEverythingButSettings)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut><Out Number=\"1\"/></TabOut><TabState><State/></TabState><TabKey><Key/></TabKey>"
                        "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"/></HOME></STREET></DISP>",
                        "Name=\"N\" IdDB=\"3\" OnLift=\"6\""));
    ASSERT_FALSE(s.root->m_Children.empty());
    s.root->m_bModified = true;
    s.root->ResetStructure();
    EXPECT_TRUE(s.root->m_Children.empty());
    EXPECT_TRUE(s.root->m_Lifts.empty());
    EXPECT_TRUE(s.root->m_TabState.GetRecords().empty());
    EXPECT_TRUE(s.root->m_TabOut.GetRecords().empty());
    EXPECT_TRUE(s.root->m_TabKey.GetKeys().empty());
    EXPECT_TRUE(s.root->m_XMLDOM.IsNull());
    EXPECT_TRUE(s.root->m_pElem.IsNull());
    EXPECT_TRUE(s.root->m_TabOut.m_pElem.IsNull());
    EXPECT_TRUE(s.root->m_Name.isEmpty());
    EXPECT_EQ(s.root->m_IdDB, 0);
    EXPECT_EQ(s.root->OnLift, 6);
    EXPECT_TRUE(s.root->m_bModified); // the flag is not the structure's
}

TEST(StructureRead, SyntaxErrorNamesLineAndColumn)
{
    TestStructure s;
    const ErrorXML error = CaptureErrorXML(
        [&] { s.Load("<?xml version=\"1.0\"?>\n<PULT>\n  <DISP Name=\"A\">\n</PULT>\n"); });
    EXPECT_EQ(error.Message(), QStringLiteral("Ошибка m_XMLDOM->load"));
    EXPECT_EQ(error.Code(), 1);
    EXPECT_TRUE(error.Detail().startsWith(QStringLiteral("строка 4, столбец "))) << error.Detail().toStdString();
    EXPECT_TRUE(s.root->m_Children.empty());

    const ErrorXML attribute = CaptureErrorXML([&] { s.Load("<PULT>\n<DISP Name=A/>\n</PULT>"); });
    EXPECT_EQ(attribute.Code(), 1);
    EXPECT_EQ(attribute.Detail(), QStringLiteral("строка 2, столбец 12: значение атрибута должно быть в кавычках"));
}

TEST(StructureRead, ColumnsCountCharactersNotBytes)
{
    TestStructure s;
    // Cyrillic takes two bytes a letter in UTF-8; the column counts letters.
    const ErrorXML utf8 = CaptureErrorXML([&] { s.Load("<PULT Name=\"Пульт\" <"); });
    TestStructure t;
    const ErrorXML ascii = CaptureErrorXML([&] { t.Load("<PULT Name=\"Abcde\" <"); });
    EXPECT_EQ(utf8.Detail(), ascii.Detail());
    EXPECT_TRUE(utf8.Detail().startsWith(QStringLiteral("строка 1, столбец "))) << utf8.Detail().toStdString();
}

// --- the console root's settings ---------------------------------------------------------

enum class Absent { Unchanged, Default, Cleared };

struct SettingCase
{
    const char *name; // the attribute
    QByteArray value;
    QString read;      // the member after reading `value`
    QString initial;   // the member after construction (and the default, where one applies)
    Absent absent;
    bool numeric;      // a non-number is a read error
    std::function<QString(const CRootB &)> show;
};

QString ShowTime(const DateTimeValue &t)
{
    if (t.status != DateTimeValue::Status::Valid)
        return QStringLiteral("invalid");
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(t.year)
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'))
        .arg(t.hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

QString ShowSpan(const TimeSpanValue &span)
{
    return QStringLiteral("%1:%2%3")
        .arg(span.TotalHours())
        .arg(span.MinutesPart())
        .arg(span.valid ? QString() : QStringLiteral(" invalid"));
}

#define INT_SETTING(name, value, initial, absent)                                                                   \
    SettingCase{#name, value, QStringLiteral(#value).remove(u'"'), QStringLiteral(#initial), Absent::absent, true,  \
                [](const CRootB &r) { return QString::number(r.name); }}
#define TEXT_SETTING(name)                                                                                            \
    SettingCase{#name, "  " #name " \xE2\x80\x83", QStringLiteral(#name), QString(), Absent::Unchanged, false,        \
                [](const CRootB &r) { return r.name; }}
#define FLAG_SETTING(name, absent)                                                                                    \
    SettingCase{#name, "-2", QStringLiteral("true"), QStringLiteral("false"), Absent::absent, true,                   \
                [](const CRootB &r) { return QString::fromLatin1(r.name ? "true" : "false"); }}

std::vector<SettingCase> Settings()
{
    return {
        SettingCase{"Name", " Пульт ", QStringLiteral("Пульт"), QString(), Absent::Cleared, false,
                    [](const CRootB &r) { return r.m_Name; }},
        // Whatever the file says, the console asks once.
        SettingCase{"TimeAsk", "7", QStringLiteral("1"), QStringLiteral("1"), Absent::Unchanged, true,
                    [](const CRootB &r) { return QString::number(r.TimeAsk); }},
        INT_SETTING(TimeDriv, "-5", 180, Unchanged),
        INT_SETTING(TimeGGS, "121", 180, Unchanged),
        INT_SETTING(OnLift, "2", 0, Unchanged),
        INT_SETTING(LockOut, "3", 0, Unchanged),
        INT_SETTING(OnTimer, "4", 0, Unchanged),
        SettingCase{"Timer", " 7:5 ", QStringLiteral("1990-01-01 07:05:00"), QStringLiteral("1990-01-01 00:00:00"),
                    Absent::Unchanged, false, [](const CRootB &r) { return ShowTime(r.Timer); }},
        INT_SETTING(MaxVisibleRec, "100", 5000, Unchanged),
        SettingCase{"GUID", "2c96c6d2a16aa22834cb51da5b8a95dd", QStringLiteral("2C96C6D2A16AA22834CB51DA5B8A95DD"),
                    QString(32, u'0'), Absent::Unchanged, false, [](const CRootB &r) { return GuidToText(r.GUID); }},
        INT_SETTING(IntervSTAT, "15", 1, Unchanged),
        INT_SETTING(DivIntSTAT, "4", 0, Unchanged),
        TEXT_SETTING(NameLock),
        INT_SETTING(AvtoOpenNewErr, "1", 0, Unchanged),
        INT_SETTING(AvtoCloseNewErr, "0", 1, Unchanged),
        INT_SETTING(AdrLift, "0", 1, Unchanged),
        INT_SETTING(DisGrad, "9", 0, Unchanged),
        INT_SETTING(DisServKey, "8", 0, Unchanged),
        FLAG_SETTING(EnableGCM, Unchanged),
        FLAG_SETTING(EnablePushNotify, Default),
        FLAG_SETTING(EnableEmailNotify, Default),
        TEXT_SETTING(LogPos),
        TEXT_SETTING(TabPos),
        TEXT_SETTING(TreePos),
        TEXT_SETTING(ColLog),
        TEXT_SETTING(WindowPos),
        INT_SETTING(AlarmAdmin, "6", 0, Unchanged),
        INT_SETTING(CRC, "4294967295", 0, Unchanged),
        INT_SETTING(TypProfil, "2", 0, Unchanged),
        INT_SETTING(DaySavCheck, "30", 0, Default),
        INT_SETTING(DaySavEvents, "365", 0, Default),
        INT_SETTING(DaySavVoice, "90", 0, Default),
        INT_SETTING(DaySavStat, "730", 0, Default),
        INT_SETTING(Providers, "3", 0, Default),
        SettingCase{"FirstTestMove", "30", QStringLiteral("30:30"), QStringLiteral("8:30"), Absent::Default, true,
                    [](const CRootB &r) { return ShowSpan(r.FirstTestMove); }},
        SettingCase{"SecondTestMove", "0", QStringLiteral("0:30"), QStringLiteral("18:30"), Absent::Default, true,
                    [](const CRootB &r) { return ShowSpan(r.SecondTestMove); }},
    };
}

class RootSetting : public ::testing::TestWithParam<SettingCase>
{
};

TEST_P(RootSetting, InitialValue)
{
    TestStructure s;
    EXPECT_EQ(GetParam().show(*s.root), GetParam().initial);
}

TEST_P(RootSetting, ReadFromPult)
{
    TestStructure s;
    s.Load(PultDocument({}, QByteArray(GetParam().name) + "=\"" + GetParam().value + "\""));
    EXPECT_EQ(GetParam().show(*s.root), GetParam().read);
}

// A file without the attribute after one that had it.
TEST_P(RootSetting, AbsentInTheNextFile)
{
    TestStructure s;
    s.Load(PultDocument({}, QByteArray(GetParam().name) + "=\"" + GetParam().value + "\""));
    s.Load(PultDocument({}));
    switch (GetParam().absent) {
    case Absent::Unchanged:
        EXPECT_EQ(GetParam().show(*s.root), GetParam().read);
        break;
    case Absent::Default:
    case Absent::Cleared:
        EXPECT_EQ(GetParam().show(*s.root), GetParam().initial);
        break;
    }
}

class NumericRootSetting : public ::testing::TestWithParam<SettingCase>
{
};

TEST_P(NumericRootSetting, NonNumberIsAReadError)
{
    TestStructure s;
    const ErrorXML error =
        CaptureErrorXML([&] { s.Load(PultDocument({}, QByteArray(GetParam().name) + "=\"x\"")); });
    EXPECT_EQ(error.Message(),
              QStringLiteral("Ошибка при чтении параметра %1 элемента PULT").arg(QString::fromLatin1(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(Attributes, RootSetting, ::testing::ValuesIn(Settings()),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

std::vector<SettingCase> NumericSettings()
{
    std::vector<SettingCase> numeric;
    for (const SettingCase &c : Settings())
        if (c.numeric)
            numeric.push_back(c);
    return numeric;
}

INSTANTIATE_TEST_SUITE_P(Attributes, NumericRootSetting, ::testing::ValuesIn(NumericSettings()),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RootSettings, ThirtySixAttributesAreRead)
{
    // Every attribute at once, so that no two share a member.
    QByteArray attributes;
    for (const SettingCase &c : Settings())
        attributes += QByteArray(c.name) + "=\"" + c.value + "\" ";
    TestStructure s;
    s.Load(PultDocument({}, attributes));
    for (const SettingCase &c : Settings())
        EXPECT_EQ(c.show(*s.root), c.read) << c.name;
    EXPECT_EQ(Settings().size(), 36u);
}

struct TimerCase
{
    const char *name;
    QByteArray text;
    QString shown;
};

class RootTimer : public ::testing::TestWithParam<TimerCase>
{
};

TEST_P(RootTimer, ParsedAsTimeOfDayInvalidIsNoError)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"/>", "Timer=\"" + GetParam().text + "\""));
    EXPECT_EQ(ShowTime(s.root->Timer), GetParam().shown);
    EXPECT_EQ(s.root->m_Children.size(), 1u); // the read went on
}

INSTANTIATE_TEST_SUITE_P(Texts, RootTimer,
                         ::testing::Values(TimerCase{"Short", "7:5", QStringLiteral("1990-01-01 07:05:00")},
                                           TimerCase{"Empty", "", QStringLiteral("1990-01-01 00:00:00")},
                                           TimerCase{"Full", "23:59:59", QStringLiteral("1990-01-01 23:59:59")},
                                           TimerCase{"Hour25", "25:00:00", QStringLiteral("invalid")},
                                           TimerCase{"Letters", "noon", QStringLiteral("1990-01-01 00:00:00")}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RootSettings, CrcIsUnsignedThirtyTwoBits)
{
    for (const char *bad : {"-1", "4294967296", "", "0x10"}) {
        TestStructure s;
        const ErrorXML error = CaptureErrorXML([&] { s.Load(PultDocument({}, QByteArray("CRC=\"") + bad + "\"")); });
        EXPECT_EQ(error.Message(), QStringLiteral("Ошибка при чтении параметра CRC элемента PULT")) << bad;
    }
    TestStructure s;
    s.Load(PultDocument({}, "CRC=\"0\""));
    EXPECT_EQ(s.root->CRC, 0u);
}

TEST(RootSettings, TestMoveBeyondTheDateRangeIsInvalid)
{
    TestStructure s;
    s.Load(PultDocument({}, "FirstTestMove=\"2147483647\" SecondTestMove=\"-5\""));
    EXPECT_FALSE(s.root->FirstTestMove.valid);
    EXPECT_TRUE(s.root->SecondTestMove.valid);
    EXPECT_DOUBLE_EQ(s.root->SecondTestMove.days, -5.0 / 24 + 30.0 / 1440);
}

TEST(RootSettings, AttributesBeforeAFailureStayAfterTheReset)
{
    TestStructure s;
    // Read in order: TimeDriv before MaxVisibleRec, TypProfil after it.
    s.root->TypProfil = 11;
    EXPECT_THROW(s.Load(PultDocument("<DISP Name=\"P\"/>", "TypProfil=\"4\" MaxVisibleRec=\"many\" TimeDriv=\"5\"")),
                 ErrorXML);
    s.root->ResetStructure();
    EXPECT_EQ(s.root->TimeDriv, 5);
    EXPECT_EQ(s.root->MaxVisibleRec, 5000);
    EXPECT_EQ(s.root->TypProfil, 11);
    EXPECT_TRUE(s.root->m_Children.empty());
}

TEST(RootChildren, RepeatedPointNamesAfterTrimming)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\" A\"/><DISP Name=\"A \"/><DISP Name=\"a\"/><Disp Name=\"A\"/>"));
    EXPECT_EQ(s.presenter.Information(),
              (QStringList{QStringLiteral("A - Повторное указание диспетчерской"),
                           QStringLiteral("A - Повторное указание диспетчерской")}));
    EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("A"),
                                                QStringLiteral("a")}));
}

TEST(RootChildren, MisplacedElementsAreIgnored)
{
    TestStructure s;
    s.Load(PultDocument("<GROUP Name=\"G\"/><LIFT Name=\"L\"/><STREET Name=\"S\"/><HOME Name=\"H\"/>"
                        "<Out Number=\"1\"/><Key/><DISP Name=\"P\"/>"));
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("P")});
    EXPECT_TRUE(s.root->m_Lifts.empty());
    EXPECT_TRUE(s.root->m_TabOut.GetRecords().empty());
    EXPECT_TRUE(s.root->m_TabKey.GetKeys().empty());
    EXPECT_TRUE(s.presenter.m_Messages.empty());
}

TEST(RootChildren, LiftListOfTheRootSortedByIdDB)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P1\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"a\" IdDB=\"30\"/>"
                        "<LIFT Name=\"b\" IdDB=\"-1\"/></HOME></STREET></DISP>"
                        "<DISP Name=\"P2\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"c\" IdDB=\"20\"/>"
                        "<LIFT Name=\"d\"/></HOME></STREET></DISP>"));
    QStringList order;
    for (const CLiftB *lift : s.root->m_Lifts)
        order.append(lift->m_Name);
    EXPECT_EQ(order, (QStringList{QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("c"), QStringLiteral("a")}));
}

TEST(RootKind, FactoriesAndKind)
{
    TestStructure s;
    EXPECT_EQ(s.root->GetKind(), NodeKind::Root);
    const std::unique_ptr<CPunctB> punct = s.root->CreatePunct();
    EXPECT_EQ(punct->m_pParent, s.root.get());
    EXPECT_NE(dynamic_cast<CPunct *>(punct.get()), nullptr);
    EXPECT_TRUE(s.root->m_Children.empty()); // created, not added
}

} // namespace

// What the document type declares reaches the structure as a reader of XML
// must take it: entities replaced and declared defaults supplied.
struct DeclaredCase
{
    const char *name;
    QByteArray doctype;
    QByteArray pult; // the PULT element
    std::function<void(const TestStructure &)> check;
};

KORVIX_CASES_PRINT_BY_NAME

class DeclaredInTheDocumentType : public ::testing::TestWithParam<DeclaredCase>
{
};

TEST_P(DeclaredInTheDocumentType, ReachesTheStructure)
{
    TestStructure s;
    s.Load("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE PULT [" + GetParam().doctype + "]>\n" + GetParam().pult);
    GetParam().check(s);
}

const QByteArray kGuidEntity = "<!ENTITY g \"0123456789ABCDEF0123456789ABCDEF\">";

INSTANTIATE_TEST_SUITE_P(
    Documents, DeclaredInTheDocumentType,
    ::testing::Values(
        DeclaredCase{"EntityInAName", "<!ENTITY s \"Street\">", "<PULT><DISP Name=\"&s;\"/></PULT>",
                     [](const TestStructure &s) { EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("Street")}); }},
        DeclaredCase{"EntityInANumber", "<!ENTITY n \"5\">",
                     "<PULT><DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\" SubNet=\"&n;\"/>"
                     "</HOME></STREET></DISP></PULT>",
                     [](const TestStructure &s) {
                         ASSERT_EQ(s.root->m_Lifts.size(), 1u);
                         EXPECT_EQ(s.root->m_Lifts[0]->SubNet, 5);
                     }},
        DeclaredCase{"EntityInAGroupsGuid", kGuidEntity,
                     "<PULT><DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\" GUID=\"&g;\"/>"
                     "</HOME></STREET><GROUP Name=\"G\"><LIFT GUID=\"&g;\"/></GROUP></DISP></PULT>",
                     [](const TestStructure &s) {
                         EXPECT_TRUE(s.presenter.m_Messages.empty());
                         const auto &point = static_cast<const CPunctB &>(*s.root->m_Children.at(0));
                         ASSERT_EQ(point.m_RootGroup.m_SubGroups.size(), 1u);
                         EXPECT_EQ(point.m_RootGroup.m_SubGroups[0]->m_LiftRefs.size(), 1u);
                     }},
        DeclaredCase{"EntityInContentHoldsAPoint", "<!ENTITY d \"<DISP Name='Из сущности'/>\">",
                     "<PULT><DISP Name=\"A\"/>&d;</PULT>",
                     [](const TestStructure &s) {
                         EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("A"), QStringLiteral("Из сущности")}));
                     }},
        DeclaredCase{"DefaultName", "<!ATTLIST DISP Name CDATA \"Dflt\">", "<PULT><DISP/><DISP Name=\"Own\"/></PULT>",
                     [](const TestStructure &s) {
                         EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("Dflt"), QStringLiteral("Own")}));
                     }}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// A byte order mark that begins a value is part of the name, in every
// encoding: "A" and U+FEFF "A" are two names.
TEST(RootChildren, ByteOrderMarkAtTheStartOfANameIsKept)
{
    const QString names = QStringLiteral("<PULT><DISP Name=\"A\"/><DISP Name=\"") + QChar(0xFEFF) + QStringLiteral("A\"/></PULT>");
    for (const QByteArray &bytes : {names.toUtf8(), QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(names.utf16()), names.size() * 2)}) {
        TestStructure s;
        s.Load(bytes);
        EXPECT_TRUE(s.presenter.Information().isEmpty()) << s.presenter.Information().join(u'\n').toStdString();
        EXPECT_EQ(ChildNames(*s.root), (QStringList{QStringLiteral("A"), QChar(0xFEFF) + QStringLiteral("A")}));
    }
}
