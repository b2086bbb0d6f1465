// State, output, key and terminal-device tables: keyed replacement, merging,
// order, defaults and the failure of a bad row.

#include "model/items/KeyTable.h"
#include "model/items/OutTable.h"
#include "model/items/StateTable.h"
#include "model/items/TermDevTable.h"
#include "model/NodeKind.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/StructureText.h"

#include <gtest/gtest.h>

namespace {

KORVIX_CASES_PRINT_BY_NAME

template <class Table>
std::vector<int> Keys(const Table &table)
{
    std::vector<int> keys;
    for (const auto &[key, record] : table.GetRecords()) {
        keys.push_back(key);
        EXPECT_EQ(record->m_pParent, &table);
    }
    return keys;
}

TEST(OutTable, SameNumberReplacesAndKeysAscend)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut>"
                        "<Out Number=\"5\" ShortOn=\"first\"/>"
                        "<Out Number=\"-2\"/>"
                        "<Out Number=\"5\" ShortOn=\" second \" LongOn=\"\tl on\" ShortOff=\"s off \" LongOff=\" l off\" "
                        "Disabl=\"1\" InsLog=\"-4\" IdDB=\"77\"/>"
                        "<Out Number=\"3\"/>"
                        "</TabOut>"));
    const CTabOutB &table = s.root->m_TabOut;
    EXPECT_EQ(Keys(table), (std::vector<int>{-2, 3, 5}));
    const COutB &out = *table.GetRecords().at(5);
    EXPECT_EQ(out.m_ShortOn, QStringLiteral("second"));
    EXPECT_EQ(out.m_LongOn, QStringLiteral("l on"));
    EXPECT_EQ(out.m_ShortOff, QStringLiteral("s off"));
    EXPECT_EQ(out.m_LongOff, QStringLiteral("l off"));
    EXPECT_EQ(out.m_Disabl, 1);
    EXPECT_EQ(out.m_InsLog, -4);
    EXPECT_EQ(out.m_IdDB, 77);
    EXPECT_EQ(out.GetKind(), NodeKind::Out);
    EXPECT_EQ(table.GetKind(), NodeKind::TabOut);
}

TEST(OutTable, RowsWithoutNumberShareKeyZero)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut><Out ShortOn=\"a\"/><Out ShortOn=\"b\"/></TabOut>"));
    ASSERT_EQ(Keys(s.root->m_TabOut), (std::vector<int>{0}));
    const COutB &out = *s.root->m_TabOut.GetRecords().at(0);
    EXPECT_EQ(out.m_ShortOn, QStringLiteral("b"));
    EXPECT_EQ(out.m_Number, 0);
    EXPECT_EQ(out.m_Disabl, 0);
    EXPECT_EQ(out.m_InsLog, 0);
    EXPECT_TRUE(out.m_LongOff.isEmpty());
}

TEST(StateTable, DefaultsAndAllAttributes)
{
    TestStructure s;
    s.Load(PultDocument("<TabState><State Number=\"4\"/>"
                        "<State Number=\"9\" ShortName=\" Норма \" MesForLog=\" Лифт в норме \" InsLog=\"1\" Pulsar=\"0\" "
                        "GroupSost=\"3\" Disabl=\"2\"/></TabState>"));
    const CStateB &bare = *s.root->m_TabState.GetRecords().at(4);
    EXPECT_EQ(bare.m_Number, 4);
    EXPECT_EQ(bare.m_Pulsar, 1);
    EXPECT_EQ(bare.m_GroupSost, 11);
    EXPECT_EQ(bare.m_InsLog, 0);
    EXPECT_EQ(bare.m_Disabl, 0);
    EXPECT_TRUE(bare.m_ShortName.isEmpty());
    const CStateB &full = *s.root->m_TabState.GetRecords().at(9);
    EXPECT_EQ(full.m_ShortName, QStringLiteral("Норма"));
    EXPECT_EQ(full.m_MesForLog, QStringLiteral("Лифт в норме"));
    EXPECT_EQ(full.m_InsLog, 1);
    EXPECT_EQ(full.m_Pulsar, 0);
    EXPECT_EQ(full.m_GroupSost, 3);
    EXPECT_EQ(full.m_Disabl, 2);
}

TEST(StateTable, RecordsFromTheFactoryKeepTheirNumber)
{
    TestStructure s;
    EXPECT_EQ(s.root->CreateState(7)->m_Number, 7);
    EXPECT_EQ(s.root->CreateState(7)->m_pParent, &s.root->m_TabState);
    EXPECT_EQ(s.root->CreateOut(8)->m_Number, 8);
    EXPECT_EQ(s.root->CreateOut(8)->m_pParent, &s.root->m_TabOut);
    EXPECT_EQ(s.root->CreateKey()->m_pParent, &s.root->m_TabKey);
    CLiftB lift(nullptr);
    EXPECT_EQ(lift.CreateState(3)->m_pParent, &lift.m_TabState);
    EXPECT_EQ(lift.CreateOut(3)->m_Number, 3);
}

