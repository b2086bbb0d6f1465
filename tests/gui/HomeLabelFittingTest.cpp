// Fitting a house label into its cell: one line when it fits, else a split
// that keeps a number or a word whole when it would begin at the end of the
// first line. Widths come from a table, not from a font.

#include "tests/gui/GuiTestSupport.h"
#include "views/HomeLabelFitting.h"

#include <map>

namespace {

struct FitCase
{
    std::string name;
    QString label;
    int cellWidth;
    QString line1;
    QString line2;
    bool line2Over;
    // Characters whose width is not the default 10.
    std::map<char16_t, int> widths = {};
    // Cases print as their names (CTest shows the print in the test name).
    friend void PrintTo(const FitCase &c, std::ostream *os) { *os << c.name; }
};

class FitHomeLabelCases : public ::testing::TestWithParam<FitCase>
{
};

TEST_P(FitHomeLabelCases, SplitsAsTheRulesSay)
{
    const FitCase &c = GetParam();
    CHome home(nullptr);
    home.m_Label = c.label;
    home.m_Rect = {100, 40, 100 + c.cellWidth, 80};
    // Stale lines from an earlier fit must not survive.
    home.m_Line1 = QStringLiteral("старое");
    home.m_Line2 = QStringLiteral("старое");
    home.m_Line2Over = !c.line2Over;
    RecordingSurface surface;
    surface.SetDefaultCharWidth(10);
    for (const auto &[ch, width] : c.widths)
        surface.SetCharWidth(QChar(ch), width);

    FitHomeLabel(home, surface);

    EXPECT_EQ(home.m_Line1, c.line1);
    EXPECT_EQ(home.m_Line2, c.line2);
    EXPECT_EQ(home.m_Line2Over, c.line2Over);
    EXPECT_TRUE(surface.Calls().empty()) << "fitting only measures";
}

INSTANTIATE_TEST_SUITE_P(
    Labels, FitHomeLabelCases,
    ::testing::Values(
        FitCase{"FitsExactly", QStringLiteral("Корпус 12"), 90, QStringLiteral("Корпус 12"), {}, false},
        // The cell takes «Корпус 1» (80) but not the whole label: the 1 would
        // begin the number at the end of the first line, so it moves down.
        FitCase{"NumberMovesWhole", QStringLiteral("Корпус 12"), 80, QStringLiteral("Корпус"), QStringLiteral("12"), false},
        FitCase{"CellForTheWordOnly", QStringLiteral("Корпус 12"), 60, QStringLiteral("Корпус"), QStringLiteral("12"), false},
        // «12 Б » is measured as «12 Б» (40) and fits, so the Б is not taken
        // for a word that begins at the end of the first line.
        FitCase{"TrailingBlankIsNotMeasured", QStringLiteral("12 Б 34"), 40, QStringLiteral("12 Б"),
                QStringLiteral("34"), false},
        FitCase{"WordMovesWhole", QStringLiteral("12 Бис"), 40, QStringLiteral("12"), QStringLiteral("Бис"), false},
        // A number that began earlier is cut where the cell ends.
        FitCase{"NumberBegunEarlierIsCut", QStringLiteral("А123456"), 50, QStringLiteral("А1234"), QStringLiteral("56"),
                false},
        FitCase{"ThreeCharactersTooWide", QStringLiteral("12А"), 20, QStringLiteral("12"), QStringLiteral("А"), false},
        FitCase{"SecondLineOverTheWidth", QStringLiteral("Корпус 1234567"), 60, QStringLiteral("Корпус"),
                QStringLiteral("1234567"), true},
        // The first prefix tried has three characters: two stay on the first
        // line even when they are already too wide.
        FitCase{"TwoTooWideCharactersStay", QStringLiteral("ШШШШ"), 10, QStringLiteral("ШШ"), QStringLiteral("ШШ"),
                true, {{u'Ш', 20}}},
        FitCase{"OneCharacterTooWide", QStringLiteral("Ж"), 5, QStringLiteral("Ж"), {}, false},
        FitCase{"TwoDigitsTooWide", QStringLiteral("12"), 5, QStringLiteral("12"), {}, false},
        FitCase{"DigitThenLetterTooWide", QStringLiteral("1А"), 5, QStringLiteral("1"), QStringLiteral("А"), true},
        FitCase{"EmptyLabel", QString(), 0, QString(), QString(), false},
        // The cell ends inside a surrogate pair or between a letter and its
        // accent: the split moves before the whole character.
        FitCase{"SurrogatePairStaysWhole", QStringLiteral("ab") + QString::fromUcs4(U"\U0001F680") + QStringLiteral("cd"), 30,
                QStringLiteral("ab"), QString::fromUcs4(U"\U0001F680") + QStringLiteral("cd"), true},
        FitCase{"AccentStaysWithItsLetter", QStringLiteral("abе\u0301cd"), 30, QStringLiteral("ab"),
                QStringLiteral("е\u0301cd"), true},
        FitCase{"JoinedEmojiStaysWhole", QStringLiteral("ab") + QString::fromUcs4(U"\U0001F469\u200D\U0001F692") + QStringLiteral("c"), 50,
                QStringLiteral("ab"), QString::fromUcs4(U"\U0001F469\u200D\U0001F692") + QStringLiteral("c"), true}),
    CaseName<FitCase>);

} // namespace
