// Where the messages and the load error of a read point: the element they
// concern (for a repetition the later one, for a group message the reference
// in the group), with the names from the dispatch point down.

#include "layout/StructureFileLoad.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The 1-based line and column of the n-th occurrence of `marker`.
XmlPosition PlaceOf(const QByteArray &xml, const QByteArray &marker, int occurrence = 1)
{
    qsizetype at = -1;
    for (int i = 0; i < occurrence; ++i) {
        at = xml.indexOf(marker, at + 1);
        if (at < 0)
            throw std::runtime_error("no " + marker.toStdString());
    }
    const qsizetype lineStart = xml.lastIndexOf('\n', at) + 1;
    return {static_cast<std::uint32_t>(xml.left(at).count('\n') + 1), static_cast<std::uint32_t>(at - lineStart + 1)};
}

const QByteArray kRepeats = R"(<?xml version="1.0" encoding="UTF-8"?>
<PULT>
  <DISP Name="Юг">
    <STREET Name="ул. Мира">
      <HOME Name="д.1">
        <LIFT Name="Л1" ID="1" GUID="0123456789ABCDEF0123456789ABCDEF"/>
        <LIFT Name="Л1" ID="2"/>
      </HOME>
      <HOME Name="д.1"/>
    </STREET>
    <STREET Name="ул. Мира"/>
    <GROUP Name="Высотки">
      <LIFT GUID="0123456789ABCDEF0123456789ABCDEF"/>
      <LIFT GUID="FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"/>
    </GROUP>
    <GROUP Name="Башни">
      <LIFT GUID="0123456789ABCDEF0123456789ABCDEF"/>
    </GROUP>
  </DISP>
  <DISP Name="Юг"/>
</PULT>
)";

struct Expected
{
    QByteArray marker;
    int occurrence;
    const char16_t *path; // the names, joined by "/"
};

TEST(MessagePlaces, EveryMessageNamesTheElementItConcerns)
{
    TempDir dir;
    TestStructure s;
    const StructureFileOpen opened = OpenStructureFile(*s.root, dir.Write(QStringLiteral("r.xml"), kRepeats));
    ASSERT_EQ(opened.outcome, StructureFileOpen::Outcome::Loaded);
    const LoadReport &report = s.root->m_LoadReport;
    // In the order the read raised them.
    const std::vector<Expected> expected{
        {R"(<LIFT Name="Л1" ID="2")", 1, u"Юг/ул. Мира/д.1/Л1"},
        {R"(<HOME Name="д.1")", 2, u"Юг/ул. Мира/д.1"},
        {R"(<STREET Name="ул. Мира")", 2, u"Юг/ул. Мира"},
        {R"(<LIFT GUID="FFFF)", 1, u"Юг/Высотки"}, // not in the structure
        {R"(<LIFT GUID="0123)", 2, u"Юг/Башни"},   // already in a group
        {R"(<DISP Name="Юг")", 2, u"Юг"},
    };
    ASSERT_EQ(report.messages.size(), expected.size()) << s.presenter.Information().join(u'\n').toStdString();
    EXPECT_EQ(report.messageCount, expected.size());
    EXPECT_FALSE(report.failed);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const StructureMessage &m = report.messages[i];
        EXPECT_EQ(m.position, PlaceOf(kRepeats, expected[i].marker, expected[i].occurrence)) << m.text.toStdString();
        EXPECT_EQ(m.path.join(u'/'), QString::fromUtf16(expected[i].path)) << m.text.toStdString();
        EXPECT_NE(m.node, nullptr) << m.text.toStdString();
        // The texts stay as they were; the boxes show them one by one.
        EXPECT_EQ(m.text, s.presenter.Information().value(static_cast<qsizetype>(i)));
    }
    // A reference the group refused is not kept: its message is for the point.
    EXPECT_EQ(report.messages[4].node->m_Name, QStringLiteral("Юг"));
    EXPECT_EQ(report.messages[0].node->m_Name, QStringLiteral("Л1"));
}

struct ErrorCase
{
    const char *name;
    QByteArray document;
    QByteArray marker; // where the error lies; empty: the parser's own place is checked by line only
    std::uint32_t parseLine;
};

void PrintTo(const ErrorCase &c, std::ostream *os)
{
    *os << c.name;
}

class ErrorPlaces : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(ErrorPlaces, TheLoadErrorPointsAtTheElementBeingRead)
{
    const ErrorCase &c = GetParam();
    TempDir dir;
    TestStructure s;
    const StructureFileOpen opened = OpenStructureFile(*s.root, dir.Write(QStringLiteral("e.xml"), c.document));
    ASSERT_EQ(opened.outcome, StructureFileOpen::Outcome::Rejected);
    const LoadReport &report = s.root->m_LoadReport;
    EXPECT_TRUE(report.failed);
    EXPECT_FALSE(report.errorText.isEmpty());
    if (c.marker.isEmpty()) {
        EXPECT_EQ(report.errorPosition.line, c.parseLine);
        EXPECT_GT(report.errorPosition.column, 0u);
    } else {
        EXPECT_EQ(report.errorPosition, PlaceOf(c.document, c.marker));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reads, ErrorPlaces,
    ::testing::Values(
        ErrorCase{"LiftAttribute", "<PULT>\n<DISP Name=\"P\">\n <STREET Name=\"s\"><HOME Name=\"h\">\n  <LIFT Name=\"x\" IDPro=\"abc\"/>\n"
                                   "</HOME></STREET></DISP></PULT>",
                  "<LIFT", 0},
        ErrorCase{"GroupAttribute", "<PULT><DISP Name=\"P\">\n\n   <GROUP Number=\"x\"/></DISP></PULT>", "<GROUP", 0},
        ErrorCase{"PultAttribute", "<?xml version=\"1.0\"?>\n\n<PULT IdDB=\"q\"/>", "<PULT", 0},
        ErrorCase{"NotWellFormed", "<PULT>\n<DISP Name=\"P\">\n\n</PULT>\n", "", 4}),
    [](const ::testing::TestParamInfo<ErrorCase> &param) { return std::string(param.param.name); });

} // namespace