TEST(KeyTable, DocumentOrderDuplicatesAndUntrimmedTexts)
{
    TestStructure s;
    s.Load(PultDocument("<TabKey>"
                        "<Key Level=\"3\" Prefix=\"12\" Number=\"40117\" Owner=\"  Иванов И.И. \" Comm=\" дверь \"/>"
                        "<Key Number=\"1\"/>"
                        "<Key Number=\"40117\" Owner=\"  Иванов И.И. \"/>"
                        "<key Number=\"0\"/>"
                        "</TabKey>"));
    const auto &keys = s.root->m_TabKey.GetKeys();
    ASSERT_EQ(keys.size(), 4u);
    std::vector<int> numbers;
    for (const auto &key : keys) {
        numbers.push_back(key->m_Number);
        EXPECT_EQ(key->m_pParent, &s.root->m_TabKey);
    }
    EXPECT_EQ(numbers, (std::vector<int>{40117, 1, 40117, 0}));
    const CKeyB &first = *keys.front();
    EXPECT_EQ(first.m_Level, 3);
    EXPECT_EQ(first.m_Prefix, 12);
    EXPECT_EQ(first.m_Owner, QStringLiteral("  Иванов И.И. "));
    EXPECT_EQ(first.m_Comm, QStringLiteral(" дверь "));
    const CKeyB &bare = **std::next(keys.begin());
    EXPECT_EQ(bare.m_Level, 0);
    EXPECT_EQ(bare.m_Prefix, 0);
    EXPECT_TRUE(bare.m_Owner.isEmpty());
    EXPECT_EQ(bare.GetKind(), NodeKind::Key);
    EXPECT_EQ(s.root->m_TabKey.GetKind(), NodeKind::TabKey);
}

TEST(DevTable, KeyedByAddressFullNameIsTheNodeName)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"><TabDev>"
                        "<Dev Address=\"7\" Short=\" ТУ \" Full=\" Терминал \" Typ=\"3\" Vers=\"2\" IdDB=\"5\"/>"
                        "<Dev Address=\"2\"/>"
                        "<DEV Address=\"7\" Full=\"Замена\"/>"
                        "</TabDev></LIFT></HOME></STREET></DISP>"));
    const CLiftB &lift = *s.root->m_Lifts.at(0);
    const CTabTermDevB &table = lift.m_TabDev;
    EXPECT_EQ(Keys(table), (std::vector<int>{2, 7}));
    const CTermDevB &replaced = *table.GetRecords().at(7);
    EXPECT_EQ(replaced.m_Name, QStringLiteral("Замена"));
    // Helper style: a row that has no Short, Typ or Vers gets the empty text and 0.
    EXPECT_TRUE(replaced.m_Short.isEmpty());
    EXPECT_EQ(replaced.m_Typ, 0);
    EXPECT_EQ(replaced.m_Vers, 0);
    EXPECT_EQ(replaced.m_IdDB, 0);
    const CTermDevB &bare = *table.GetRecords().at(2);
    EXPECT_EQ(bare.m_Typ, 0);
    EXPECT_TRUE(bare.m_Name.isEmpty());
    EXPECT_EQ(bare.GetKind(), NodeKind::TermDev);
    EXPECT_EQ(table.GetKind(), NodeKind::TabTermDev);
    EXPECT_EQ(CTermDevB(nullptr).m_Typ, -1);
}

TEST(DevTable, AllAttributesOfOneRow)
{
    CTabTermDevB table(nullptr);
    table.XMLLoad(FirstElement("<TabDev><Dev Address=\"-1\" Short=\" ТУ \" Full=\" Терминал 1 \" Typ=\"3\" Vers=\"2\" "
                               "IdDB=\"5\"/></TabDev>"));
    const CTermDevB &dev = *table.GetRecords().at(-1);
    EXPECT_EQ(dev.m_Address, -1);
    EXPECT_EQ(dev.m_Short, QStringLiteral("ТУ"));
    EXPECT_EQ(dev.m_Name, QStringLiteral("Терминал 1"));
    EXPECT_EQ(dev.m_Typ, 3);
    EXPECT_EQ(dev.m_Vers, 2);
    EXPECT_EQ(dev.m_IdDB, 5);
}

