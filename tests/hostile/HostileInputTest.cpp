// Files from other people's machines, opened as File Open opens them: each one
// ends either in a loaded structure or in a clear rejection that says why,
// the tree and the three layouts run on whatever was loaded, and the file
// itself is left exactly as it was.

#include "model/CGroupB.h"
#include "model/CLiftB.h"
#include "model/CPunctB.h"
#include "tests/hostile/HostileSupport.h"
#include "tests/support/StructureText.h"
#include <QStringDecoder>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace {

using Outcome = StructureFileOpen::Outcome;

const char *OutcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Loaded:
        return "Loaded";
    case Outcome::Rejected:
        return "Rejected";
    case Outcome::EmptyFile:
        return "EmptyFile";
    case Outcome::CannotOpen:
        return "CannotOpen";
    }
    return "?";
}

// --- building hostile files ---------------------------------------------------------------------

QByteArray OnePoint(const QByteArray &liftAttributes, const QByteArray &pointName = "ОДС")
{
    return PultDocument("<DISP Name=\"" + pointName
                        + "\"><STREET Name=\"ул. Мира\"><HOME Name=\"д. 1\"><LIFT Name=\"П1\" " + liftAttributes
                        + "/></HOME></STREET></DISP>");
}

// Little-endian UTF-16 code units as they are, unpaired surrogates included.
QByteArray Utf16Le(const QString &text, bool byteOrderMark = true)
{
    QByteArray bytes = byteOrderMark ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray Utf16Be(const QString &text)
{
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return bytes;
}

// Little-endian UTF-32 with its mark, code points as they are.
QByteArray Utf32Le(const QList<uint> &codePoints)
{
    QByteArray bytes("\xFF\xFE\0\0", 4);
    for (const uint u : codePoints)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(static_cast<char>((u >> shift) & 0xFF));
    return bytes;
}

QList<uint> Utf32Document(uint inName)
{
    QList<uint> text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-32\"?><PULT><DISP Name=\"Юг").toUcs4();
    if (inName)
        text.append(inName);
    text += QStringLiteral("\"/></PULT>").toUcs4();
    return text;
}

QString Utf16Document(const QString &pointName)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><PULT><DISP Name=\"") + pointName
        + QStringLiteral("\"><STREET Name=\"ул\"><HOME Name=\"1\"><LIFT Name=\"П\"/></HOME></STREET></DISP></PULT>");
}

