#include "log/RunLines.h"
#include "tests/log/LogTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct QuoteCase
{
    const char *name;
    QStringList arguments;
    const char *quoted;
};

void PrintTo(const QuoteCase &c, std::ostream *os)
{
    *os << c.name;
}

// Arguments as a POSIX shell would need them: plain words as they are, the
// rest in single quotes, a single quote as '\''.
const QuoteCase kQuoteCases[] = {
    {"PlainWords", {QStringLiteral("/usr/bin/korvix"), QStringLiteral("--check"), QStringLiteral("a-b_c.d,e:f=g+h@i%j")},
     "/usr/bin/korvix --check a-b_c.d,e:f=g+h@i%j"},
    {"CyrillicIsPlain", {QStringLiteral("korvix"), QStringLiteral("Центр")}, "korvix Центр"},
    {"Blank", {QStringLiteral("korvix"), QStringLiteral("мой файл.xml")}, "korvix 'мой файл.xml'"},
    {"Empty", {QStringLiteral("korvix"), QString()}, "korvix ''"},
    {"SingleQuote", {QStringLiteral("it's")}, "'it'\\''s'"},
    {"ShellCharacters", {QStringLiteral("$HOME"), QStringLiteral("a;b"), QStringLiteral("*"), QStringLiteral("~x"),
                         QStringLiteral("a\"b"), QStringLiteral("#c"), QStringLiteral("(x)")},
     "'$HOME' 'a;b' '*' '~x' 'a\"b' '#c' '(x)'"},
    {"NoArguments", {}, ""},
    // Control characters would break the start line in two: $'...' escapes them.
    {"LineBreak", {QStringLiteral("korvix"), QStringLiteral("a\nb.xml")}, "korvix $'a\\nb.xml'"},
    {"TabQuoteAndBackslash", {QStringLiteral("x\ty'z\\")}, "$'x\\ty\\'z\\\\'"},
    {"OtherControl", {QStringLiteral("a\x01")}, "$'a\\x01'"},
};

class ShellQuoting : public ::testing::TestWithParam<QuoteCase>
{
};

TEST_P(ShellQuoting, CommandLine)
{
    EXPECT_EQ(ShellQuotedCommandLine(GetParam().arguments), QString::fromUtf8(GetParam().quoted));
}

INSTANTIATE_TEST_SUITE_P(Cases, ShellQuoting, ::testing::ValuesIn(kQuoteCases),
                         [](const ::testing::TestParamInfo<QuoteCase> &p) { return std::string(p.param.name); });

TEST(RunLines, StartAndStop)
{
    EXPECT_EQ(StartLine(QStringLiteral("1.0.0.1"),
                        {QStringLiteral("/opt/korvix/korvix"), QStringLiteral("--check"), QStringLiteral("Север 2.xml")}),
              QStringLiteral("Start v1.0.0.1 /opt/korvix/korvix --check 'Север 2.xml'"));
    EXPECT_EQ(StopLine(), QStringLiteral("Stop"));
}

} // namespace