TEST(TableMerging, TwoElementsFeedOneTableWhichKeepsTheLaterElement)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut Tag=\"first\"><Out Number=\"3\" ShortOn=\"a\"/><Out Number=\"1\"/></TabOut>"
                        "<DISP Name=\"P\"/>"
                        "<TabOut Tag=\"second\"><Out Number=\"2\"/><Out Number=\"3\" ShortOn=\"b\"/></TabOut>"
                        "<TabKey Tag=\"k1\"><Key Number=\"2\"/></TabKey><TabKey Tag=\"k2\"><Key Number=\"1\"/></TabKey>"));
    EXPECT_EQ(Keys(s.root->m_TabOut), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.root->m_TabOut.GetRecords().at(3)->m_ShortOn, QStringLiteral("b"));
    const auto tag = s.root->m_TabOut.m_pElem.QueryElement().GetAttribute("Tag");
    ASSERT_TRUE(tag.has_value());
    EXPECT_EQ(tag->ToString(), QStringLiteral("second"));

    std::vector<int> keyNumbers;
    for (const auto &key : s.root->m_TabKey.GetKeys())
        keyNumbers.push_back(key->m_Number);
    EXPECT_EQ(keyNumbers, (std::vector<int>{2, 1}));
    EXPECT_EQ(s.root->m_TabKey.m_pElem.QueryElement().GetAttribute("Tag")->ToString(), QStringLiteral("k2"));
}

TEST(TableMerging, TablesHaveNoIdDB)
{
    TestStructure s;
    // IdDB on a table element is not read, so even a non-number is harmless.
    s.Load(PultDocument("<TabState IdDB=\"x\"><State Number=\"1\"/></TabState><TabKey IdDB=\"5\"/>"));
    EXPECT_EQ(s.root->m_TabState.m_IdDB, 0);
    EXPECT_EQ(s.root->m_TabKey.m_IdDB, 0);
    EXPECT_EQ(s.root->m_TabState.GetRecords().size(), 1u);
}

struct BadRowCase
{
    const char *name;
    QByteArray xml;
    QString message;
};

class BadRow : public ::testing::TestWithParam<BadRowCase>
{
};