// Bytes that look like nothing in particular, the same on every run.
QByteArray PseudoRandomBytes(int size, std::uint32_t seed)
{
    QByteArray bytes(size, '\0');
    for (char &b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// UTF-8 text read as windows-1251 would be: what a lying declaration gives.
QString AsWindows1251(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1251");
    EXPECT_TRUE(decoder.isValid()) << "the platform has no windows-1251 converter";
    return decoder.decode(bytes);
}

// The parser takes up to ten million bytes of markup without text between.
constexpr int kLongName = 1'500'000;
constexpr int kSiblings = 200000;

std::function<QString(const TempDir &)> Bytes(QByteArray bytes)
{
    return [bytes](const TempDir &dir) { return dir.Write(QStringLiteral("structure.xml"), bytes); };
}

// Large files are made when their case runs, not held by the table.
std::function<QString(const TempDir &)> Generated(std::function<QByteArray()> bytes)
{
    return [bytes](const TempDir &dir) { return dir.Write(QStringLiteral("structure.xml"), bytes()); };
}

// --- the cases --------------------------------------------------------------------------------

struct HostileCase
{
    const char *name;
    // Makes the file (or whatever stands at the path) and returns the path.
    std::function<QString(const TempDir &)> make;
    Outcome ends;
    // Rejected: what the error shown and logged says; CannotOpen: what the
    // message says. Loaded and EmptyFile: unused.
    QString reason;
    // What a loaded structure must hold; required for Loaded.
    std::function<void(const CRoot &, const OpenRun &)> check = {};
    bool needsOrdinaryUser = false;
};

[[maybe_unused]] void PrintTo(const HostileCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kLoadError = QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - ");
const QString kAmplification = QStringLiteral(": сущности ссылаются друг на друга по кругу или разрастаются сверх допустимого");
const QString kTooDeep = QStringLiteral(": слишком глубокая вложенность элементов (больше 256 уровней)");

QString ReadError(const char *attribute, const char *element, bool overflow)
{
    return QStringLiteral("Ошибка при чтении параметра %1 элемента %2: %3")
        .arg(QString::fromLatin1(attribute), QString::fromLatin1(element),
             overflow ? QStringLiteral("-2147352566 (0x8002000a) - число вне допустимого диапазона")
                      : QStringLiteral("-2147352571 (0x80020005) - значение не является целым числом"));
}

HostileCase LiftAddr(const char *name, const QByteArray &value, std::int32_t expected)
{
    return {name,
            Bytes(OnePoint("Addr=\"" + value + "\"")),
            Outcome::Loaded,
            {},
            [expected](const CRoot &root, const OpenRun &) {
                ASSERT_EQ(root.m_Lifts.size(), 1u);
                EXPECT_EQ(root.m_Lifts[0]->Addr, expected);
            }};
}

HostileCase LiftAddrRefused(const char *name, const QByteArray &value, bool overflow)
{
    return {name, Bytes(OnePoint("Addr=\"" + value + "\"")), Outcome::Rejected, ReadError("Addr", "LIFT", overflow)};
}

void ExpectPoints(const OpenRun &run, const QStringList &points)
{
    EXPECT_EQ(run.points, points);
}

std::vector<HostileCase> Cases()
{
    const QByteArray fixture = TwoPointFixture();
    const QString lone = QString(QChar(0xD800));
    return {
        // The fixture itself: both points, every layout valid at the full size.
        {"WellFormedFixture",
         Bytes(fixture),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             ExpectPoints(run, {QStringLiteral("ОДС-1 Север"), QStringLiteral("ОДС-2 Юг")});
             EXPECT_EQ(root.m_Lifts.size(), 6u);
             EXPECT_EQ(run.layouts, 6);
             EXPECT_EQ(run.validLayouts, 6);
             EXPECT_TRUE(run.information.isEmpty());
         }},

        // Binary garbage.
        {"ImageHeader", Bytes(QByteArray("\x89PNG\r\n\x1A\n", 8) + PseudoRandomBytes(4096, 7)), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 1: в документе нет корневого элемента (ожидался открывающий тег «<...>»)")},
        {"ExecutableHeader", Bytes(QByteArray::fromHex("7f454c4602010100") + PseudoRandomBytes(4096, 11)),
         Outcome::Rejected, kLoadError + QStringLiteral("строка 1, столбец 1: в документе нет корневого элемента (ожидался открывающий тег «<...>»)")},
        {"PseudoRandomAfterAnElement", Bytes("<PULT>" + PseudoRandomBytes(65536, 3)), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 8: недопустимая последовательность байтов UTF-8 (0x8c)")},
        {"MarkupSoup", Bytes(QByteArray("<<>&;\"'<!<?</=").repeated(5000)), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 2: ошибка в разметке: ожидалось имя элемента или атрибута")},

        // NUL bytes, in each way the text can be decoded.
        {"OnlyNuls", Bytes(QByteArray(4096, '\0')), Outcome::Rejected, kLoadError + QStringLiteral("строка 1, столбец 1: в документе нет корневого элемента (ожидался открывающий тег «<...>»)")},
        {"NulInAName", Bytes(OnePoint({}, QByteArray("ОД\0С", 7))), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 2, столбец 22: недопустимый символ NUL")},
        {"NulInWindows1251",
         Bytes(QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<PULT Name=\"\xCF") + '\0' + "\"/>"),
         Outcome::Rejected, kLoadError + QStringLiteral("строка 2, столбец 14: недопустимый символ NUL")},
        {"NulInUtf16", Bytes(Utf16Le(Utf16Document(QStringLiteral("a") + QChar(0) + QStringLiteral("b")))),
         Outcome::Rejected, QStringLiteral(": недопустимый символ NUL")},

        // Invalid UTF-8.
        {"OverlongSlash", Bytes(OnePoint({}, "\xC0\xAF")), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 2, столбец 20: недопустимая последовательность байтов UTF-8 (0xc0)")},
        {"LoneContinuationByte", Bytes(OnePoint("Owner=\"\x80\"")), Outcome::Rejected,
         QStringLiteral("недопустимая последовательность байтов UTF-8 (0x80)")},
        {"SurrogateEncodedInUtf8", Bytes(OnePoint({}, "\xED\xA0\x80")), Outcome::Rejected,
         QStringLiteral("строка 2, столбец 20: недопустимый символ U+D800")},
        {"AboveTheLastCodePoint", Bytes(OnePoint({}, "\xF4\x90\x80\x80")), Outcome::Rejected,
         QStringLiteral("строка 2, столбец 20: недопустимый символ U+110000")},
        {"SequenceCutAtTheEnd", Bytes(PultDocument({}) + "\xD0"), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 3, столбец 1: после корневого элемента есть ещё содержимое")},
        {"InvalidAfterAUtf8Mark", Bytes("\xEF\xBB\xBF<PULT Name=\"\xFF\"/>"), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 13: недопустимая последовательность байтов UTF-8 (0xff)")},

        // UTF-16: well-formed text loads; lone surrogates and a cut-off unit do not.
        {"Utf16WithItsMark",
         Bytes(Utf16Le(Utf16Document(QStringLiteral("Север 𝕏")))),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {QStringLiteral("Север 𝕏")}); }},
        {"Utf16BigEndian",
         Bytes(Utf16Be(Utf16Document(QStringLiteral("Юг")))),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {QStringLiteral("Юг")}); }},
        {"Utf16LoneHighSurrogate", Bytes(Utf16Le(Utf16Document(QStringLiteral("a") + lone + QStringLiteral("b")))),
         Outcome::Rejected, kLoadError + QStringLiteral("текст содержит байты, недопустимые в кодировке UTF-16")},
        {"Utf16LoneHighSurrogateAtTheEnd", Bytes(Utf16Le(Utf16Document(QStringLiteral("a")) + lone)), Outcome::Rejected,
         QStringLiteral("текст обрывается посреди символа кодировки UTF-16LE")},
        {"Utf16LoneLowSurrogate", Bytes(Utf16Be(Utf16Document(QString(QChar(0xDC00))))), Outcome::Rejected,
         QStringLiteral("недопустимый символ U+DC00")},
        {"Utf16SwappedPair", Bytes(Utf16Le(Utf16Document(QString(QChar(0xDC00)) + QString(QChar(0xD800))))),
         Outcome::Rejected, QStringLiteral("недопустимые в кодировке UTF-16")},
        {"Utf16OddLength", Bytes(Utf16Le(Utf16Document(QStringLiteral("a"))) + "\x20"), Outcome::Rejected,
         QStringLiteral("текст обрывается посреди символа кодировки UTF-16LE")},
        {"Utf16WithoutMark",
         Bytes(Utf16Le(Utf16Document(QStringLiteral("Без метки")), false)),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {QStringLiteral("Без метки")}); }},

        // UTF-32 the same way.
        {"Utf32WithItsMark",
         Bytes(Utf32Le(Utf32Document(U'𝕏'))),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {QStringLiteral("Юг𝕏")}); }},
        {"Utf32Surrogate", Bytes(Utf32Le(Utf32Document(0xD800))), Outcome::Rejected,
         kLoadError + QStringLiteral("текст содержит байты, недопустимые в кодировке UTF-32")},
        {"Utf32BeyondTheLastCodePoint", Bytes(Utf32Le(Utf32Document(0x110000))), Outcome::Rejected,
         QStringLiteral("недопустимые в кодировке UTF-32")},
        {"Utf32CutInsideAUnit", Bytes(Utf32Le(Utf32Document(0)).chopped(2)), Outcome::Rejected,
         QStringLiteral("ошибка в разметке: ожидался знак «>»")},

        // Encoding declarations that lie.
        {"DeclaresUtf16WrittenInEightBits",
         Bytes("<?xml version=\"1.0\" encoding=\"UTF-16\"?><PULT><DISP Name=\"P\"/></PULT>"), Outcome::Rejected,
         kLoadError
             + QStringLiteral("в объявлении указана кодировка UTF-16, но текст записан однобайтовыми символами")},
        {"DeclaresUtf8WrittenInWindows1251",
         Bytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PULT><DISP Name=\"\xCF\xF3\xEB\xFC\xF2\"/></PULT>"),
         Outcome::Rejected,
         kLoadError + QStringLiteral("строка 2, столбец 19: недопустимая последовательность байтов UTF-8 (0xcf)")},
        {"DeclaresAnUnknownEncoding",
         Bytes("<?xml version=\"1.0\" encoding=\"x-no-such-encoding\"?><PULT><DISP Name=\"P\"/></PULT>"),
         Outcome::Rejected, kLoadError + QStringLiteral("строка 1, столбец 50: кодировка «x-no-such-encoding» не поддерживается")},
        {"DeclaresAnEmptyEncoding",
         Bytes("<?xml version=\"1.0\" encoding=\"\"?><PULT><DISP Name=\"P\"/></PULT>"), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 31: ошибка в объявлении XML «<?xml ...?>»")},
        // Nothing tells UTF-8 written under a windows-1251 declaration: it is
        // read as windows-1251, as the declaration says.
        {"DeclaresWindows1251WrittenInUtf8",
         Bytes("<?xml version=\"1.0\" encoding=\"windows-1251\"?><PULT><DISP Name=\"Пульт\"/></PULT>"),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {AsWindows1251("Пульт")}); }},
        // A mark and a declaration that contradict each other leave no way to know the text.
        {"Utf8MarkContradictsTheDeclaration",
         Bytes("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1251\"?><PULT><DISP Name=\"Пульт\"/></PULT>"),
         Outcome::Rejected,
         kLoadError + QStringLiteral("метка порядка байтов задаёт кодировку UTF-8, а объявление XML — «windows-1251»")},
        {"Utf16MarkContradictsAUtf8Declaration",
         Bytes(Utf16Le(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><PULT><DISP Name=\"Ж\"/></PULT>"))),
         Outcome::Rejected,
         kLoadError + QStringLiteral("метка порядка байтов задаёт кодировку UTF-16LE, а объявление XML — «UTF-8»")},

        // Text from the file that would break a log line in two.
        {"LineBreaksInAPointName",
         Bytes(PultDocument("<DISP Name=\"Север&#10;forged&#13;line\"><STREET Name=\"S\"><HOME Name=\"H\">"
                            "<LIFT Name=\"L\"/></HOME></STREET></DISP>")),
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) { ExpectPoints(run, {QStringLiteral("Север\nforged\rline")}); }},
        {"LineBreakInTheEncodingName",
         Bytes("<?xml version=\"1.0\" encoding=\"x-\nforged\"?><PULT><DISP Name=\"P\"/></PULT>"), Outcome::Rejected,
         kLoadError + QStringLiteral("строка 1, столбец 33: ошибка в объявлении XML «<?xml ...?>»: значение не заключено в кавычки")},

        // Document types: entities are expanded within the parser's limits.
        {"BillionLaughs",
         Bytes("<?xml version=\"1.0\"?>\n<!DOCTYPE PULT [\n <!ENTITY lol \"lol\">\n"
               " <!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n"
               " <!ENTITY lol2 \"&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;\">\n"
               " <!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">\n"
               " <!ENTITY lol4 \"&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;&lol3;\">\n"
               " <!ENTITY lol5 \"&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;&lol4;\">\n"
               " <!ENTITY lol6 \"&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;&lol5;\">\n"
               " <!ENTITY lol7 \"&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;&lol6;\">\n"
               " <!ENTITY lol8 \"&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;&lol7;\">\n"
               " <!ENTITY lol9 \"&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;&lol8;\">\n]>\n"
               "<PULT Name=\"&lol9;\"><DISP Name=\"&lol9;\"><STREET Name=\"&lol9;\"><HOME Name=\"&lol9;\">"
               "<LIFT Name=\"&lol9;\" Comment=\"&lol9;\"/></HOME></STREET></DISP>&lol9;</PULT>"),
         Outcome::Rejected, kAmplification},
        {"EntitiesDefinedInTermsOfEachOther",
         Bytes("<!DOCTYPE PULT [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]><PULT><DISP Name=\"&a;\"/></PULT>"),
         Outcome::Rejected, kAmplification},
        {"UnterminatedDocumentType", Bytes("<!DOCTYPE PULT [<!ENTITY a \"x\">\n<PULT><DISP Name=\"P\"/></PULT>"),
         Outcome::Rejected, QStringLiteral("ошибка в объявлении типа документа (DOCTYPE)")},

        // Depth, size and number.
        {"GroupsNestedAHundredThousandDeep", Generated([] {
             return PultDocument(
                 "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"/></HOME></STREET>"
                 + QByteArray("<GROUP Name=\"G\">").repeated(100000) + QByteArray("</GROUP>").repeated(100000)
                 + "</DISP>");
         }),
         Outcome::Rejected, kTooDeep},
        {"StreetsNestedAHundredThousandDeep",
         Generated([] {
             return PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"/></HOME>"
                                 + QByteArray("<STREET Name=\"x\">").repeated(100000)
                                 + QByteArray("</STREET>").repeated(100000) + "</STREET></DISP>");
         }),
         Outcome::Rejected, kTooDeep},
        {"StreetsNestedAsDeepAsTheParserAllows",
         Generated([] {
             return PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"/></HOME>"
                                 + QByteArray("<STREET Name=\"x\">").repeated(254)
                                 + QByteArray("</STREET>").repeated(254) + "</STREET></DISP>");
         }),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             ExpectPoints(run, {QStringLiteral("P")});
             EXPECT_EQ(root.m_Lifts.size(), 1u);
             EXPECT_EQ(run.validLayouts, 3);
         }},
        {"MegabyteNames",
         Generated([] {
             return PultDocument("<DISP Name=\"" + QByteArray(kLongName, 'D') + "\"><STREET Name=\"ул. "
                                 + QByteArray(kLongName, 's') + "\"><HOME Name=\"д. "
                                 + QByteArray(kLongName, 'h') + "\"><LIFT Name=\"" + QByteArray(kLongName, 'l')
                                 + "\" ID=\"" + QByteArray(kLongName, '7') + "\"/></HOME></STREET></DISP>");
         }),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             ASSERT_EQ(run.points.size(), 1);
             EXPECT_EQ(run.points[0].size(), kLongName);
             ASSERT_EQ(root.m_Lifts.size(), 1u);
             EXPECT_EQ(root.m_Lifts[0]->m_Name.size(), kLongName);
             EXPECT_EQ(root.m_Lifts[0]->ID.size(), kLongName);
         }},
        {"TwoHundredThousandLiftsOfOneName",
         Generated([] {
             return PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\">"
                                 + QByteArray("<LIFT Name=\"L\"/>").repeated(kSiblings) + "</HOME></STREET></DISP>");
         }),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             EXPECT_EQ(root.m_Lifts.size(), std::size_t(kSiblings));
             ASSERT_EQ(run.information.size(), kSiblings - 1);
             EXPECT_EQ(run.information.first(), QStringLiteral("S,H,L - Повторное указание подъезда"));
             EXPECT_EQ(run.information.last(), run.information.first());
         }},
        {"TwoHundredThousandStreetsOfOneName",
         Generated([] {
             return PultDocument("<DISP Name=\"P\">"
                                 + QByteArray("<STREET Name=\"S\"><HOME Name=\"H\"/></STREET>").repeated(kSiblings)
                                 + "</DISP>");
         }),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             ASSERT_EQ(root.m_Children.size(), 1u);
             EXPECT_EQ(root.m_Children[0]->m_Children.size(), std::size_t(kSiblings));
             ASSERT_EQ(run.information.size(), kSiblings - 1);
             EXPECT_EQ(run.information.first(), QStringLiteral("S - Повторное указание улицы"));
         }},
        // The first group holds the lift; each later one is told it is taken.
        {"TwoHundredThousandGroupsOfOneNameAndLift",
         Generated([] {
             return PultDocument(
                 "<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\" "
                 "GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></HOME></STREET>"
                 + QByteArray("<GROUP Name=\"G\"><LIFT GUID=\"0123456789ABCDEF0123456789ABCDEF\"/></GROUP>")
                       .repeated(kSiblings)
                 + "</DISP>");
         }),
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             EXPECT_EQ(root.m_Lifts.size(), 1u);
             const auto *point = dynamic_cast<const CPunctB *>(root.m_Children.at(0).get());
             ASSERT_NE(point, nullptr);
             EXPECT_EQ(point->m_RootGroup.m_SubGroups.size(), std::size_t(kSiblings));
             EXPECT_EQ(point->m_RootGroup.m_SubGroups.front()->m_LiftRefs.size(), 1u);
             EXPECT_TRUE(point->m_RootGroup.m_SubGroups.back()->m_LiftRefs.empty());
             ASSERT_EQ(run.information.size(), kSiblings - 1);
             EXPECT_EQ(run.information.first(),
                       QStringLiteral("Лифт 0123456789ABCDEF0123456789ABCDEF уже включен в группу G"));
         }},

        // Integers at and beyond their range, and in odd spellings.
        LiftAddrRefused("ElevenDigits", "99999999999", true),
        LiftAddrRefused("OneAboveTheLargest", "2147483648", true),
        LiftAddrRefused("OneBelowTheSmallest", "-2147483649", true),
        LiftAddr("TheLargest", "2147483647", 2147483647),
        LiftAddr("TheSmallest", "-2147483648", -2147483647 - 1),
        LiftAddr("MinusZero", "-0", 0),
        LiftAddr("PlusFive", "+5", 5),
        LiftAddr("BlankFiveBlank", " 5 ", 5),
        LiftAddr("FiveByReference", "&#x35;", 5),
        LiftAddrRefused("Empty", "", false),
        LiftAddrRefused("SignOnly", "-", false),
        LiftAddrRefused("TwoSigns", "+-5", false),
        LiftAddrRefused("Hexadecimal", "0x10", false),
        LiftAddrRefused("Fraction", "5.0", false),
        LiftAddrRefused("FullwidthDigit", "\xEF\xBC\x95", false),
        LiftAddrRefused("ArabicIndicDigit", "\xD9\xA5", false),
        LiftAddrRefused("TwoNumbers", "5 5", false),

        // What stands at the path is not a readable regular file.
        {"Missing", [](const TempDir &d) { return d.FilePath(QStringLiteral("missing.xml")); }, Outcome::CannotOpen,
         QStringLiteral(": файл не найден.")},
        {"Directory",
         [](const TempDir &d) {
             QDir(d.Path()).mkdir(QStringLiteral("folder.xml"));
             return d.FilePath(QStringLiteral("folder.xml"));
         },
         Outcome::CannotOpen, QStringLiteral(": это не обычный файл.")},
        {"Fifo",
         [](const TempDir &d) {
             const QString path = d.FilePath(QStringLiteral("pipe.xml"));
             ::mkfifo(QFile::encodeName(path).constData(), 0644);
             return path;
         },
         Outcome::CannotOpen, QStringLiteral(": это не обычный файл.")},
        // Through a link, so that nothing here touches the device itself.
        {"EndlessDevice",
         [](const TempDir &d) {
             const QString link = d.FilePath(QStringLiteral("zero.xml"));
             QFile::link(QStringLiteral("/dev/zero"), link);
             return link;
         },
         Outcome::CannotOpen, QStringLiteral(": это не обычный файл.")},
        {"DanglingSymbolicLink",
         [](const TempDir &d) {
             const QString link = d.FilePath(QStringLiteral("link.xml"));
             QFile::link(d.FilePath(QStringLiteral("gone.xml")), link);
             return link;
         },
         Outcome::CannotOpen, QStringLiteral(": файл не найден.")},
        {"SymbolicLinkLoop",
         [](const TempDir &d) {
             const QString a = d.FilePath(QStringLiteral("a.xml"));
             const QString b = d.FilePath(QStringLiteral("b.xml"));
             QFile::link(b, a);
             QFile::link(a, b);
             return a;
         },
         Outcome::CannotOpen, QStringLiteral(": файл не найден.")},
        {"NoReadPermission",
         [fixture](const TempDir &d) {
             const QString path = d.Write(QStringLiteral("locked.xml"), fixture);
             ::chmod(QFile::encodeName(path).constData(), 0);
             return path;
         },
         Outcome::CannotOpen,
         QStringLiteral(": доступ запрещён."),
         {},
         true},
        {"EmptyFile", Bytes({}), Outcome::EmptyFile, {}},
        {"PathWithALineBreak",
         [fixture](const TempDir &d) { return d.Write(QStringLiteral("two\nlines.xml"), fixture); },
         Outcome::Loaded,
         {},
         [](const CRoot &, const OpenRun &run) {
             EXPECT_EQ(run.points.size(), 2);
             EXPECT_TRUE(run.log.contains(QStringLiteral("/two\\nlines.xml\n"))) << run.log.toStdString();
         }},
        {"PathWithCyrillicAndSpaces",
         [fixture](const TempDir &d) {
             const QString folder = d.FilePath(QStringLiteral(" папка  с пробелами "));
             QDir().mkpath(folder);
             const QString path = QDir(folder).filePath(QStringLiteral("Структура №1 (копия) .xml"));
             QFile file(path);
             if (!file.open(QIODevice::WriteOnly) || file.write(fixture) != fixture.size())
                 ADD_FAILURE() << "cannot write " << path.toStdString();
             return path;
         },
         Outcome::Loaded,
         {},
         [](const CRoot &root, const OpenRun &run) {
             EXPECT_EQ(run.points.size(), 2);
             EXPECT_EQ(root.m_Lifts.size(), 6u);
             EXPECT_TRUE(run.log.contains(QStringLiteral("/ папка  с пробелами /Структура №1 (копия) .xml\n")))
                 << run.log.toStdString();
         }},
    };
}

