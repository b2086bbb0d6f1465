// Cutting a line that does not fit: where the cut falls and what ends it.

#include "tests/gui/GuiTestSupport.h"
#include "views/LineElision.h"

namespace {

struct ElisionCase
{
    std::string name;
    QString text;
    int width;
    QString shown;
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const ElisionCase &c, std::ostream *os) { *os << c.name; }
};

using Elision = ::testing::TestWithParam<ElisionCase>;

// Every UTF-16 unit 10 pixels wide, the ellipsis too.
int TenPerUnit(QStringView text)
{
    return static_cast<int>(text.size()) * 10;
}

TEST_P(Elision, KeepsTheLongestStartThatFitsWithTheEllipsis)
{
    const ElisionCase &c = GetParam();
    const QString shown = ElideAtEnd(c.text, c.width, TenPerUnit);
    EXPECT_EQ(shown, c.shown);
    if (shown != c.text && shown.size() > 1) {
        EXPECT_LE(TenPerUnit(shown), c.width);
    }
}

const QString kRocket = QString::fromUcs4(U"\U0001F680");
const QString kEAcute = QStringLiteral("e\u0301");

INSTANTIATE_TEST_SUITE_P(
    Cases, Elision,
    ::testing::Values(
        ElisionCase{"FitsAndStaysWhole", QStringLiteral("пус 12"), 60, QStringLiteral("пус 12")},
        // «Корпус 12» split after «Кор»: the second line no longer reads «пус 1».
        ElisionCase{"SecondLineOfKorpus12", QStringLiteral("пус 12"), 45, QStringLiteral("пус…")},
        ElisionCase{"NoSpaceBeforeTheEllipsis", QStringLiteral("20 корп. 1"), 40, QStringLiteral("20…")},
        ElisionCase{"SurrogatePairStaysWhole", QStringLiteral("ab") + kRocket + QStringLiteral("cd"), 40,
                    QStringLiteral("ab…")},
        ElisionCase{"SurrogatePairKeptWhenItFits", QStringLiteral("ab") + kRocket + QStringLiteral("cd"), 50,
                    QStringLiteral("ab") + kRocket + QStringLiteral("…")},
        ElisionCase{"AccentStaysWithItsLetter", QStringLiteral("ab") + kEAcute + QStringLiteral("cd"), 40,
                    QStringLiteral("ab…")},
        ElisionCase{"OnlyTheEllipsisFits", QStringLiteral("WWWW"), 15, QStringLiteral("…")},
        ElisionCase{"NotEvenTheEllipsisFits", QStringLiteral("WWWW"), 5, QStringLiteral("…")}),
    CaseName<ElisionCase>);

} // namespace