// The first attribute that does not convert stops the whole file.
TEST_P(BadRow, StopsTheRead)
{
    TestStructure s;
    const ErrorXML error = CaptureErrorXML([&] { s.Load(PultDocument(GetParam().xml)); });
    EXPECT_EQ(error.Message(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BadRow,
    ::testing::Values(
        BadRowCase{"StatePulsar", "<TabState><State Number=\"1\" Pulsar=\"x\"/></TabState>",
                   QStringLiteral("Ошибка при чтении параметра Pulsar элемента State")},
        // Number is read before Pulsar, so Number is the one named.
        BadRowCase{"StateOrder", "<TabState><State Pulsar=\"x\" Number=\"y\"/></TabState>",
                   QStringLiteral("Ошибка при чтении параметра Number элемента State")},
        BadRowCase{"OutInsLog", "<TabOut><Out Number=\"1\" InsLog=\"1.5\"/></TabOut>",
                   QStringLiteral("Ошибка при чтении параметра InsLog элемента Out")},
        BadRowCase{"KeyLevel", "<TabKey><Key Level=\"\"/></TabKey>",
                   QStringLiteral("Ошибка при чтении параметра Level элемента Key")},
        BadRowCase{"RecordIdDB", "<TabOut><Out Number=\"1\" IdDB=\"z\"/></TabOut>",
                   QStringLiteral("Ошибка при чтении параметра IdDB элемента ")},
        BadRowCase{"DevAddress",
                   "<DISP><STREET><HOME><LIFT><TabDev><Dev Address=\"A\"/></TabDev></LIFT></HOME></STREET></DISP>",
                   QStringLiteral("Ошибка при чтении параметра Address элемента Dev")},
        BadRowCase{"DevVers", "<DISP><STREET><HOME><LIFT><TabDev><Dev Vers=\"99999999999\"/></TabDev></LIFT></HOME></STREET></DISP>",
                   QStringLiteral("Ошибка при чтении параметра Vers элемента Dev")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(BadRow, RowsBeforeItStayInTheTable)
{
    CTabStateB table(nullptr);
    const ErrorXML error = CaptureErrorXML([&] {
        table.XMLLoad(FirstElement("<TabState><State Number=\"1\"/><State Number=\"2\" GroupSost=\"?\"/>"
                                   "<State Number=\"3\"/></TabState>"));
    });
    EXPECT_EQ(error.Message(), QStringLiteral("Ошибка при чтении параметра GroupSost элемента State"));
    EXPECT_EQ(Keys(table), (std::vector<int>{1}));
}

// The code says why the attribute read first failed, whatever else the row
// holds after it in the document.
TEST(BadRow, CodeIsThatOfTheFirstAttributeRead)
{
    TestStructure s;
    const ErrorXML overflow = CaptureErrorXML(
        [&] { s.Load(PultDocument("<TabState><State GroupSost=\"x\" Pulsar=\"99999999999\" Number=\"1\"/></TabState>")); });
    EXPECT_EQ(overflow.Message(), QStringLiteral("Ошибка при чтении параметра Pulsar элемента State"));
    EXPECT_EQ(static_cast<std::uint32_t>(overflow.Code()), 0x8002000Au);

    const ErrorXML mismatch = CaptureErrorXML(
        [&] { s.Load(PultDocument("<TabState><State Disabl=\"99999999999\" Pulsar=\"x\"/></TabState>")); });
    EXPECT_EQ(mismatch.Message(), QStringLiteral("Ошибка при чтении параметра Pulsar элемента State"));
    EXPECT_EQ(static_cast<std::uint32_t>(mismatch.Code()), 0x80020005u);
}

// Records read from the file come before records added afterwards, as if
// each row had been added when it was read.
TEST(TableAdd, AfterReadingReplacesTheRowsRecord)
{
    CTabOutB table(nullptr);
    table.XMLLoad(FirstElement("<TabOut><Out Number=\"1\" ShortOn=\"read\"/><Out Number=\"2\"/></TabOut>"));
    auto added = std::make_unique<COutB>(1, nullptr);
    added->m_ShortOn = QStringLiteral("added");
    table.Add(std::move(added));
    ASSERT_EQ(Keys(table), (std::vector<int>{1, 2}));
    EXPECT_EQ(table.GetRecords().at(1)->m_ShortOn, QStringLiteral("added"));

    CTabKeyB keys(nullptr);
    keys.XMLLoad(FirstElement("<TabKey><Key Number=\"1\"/></TabKey>"));
    auto key = std::make_unique<CKeyB>(nullptr);
    key->m_Number = 2;
    keys.Add(std::move(key));
    ASSERT_EQ(keys.GetKeys().size(), 2u);
    EXPECT_EQ(keys.GetKeys().front()->m_Number, 1);
    EXPECT_EQ(keys.GetKeys().back()->m_Number, 2);
    EXPECT_EQ(keys.GetKeys().back()->m_pParent, &keys);
}

// Releasing the document keeps every record with the values it was read with.
TEST(TableRelease, RecordsOutliveTheDocument)
{
    TestStructure s;
    s.Load(PultDocument("<TabOut><Out Number=\"7\" ShortOn=\"вкл\"/></TabOut><TabKey><Key Owner=\" o \"/></TabKey>"));
    s.root->ReleaseXML();
    const COutB &out = *s.root->m_TabOut.GetRecords().at(7);
    EXPECT_EQ(out.m_ShortOn, QStringLiteral("вкл"));
    EXPECT_TRUE(out.m_pElem.IsNull());
    ASSERT_EQ(s.root->m_TabKey.GetKeys().size(), 1u);
    EXPECT_EQ(s.root->m_TabKey.GetKeys().front()->m_Owner, QStringLiteral(" o "));
    EXPECT_TRUE(s.root->m_TabKey.GetKeys().front()->m_pElem.IsNull());
}

TEST(TableClear, DestroysRecordsKeepsTheElement)
{
    CTabOutB table(nullptr);
    table.XMLLoad(FirstElement("<TabOut><Out Number=\"1\"/><Out Number=\"2\"/></TabOut>"));
    ASSERT_EQ(table.GetRecords().size(), 2u);
    table.Clear();
    EXPECT_TRUE(table.GetRecords().empty());
    EXPECT_FALSE(table.m_pElem.IsNull());

    CTabKeyB keys(nullptr);
    keys.XMLLoad(FirstElement("<TabKey><Key/><Key/></TabKey>"));
    ASSERT_EQ(keys.GetKeys().size(), 2u);
    keys.Clear();
    EXPECT_TRUE(keys.GetKeys().empty());
    EXPECT_FALSE(keys.m_pElem.IsNull());
}

TEST(TableAdd, KeyEntryIsCreatedOrReplacedAndParentSet)
{
    CTabStateB table(nullptr);
    CTabStateB other(nullptr);
    table.Add(std::make_unique<CStateB>(4, &other));
    auto replacement = std::make_unique<CStateB>(4, &other);
    const CStateB *kept = replacement.get();
    table.Add(std::move(replacement));
    ASSERT_EQ(table.GetRecords().size(), 1u);
    EXPECT_EQ(table.GetRecords().at(4).get(), kept);
    EXPECT_EQ(kept->m_pParent, &table);
}

} // namespace