class HostileFile : public ::testing::TestWithParam<HostileCase>
{
};

// Lines of the log that do not begin with "dd.MM.yyyy hh:mm:ss": text from
// the file (a name, a path, an encoding) that broke a line in two.
std::vector<std::string> LinesWithoutTimeStamp(const QByteArray &log)
{
    std::vector<std::string> lines;
    qsizetype start = 0;
    while (start < log.size()) {
        qsizetype end = log.indexOf('\n', start);
        if (end < 0)
            end = log.size();
        const QByteArrayView line = QByteArrayView(log).sliced(start, end - start);
        static constexpr char kShape[] = "00.00.0000 00:00:00";
        bool stamped = line.size() >= 19 && (line.size() == 19 || line[19] == ' ');
        for (int i = 0; stamped && i < 19; ++i)
            stamped = kShape[i] == '0' ? (line[i] >= '0' && line[i] <= '9') : line[i] == kShape[i];
        if (!stamped)
            lines.push_back(line.first(std::min<qsizetype>(line.size(), 80)).toByteArray().toStdString());
        start = end + 1;
    }
    return lines;
}

void RunCase(const HostileCase &c, const QString &path)
{
    // A past time to the nanosecond: any write would move it to now.
    SetPastModificationTime(path);
    const FileState before = StateOf(path);

    Session session;
    const OpenRun run = session.Open(path);
    ASSERT_EQ(OutcomeName(run.outcome), OutcomeName(c.ends))
        << "errors: " << run.errors.join(u'\n').left(2000).toStdString() << "\nmessage: " << run.message.toStdString();

    switch (c.ends) {
    case Outcome::Loaded:
        EXPECT_TRUE(run.errors.isEmpty()) << run.errors.join(u'\n').left(2000).toStdString();
        EXPECT_TRUE(LogHasLineEndingWith(
            run.log, QStringLiteral("Loaded: ") + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())))
            << run.log.toStdString();
        ASSERT_TRUE(c.check) << "a loaded case says what it loaded";
        c.check(*session.root, run);
        break;
    case Outcome::Rejected:
        // One error, shown and logged alike; nothing of the file is kept.
        ASSERT_EQ(run.errors.size(), 1) << run.errors.join(u'\n').left(2000).toStdString();
        EXPECT_TRUE(run.errors[0].contains(c.reason)) << run.errors[0].left(2000).toStdString();
        EXPECT_TRUE(LogHasLineEndingWith(run.log, run.errors[0])) << run.log.left(2000).toStdString();
        EXPECT_FALSE(run.log.contains(QStringLiteral("Loaded: ")));
        EXPECT_TRUE(session.root->m_Children.empty());
        EXPECT_TRUE(session.root->m_Lifts.empty());
        EXPECT_TRUE(session.root->m_XMLDOM.IsNull());
        break;
    case Outcome::CannotOpen:
        EXPECT_TRUE(
            run.message.startsWith(QStringLiteral("Не удается открыть файл «%1»").arg(QDir::toNativeSeparators(path))))
            << run.message.toStdString();
        EXPECT_TRUE(run.message.endsWith(c.reason)) << run.message.toStdString();
        EXPECT_TRUE(run.errors.isEmpty());
        EXPECT_TRUE(run.log.isEmpty()) << run.log.toStdString();
        EXPECT_TRUE(run.points.isEmpty());
        break;
    case Outcome::EmptyFile:
        EXPECT_TRUE(run.message.isEmpty());
        EXPECT_TRUE(run.errors.isEmpty());
        EXPECT_TRUE(run.log.isEmpty()) << run.log.toStdString();
        EXPECT_TRUE(run.points.isEmpty());
        break;
    }
    const std::string changed = DifferenceBetween(before, StateOf(path));
    EXPECT_EQ(changed, "") << "the opened file changed";
    // The whole log, the layouts' lines included, is one line per entry.
    EXPECT_EQ(LinesWithoutTimeStamp(ReadAll(session.log->FilePath())), std::vector<std::string>());
}

