// The value kinds of the structure file's attributes, from text.

#include "model/AttributeReading.h"
#include "model/Guid.h"
#include "model/TimeValues.h"
#include "model/ValueParsing.h"
#include "model/WideSpace.h"
#include "tests/model/ModelTestUtil.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>

namespace {

KORVIX_CASES_PRINT_BY_NAME

// --- white space ----------------------------------------------------------------

TEST(WideSpace, ExactlyTheUnicodeWhiteSpaceCharacters)
{
    const char16_t spaces[] = {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20, 0x85, 0xA0, 0x1680, 0x2000, 0x2005,
                               0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    for (char16_t c : spaces)
        EXPECT_TRUE(IsWideSpace(c)) << std::hex << int(c);
    // Look-alikes that are not white space: zero-width space, BOM, Mongolian
    // vowel separator, the character just outside each range, and control codes.
    const char16_t others[] = {0x00, 0x08, 0x0E, 0x1C, 0x1F, 0x21, 0x84, 0x86, 0x9F, 0xA1, 0x180E,
                               0x1FFF, 0x200B, 0x2027, 0x202A, 0x2060, 0x2FFF, 0x3001, 0xFEFF, u'а'};
    for (char16_t c : others)
        EXPECT_FALSE(IsWideSpace(c)) << std::hex << int(c);
}

TEST(WideSpace, TrimDoesNotDependOnTheProcessLocale)
{
    const QString padded = QString(QChar(0x3000)) + QChar(0xA0) + QStringLiteral("\t ул. Мира ") + QChar(0x2028)
        + QChar(0x85);
    const QString before = TrimWide(padded);
    const char *previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    // The classic C locale says U+3000 is no space; the trim must not care.
    std::setlocale(LC_ALL, "C");
    const QString inC = TrimWide(padded);
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(before, QStringLiteral("ул. Мира"));
    EXPECT_EQ(inC, before);
}

struct TrimCase
{
    const char *name;
    QString in;
    QString out;
};

class TrimWideCases : public ::testing::TestWithParam<TrimCase>
{
};

TEST_P(TrimWideCases, RemovesWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(TrimWide(GetParam().in), GetParam().out);
    EXPECT_EQ(TrimWide(QStringView(GetParam().in)), GetParam().out);
    EXPECT_EQ(TrimWide(QString(GetParam().in)), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimWideCases,
    ::testing::Values(TrimCase{"Empty", QString(), QString()},
                      TrimCase{"OnlySpace", QStringLiteral(" \t\r\n "), QString()},
                      TrimCase{"Inner", QStringLiteral("  a  b  "), QStringLiteral("a  b")},
                      TrimCase{"ZeroWidthKept", QString(QChar(0x200B)) + QStringLiteral("x") + QChar(0xFEFF),
                               QString(QChar(0x200B)) + QStringLiteral("x") + QChar(0xFEFF)},
                      TrimCase{"NoBreakAndIdeographic",
                               QString(QChar(0xA0)) + QStringLiteral("Д") + QChar(0x3000) + QChar(0x202F),
                               QStringLiteral("Д")},
                      TrimCase{"Untouched", QStringLiteral("ул.Мира"), QStringLiteral("ул.Мира")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// --- integers -------------------------------------------------------------------

struct IntCase
{
    const char *name;
    QString text;
    std::optional<std::int32_t> value;
    bool overflow;
};

class IntegerText : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(IntegerText, ConvertsSignedDecimalOrNothing)
{
    const IntCase &c = GetParam();
    bool overflow = !c.overflow;
    EXPECT_EQ(ParseInt32(QStringView(c.text), &overflow), c.value);
    EXPECT_EQ(overflow, c.overflow);
    // The ASCII fast path used for plain attribute values agrees with the text one.
    bool ascii = true;
    for (QChar ch : c.text)
        ascii = ascii && ch.unicode() < 0x80;
    if (ascii) {
        const std::string bytes = c.text.toStdString();
        bool asciiOverflow = !c.overflow;
        EXPECT_EQ(ParseInt32(std::string_view(bytes), &asciiOverflow), c.value);
        EXPECT_EQ(asciiOverflow, c.overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntegerText,
    ::testing::Values(IntCase{"Zero", QStringLiteral("0"), 0, false},
                      IntCase{"Plus", QStringLiteral("+17"), 17, false},
                      IntCase{"Minus", QStringLiteral("-17"), -17, false},
                      IntCase{"LeadingZeros", QStringLiteral("0007"), 7, false},
                      IntCase{"Blanks", QStringLiteral(" \t42 "), 42, false},
                      IntCase{"NoBreakSpace", QString(QChar(0xA0)) + QStringLiteral("5"), 5, false},
                      IntCase{"Max", QStringLiteral("2147483647"), 2147483647, false},
                      IntCase{"Min", QStringLiteral("-2147483648"), std::numeric_limits<std::int32_t>::min(), false},
                      IntCase{"AboveMax", QStringLiteral("2147483648"), std::nullopt, true},
                      IntCase{"BelowMin", QStringLiteral("-2147483649"), std::nullopt, true},
                      IntCase{"Huge", QStringLiteral("99999999999999999999999999"), std::nullopt, true},
                      IntCase{"Empty", QString(), std::nullopt, false},
                      IntCase{"Blank", QStringLiteral("  "), std::nullopt, false},
                      IntCase{"SignOnly", QStringLiteral("-"), std::nullopt, false},
                      IntCase{"Letters", QStringLiteral("x"), std::nullopt, false},
                      IntCase{"Trailing", QStringLiteral("12a"), std::nullopt, false},
                      IntCase{"InnerBlank", QStringLiteral("1 2"), std::nullopt, false},
                      IntCase{"Decimal", QStringLiteral("1.0"), std::nullopt, false},
                      IntCase{"Hex", QStringLiteral("0x10"), std::nullopt, false},
                      IntCase{"DoubleSign", QStringLiteral("--1"), std::nullopt, false},
                      IntCase{"ArabicIndicDigit", QString(QChar(0x0661)), std::nullopt, false}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(UnsignedText, FullRangeAndNothingNegative)
{
    bool overflow = true;
    EXPECT_EQ(ParseUInt32(u"4294967295", &overflow), 4294967295u);
    EXPECT_FALSE(overflow);
    EXPECT_EQ(ParseUInt32(u"0", &overflow), 0u);
    EXPECT_EQ(ParseUInt32(u"4294967296", &overflow), std::nullopt);
    EXPECT_TRUE(overflow);
    EXPECT_EQ(ParseUInt32(u"-1", &overflow), std::nullopt);
    EXPECT_TRUE(overflow);
    EXPECT_EQ(ParseUInt32(u"x", &overflow), std::nullopt);
    EXPECT_FALSE(overflow);
}

// --- GUID -----------------------------------------------------------------------

TEST(GuidText, BytesFollowThePlatformLayout)
{
    // Data1, Data2 and Data3 are stored little-endian, Data4 as written.
    const Guid guid = TextToGuid(u"0123456789ABCDEF0123456789ABCDEF");
    const std::array<std::uint8_t, 16> expected = {0x67, 0x45, 0x23, 0x01, 0xAB, 0x89, 0xEF, 0xCD,
                                                   0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    EXPECT_EQ(guid.bytes, expected);
    EXPECT_EQ(GuidToText(guid), QStringLiteral("0123456789ABCDEF0123456789ABCDEF"));
}

TEST(GuidText, RoundTripsEveryByteAndUpperCases)
{
    Guid guid;
    for (int i = 0; i < 16; ++i)
        guid.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x10 * i + 15 - i);
    const QString text = GuidToText(guid);
    EXPECT_EQ(text.size(), 32);
    EXPECT_EQ(text, text.toUpper());
    EXPECT_EQ(TextToGuid(text), guid);
    EXPECT_EQ(TextToGuid(text.toLower()), guid);
    EXPECT_EQ(GuidToText(Guid{}), QString(32, u'0'));
}

struct GuidCase
{
    const char *name;
    QString text;
    bool parses;
};

class GuidTextForms : public ::testing::TestWithParam<GuidCase>
{
};

// Hyphens go in at 20, 16, 12 and 8 of the text as it stands, then braces; only
// exactly 32 hexadecimal digits survive that as a GUID, anything else is all zero.
TEST_P(GuidTextForms, OnlyThirtyTwoHexDigitsParse)
{
    const Guid guid = TextToGuid(GetParam().text);
    if (GetParam().parses) {
        EXPECT_FALSE(guid.IsNull());
        EXPECT_EQ(GuidToText(guid), GetParam().text.toUpper());
    } else {
        EXPECT_TRUE(guid.IsNull()) << GuidToText(guid).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GuidTextForms,
    ::testing::Values(
        GuidCase{"Upper", QStringLiteral("CAE5D43590A38EC10A879B782B99C8ED"), true},
        GuidCase{"Lower", QStringLiteral("cae5d43590a38ec10a879b782b99c8ed"), true},
        GuidCase{"Mixed", QStringLiteral("CaE5d43590a38EC10A879b782B99c8eD"), true},
        GuidCase{"Braces", QStringLiteral("{CAE5D43590A38EC10A879B782B99C8ED}"), false},
        GuidCase{"BracedHyphenated", QStringLiteral("{CAE5D435-90A3-8EC1-0A87-9B782B99C8ED}"), false},
        GuidCase{"Hyphenated", QStringLiteral("CAE5D435-90A3-8EC1-0A87-9B782B99C8ED"), false},
        GuidCase{"OneShort", QStringLiteral("CAE5D43590A38EC10A879B782B99C8E"), false},
        GuidCase{"OneLong", QStringLiteral("CAE5D43590A38EC10A879B782B99C8ED0"), false},
        GuidCase{"NotHex", QStringLiteral("CAE5D43590A38EC10A879B782B99C8EG"), false},
        GuidCase{"Blanks", QStringLiteral(" CAE5D43590A38EC10A879B782B99C8ED "), false},
        GuidCase{"Signs", QStringLiteral("+AE5D43590A38EC10A879B782B99C8ED"), false},
        GuidCase{"Empty", QString(), false},
        GuidCase{"Short", QStringLiteral("12"), false},
        GuidCase{"HyphensAtTheInsertionPlaces", QStringLiteral("01234567-9ABC-EF0-23456789ABCDEF"), false},
        GuidCase{"ThirtyTwoWithHyphen", QStringLiteral("0123456789ABCDEF0123456789ABCDE-"), false}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// Plain ASCII values take a direct path; it must read every text as the general one.
TEST_P(GuidTextForms, AsciiPathAgreesWithTheGeneralOne)
{
    const std::string ascii = GetParam().text.toStdString();
    EXPECT_EQ(TextToGuid(std::string_view(ascii)), TextToGuid(QStringView(GetParam().text)));
}

TEST(GuidOrder, ComparesMemoryBytesNotText)
{
    // As text the first is larger; in memory Data1's low byte comes first.
    const Guid high = TextToGuid(u"FF000000000000000000000000000000");
    const Guid low = TextToGuid(u"00000001000000000000000000000000");
    EXPECT_LT(high, low);
    EXPECT_EQ(high.bytes[3], 0xFF);
    EXPECT_EQ(low.bytes[0], 0x01);
}

// --- point, rectangle, colour ---------------------------------------------------

struct ScanCase
{
    const char *name;
    QString text;
    Rect rect;   // what "%d,%d,%d,%d" reads
    Point point; // what "%d,%d" reads
};

class ScannedNumbers : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(ScannedNumbers, PartsTheScanDoesNotReachStayZero)
{
    EXPECT_EQ(ScanRect(GetParam().text), GetParam().rect);
    EXPECT_EQ(ScanPoint(GetParam().text), GetParam().point);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScannedNumbers,
    ::testing::Values(ScanCase{"Full", QStringLiteral("1,2,3,4"), {1, 2, 3, 4}, {1, 2}},
                      ScanCase{"One", QStringLiteral("7"), {7, 0, 0, 0}, {7, 0}},
                      ScanCase{"Letters", QStringLiteral("a,b"), {}, {}},
                      ScanCase{"StopsAtLetter", QStringLiteral("5,x,6,7"), {5, 0, 0, 0}, {5, 0}},
                      ScanCase{"Signs", QStringLiteral("-1,+2,-3,4"), {-1, 2, -3, 4}, {-1, 2}},
                      ScanCase{"BlankBeforeNumber", QStringLiteral(" 1, 2,\t3,\n4"), {1, 2, 3, 4}, {1, 2}},
                      // The literal comma must follow the number directly.
                      ScanCase{"BlankBeforeComma", QStringLiteral("1 ,2"), {1, 0, 0, 0}, {1, 0}},
                      ScanCase{"Semicolons", QStringLiteral("1;2"), {1, 0, 0, 0}, {1, 0}},
                      ScanCase{"TrailingText", QStringLiteral("3,4px"), {3, 4, 0, 0}, {3, 4}},
                      ScanCase{"MoreThanNeeded", QStringLiteral("1,2,3,4,5"), {1, 2, 3, 4}, {1, 2}},
                      ScanCase{"Empty", QString(), {}, {}},
                      ScanCase{"EmptyFirst", QStringLiteral(",5"), {}, {}}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

struct ColourCase
{
    const char *name;
    QString text;
    Colour colour;
};

class ScannedColour : public ::testing::TestWithParam<ColourCase>
{
};

TEST_P(ScannedColour, RedGreenBlueLowBytes)
{
    EXPECT_EQ(ScanColour(GetParam().text), GetParam().colour) << std::hex << ScanColour(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Texts, ScannedColour,
                         ::testing::Values(ColourCase{"Red", QStringLiteral("255"), 0x0000FF},
                                           ColourCase{"Components", QStringLiteral("1,2,3"), 0x030201},
                                           ColourCase{"White", QStringLiteral("255,255,255"), 0xFFFFFF},
                                           ColourCase{"Wraps300", QStringLiteral("300,0,0"), 44},
                                           ColourCase{"Wraps256ToBlack", QStringLiteral("256,0,0"), 0},
                                           ColourCase{"NegativeIsLowByte", QStringLiteral("-1,0,0"), 0xFF},
                                           ColourCase{"BlueOnly", QStringLiteral("0,0,240"), 0xF00000},
                                           ColourCase{"Garbage", QStringLiteral("red"), 0}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

// --- time -----------------------------------------------------------------------

struct TimeCase
{
    const char *name;
    QString text;
    bool valid;
    int hour, minute, second;
};

class ScannedTime : public ::testing::TestWithParam<TimeCase>
{
};

TEST_P(ScannedTime, TimeOfDayOnFirstOfJanuary1990)
{
    const TimeCase &c = GetParam();
    const DateTimeValue t = ScanTime(c.text);
    if (!c.valid) {
        EXPECT_EQ(t.status, DateTimeValue::Status::Invalid);
        return;
    }
    EXPECT_EQ(t.status, DateTimeValue::Status::Valid);
    EXPECT_EQ(t.year, 1990);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, c.hour);
    EXPECT_EQ(t.minute, c.minute);
    EXPECT_EQ(t.second, c.second);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScannedTime,
    ::testing::Values(TimeCase{"Full", QStringLiteral("07:30:15"), true, 7, 30, 15},
                      TimeCase{"Short", QStringLiteral("7:5"), true, 7, 5, 0},
                      TimeCase{"HourOnly", QStringLiteral("9"), true, 9, 0, 0},
                      TimeCase{"Empty", QString(), true, 0, 0, 0},
                      TimeCase{"Trimmed", QString(QChar(0xA0)) + QStringLiteral(" 23:59:59 ") + QChar(0x3000), true,
                               23, 59, 59},
                      TimeCase{"Letters", QStringLiteral("ab"), true, 0, 0, 0},
                      TimeCase{"Hour25", QStringLiteral("25:00:00"), false, 0, 0, 0},
                      TimeCase{"Hour24", QStringLiteral("24:00:00"), false, 0, 0, 0},
                      TimeCase{"Minute60", QStringLiteral("12:60"), false, 0, 0, 0},
                      TimeCase{"Second60", QStringLiteral("12:00:60"), false, 0, 0, 0},
                      TimeCase{"Negative", QStringLiteral("-1:00:00"), false, 0, 0, 0}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(TestMoveSpan, HoursAndThirtyMinutesWithinTheDateRange)
{
    const TimeSpanValue thirty = TimeSpanValue::HoursAndHalf(30);
    EXPECT_TRUE(thirty.valid);
    EXPECT_EQ(thirty.TotalHours(), 30);
    EXPECT_EQ(thirty.MinutesPart(), 30);
    const TimeSpanValue zero = TimeSpanValue::HoursAndHalf(0);
    EXPECT_EQ(zero.TotalHours(), 0);
    EXPECT_EQ(zero.MinutesPart(), 30);
    EXPECT_DOUBLE_EQ(TimeSpanValue::HoursAndHalf(8).days, 8.5 / 24);

    // 3615897 days is the largest span held: 86781527 h 30 min fits, one hour more does not.
    EXPECT_TRUE(TimeSpanValue::HoursAndHalf(86781527).valid);
    EXPECT_FALSE(TimeSpanValue::HoursAndHalf(86781528).valid);
    EXPECT_FALSE(TimeSpanValue::HoursAndHalf(std::numeric_limits<std::int32_t>::max()).valid);
    EXPECT_FALSE(TimeSpanValue::HoursAndHalf(-86781529).valid);
}

} // namespace