TEST_P(HostileFile, EndsClearlyAndLeavesTheFileAsItWas)
{
    const HostileCase &c = GetParam();
    TempDir dir;
    if (!c.needsOrdinaryUser) {
        RunCase(c, c.make(dir));
        return;
    }
    // Root reads whatever the permissions say: the case then runs as "nobody".
    ASSERT_EQ(::chmod(QFile::encodeName(dir.Path()).constData(), 0755), 0);
    const QString path = c.make(dir);
    AsOrdinaryUser([&] { RunCase(c, path); });
}

// What the cases above rely on: a text with line breaks and terminal
// controls is logged as one line, and shown as it is.
TEST(LogLine, ControlCharactersStayOnTheirLine)
{
    TempDir dir;
    RecordingPresenter presenter;
    LogFile log(dir.Path(), QString(), &presenter);
    const QString text = QStringLiteral("Север\nforged\r\x1b[2J\x7f\tend");
    log.Write(text, true);
    const QByteArray bytes = ReadAll(log.FilePath());
    ASSERT_EQ(bytes.count('\n'), 1);
    EXPECT_TRUE(bytes.endsWith(" Север\\nforged\\r\\x1b[2J\\x7f\tend\n")) << bytes.toStdString();
    EXPECT_EQ(presenter.Errors(), QStringList{text});
}

INSTANTIATE_TEST_SUITE_P(Inputs, HostileFile, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HostileCase> &p) { return std::string(p.param.name); });

// --- truncations --------------------------------------------------------------------------------

// Offsets right before and right after every element start and end tag.
std::vector<qsizetype> TagBoundaries(const QByteArray &xml)
{
    std::vector<qsizetype> cuts;
    for (qsizetype i = xml.indexOf('<'); i >= 0; i = xml.indexOf('<', i + 1)) {
        if (i + 1 < xml.size() && (xml[i + 1] == '?' || xml[i + 1] == '!'))
            continue;
        const qsizetype close = xml.indexOf('>', i);
        if (close < 0)
            continue;
        cuts.push_back(i);
        cuts.push_back(close + 1);
    }
    return cuts;
}

// "строка L, столбец C: " for a character offset into the text.
QString PlaceOf(const QString &text, qsizetype offset)
{
    const QStringView before = QStringView(text).first(offset);
    return QStringLiteral("строка %1, столбец %2: ")
        .arg(before.count(u'\n') + 1)
        .arg(offset - before.lastIndexOf(u'\n'));
}

TEST(Truncation, EveryCutAtATagBoundaryEndsClearly)
{
    const QByteArray full = TwoPointFixture();
    const qsizetype documentEnd = full.lastIndexOf("</PULT>") + 7;
    const std::vector<qsizetype> cuts = TagBoundaries(full);
    // Four cuts for an element with an end tag, two for an empty one.
    ASSERT_EQ(cuts.size(), std::size_t(4 * full.count("</") + 2 * full.count("/>")));

    TempDir dir;
    const QString fullPath = dir.Write(QStringLiteral("full.xml"), full);
    const QStringList points = Session().Open(fullPath).points;
    ASSERT_EQ(points.size(), 2);

    for (const qsizetype cut : cuts) {
        SCOPED_TRACE("cut at byte " + std::to_string(cut));
        const QByteArray prefix = full.left(cut);
        const QString path = dir.Write(QStringLiteral("cut-%1.xml").arg(cut), prefix);
        SetPastModificationTime(path);
        const FileState before = StateOf(path);

        Session session;
        const OpenRun run = session.Open(path);
        if (cut >= documentEnd) {
            EXPECT_EQ(OutcomeName(run.outcome), OutcomeName(Outcome::Loaded));
            EXPECT_EQ(run.points, points);
            EXPECT_TRUE(run.errors.isEmpty());
        } else {
            // The place named is where the text stops: its last character or
            // just after it.
            EXPECT_EQ(OutcomeName(run.outcome), OutcomeName(Outcome::Rejected));
            ASSERT_EQ(run.errors.size(), 1);
            const QString text = QString::fromUtf8(prefix);
            const QString atLast = kLoadError + PlaceOf(text, text.size() - 1);
            const QString atEnd = kLoadError + PlaceOf(text, text.size());
            EXPECT_TRUE(run.errors[0].startsWith(atLast) || run.errors[0].startsWith(atEnd))
                << run.errors[0].toStdString() << "\nexpected " << atLast.toStdString() << " or "
                << atEnd.toStdString();
            EXPECT_TRUE(LogHasLineEndingWith(run.log, run.errors[0])) << run.log.toStdString();
            EXPECT_TRUE(session.root->m_Children.empty());
        }
        EXPECT_EQ(DifferenceBetween(before, StateOf(path)), "");
    }
}

} // namespace
