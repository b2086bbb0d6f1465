#include "tests/cli/CliTestSupport.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>

namespace {

// Standard output carries the read's information messages, one per line, in
// the order raised, and nothing else.
TEST(CheckCommand, ReportsTheExamplesMessages)
{
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), ExampleFile()});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.OutLines(),
              (QStringList{
                  QStringLiteral("Бескудниковский бульвар,д. 7 корп. 2 - Повторное указание дома для улицы"),
                  QStringLiteral("Лифт CAE5D43590A38EC10A879B782B99C8ED уже включен в группу Высотки Дмитровского шоссе"),
                  QStringLiteral("Лифт AE5BDD1D786B6B293EC2098067A2C44E указаный в группе ул. Базовская, д. 14-16, "
                                 "не заведен в структуре"),
              }));
    EXPECT_TRUE(run.out.endsWith('\n'));
}

TEST(CheckCommand, CleanFilePrintsNothing)
{
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), LayoutsFixture()});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
}

// Files that are not read: exit status 1, the reason on standard error and
// nothing on standard output.
struct UnreadCase
{
    const char *name;
    const char *fileName;           // created in a temporary directory, unless null
    QByteArray content;             // of that file
    const char *pathInDir;          // what is passed, relative to the temporary directory
    const char *expectedError;      // the whole line on standard error; %1 is the path passed
};

void PrintTo(const UnreadCase &c, std::ostream *os)
{
    *os << c.name;
}

const UnreadCase kUnreadCases[] = {
    {"Malformed", "bad.xml", "<PULT><DISP", "bad.xml",
     "Ошибка m_XMLDOM->load: 1 (0x1) - строка 1, столбец 12: открывающий тег <DISP> не завершён знаком «>»"},
    {"BadAttribute", "bad.xml",
     R"(<PULT><DISP Name="a"><STREET Name="s"><HOME Name="h"><LIFT Name="l" SubNet="abc"/></HOME></STREET></DISP></PULT>)",
     "bad.xml",
     "Ошибка при чтении параметра SubNet элемента LIFT: -2147352571 (0x80020005) - значение не является целым числом"},
    {"Empty", "empty.xml", "", "empty.xml", "Файл «%1» пуст: структура не прочитана."},
    {"Missing", nullptr, "", "missing.xml", "Не удается открыть файл «%1»: файл не найден."},
    {"Directory", nullptr, "", ".", "Не удается открыть файл «%1»: это не обычный файл."},
};

class UnreadFile : public ::testing::TestWithParam<UnreadCase>
{
};

TEST_P(UnreadFile, ExitOneErrorOnStandardError)
{
    const UnreadCase &c = GetParam();
    TempDir dir;
    if (c.fileName)
        dir.Write(QString::fromUtf8(c.fileName), c.content);
    const QString path = dir.FilePath(QString::fromUtf8(c.pathInDir));
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), path});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.ErrLines(), QStringList{QString::fromUtf8(c.expectedError).replace(QStringLiteral("%1"), path)});
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadFile, ::testing::ValuesIn(kUnreadCases),
                         [](const ::testing::TestParamInfo<UnreadCase> &p) { return std::string(p.param.name); });

// Messages raised before a read fails were shown as it went; the error follows.
TEST(CheckCommand, MessagesBeforeTheFailureStay)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("late.xml"), R"(<PULT><DISP Name="a">
        <STREET Name="s"/><STREET Name="s"/>
        <STREET Name="t"><HOME Name="h"><LIFT Name="l" UM="x"/></HOME></STREET></DISP></PULT>)");
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), path});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.OutLines(), QStringList{QStringLiteral("s - Повторное указание улицы")});
    ASSERT_EQ(run.ErrLines().size(), 1);
    EXPECT_TRUE(run.ErrLines()[0].startsWith(QStringLiteral("Ошибка при чтении параметра UM элемента LIFT: ")));
}

struct UsageCase
{
    const char *name;
    QStringList arguments; // "FILE" stands for a readable structure file
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << c.name;
}

const UsageCase kUsageCases[] = {
    {"CheckWithoutFile", {QStringLiteral("--check")}},
    {"TwoFilesToList", {QStringLiteral("--list-points"), QStringLiteral("FILE"), QStringLiteral("FILE")}},
    {"FormatWithoutCheck", {QStringLiteral("--list-points"), QStringLiteral("--format"), QStringLiteral("gnu"), QStringLiteral("FILE")}},
    {"UnknownFormat", {QStringLiteral("--check"), QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("FILE")}},
    {"TwoModes", {QStringLiteral("--check"), QStringLiteral("--dump-layout"), QStringLiteral("FILE")}},
    {"LayoutOptionWithCheck", {QStringLiteral("--check"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("FILE")}},
    {"LayoutOptionAlone", {QStringLiteral("--size"), QStringLiteral("10x10"), QStringLiteral("FILE")}},
    {"UnknownOption", {QStringLiteral("--frobnicate"), QStringLiteral("FILE")}},
    {"DumpWithoutSize",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("FILE")}},
    {"DumpWithoutFile",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("10x10")}},
    {"UnknownMode",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("diagonal"), QStringLiteral("--size"), QStringLiteral("10x10"), QStringLiteral("FILE")}},
    {"SizeWithoutHeight",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("800"), QStringLiteral("FILE")}},
    {"NegativeSize",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("-5x3"), QStringLiteral("FILE")}},
    {"SizeTooLarge",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("100001x5"), QStringLiteral("FILE")}},
    {"DpiWithCheck", {QStringLiteral("--check"), QStringLiteral("--dpi"), QStringLiteral("120"), QStringLiteral("FILE")}},
    {"DpiNotANumber",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("10x10"), QStringLiteral("--dpi"),
      QStringLiteral("высокое"), QStringLiteral("FILE")}},
    {"DpiTooHigh",
     {QStringLiteral("--dump-layout"), QStringLiteral("--point"), QStringLiteral("Центр"), QStringLiteral("--mode"),
      QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("10x10"), QStringLiteral("--dpi"),
      QStringLiteral("2401"), QStringLiteral("FILE")}},
    {"DpiTooLow",
     {QStringLiteral("--render"), QStringLiteral("out.png"), QStringLiteral("--point"), QStringLiteral("Центр"),
      QStringLiteral("--mode"), QStringLiteral("streets"), QStringLiteral("--size"), QStringLiteral("10x10"),
      QStringLiteral("--dpi"), QStringLiteral("0"), QStringLiteral("FILE")}},
};

class UsageError : public ::testing::TestWithParam<UsageCase>
{
};

// Exit status 2 and a word on standard error; the file is not read.
TEST_P(UsageError, ExitTwo)
{
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("FILE"), ExampleFile());
    const KorvixRun run = RunKorvix(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    ASSERT_FALSE(run.ErrLines().isEmpty());
    EXPECT_EQ(run.ErrLines().last(), QStringLiteral("Справка: korvix --help"));
    // The example's information messages would show that it was read.
    EXPECT_FALSE(run.err.contains("Повторное указание")) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Arguments, UsageError, ::testing::ValuesIn(kUsageCases),
                         [](const ::testing::TestParamInfo<UsageCase> &p) { return std::string(p.param.name); });

// The option is misplaced: that is what is said, not that a file is missing.
TEST(CheckCommand, LayoutOptionsSayWhereTheyBelong)
{
    const KorvixRun run = RunKorvix({QStringLiteral("--check"), QStringLiteral("--point"), QStringLiteral("Центр")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.ErrLines().value(0),
              QStringLiteral("Параметры --point, --mode, --size и --dpi относятся к --dump-layout и --render."));
}

// --- the formats for editors and pipelines ----------------------------------------------------

const QByteArray kRepeated = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PULT>\n  <DISP Name=\"A\">\n"
                             "    <STREET Name=\"s\"/>\n    <STREET Name=\"s\"/>\n  </DISP>\n</PULT>\n";
const QByteArray kRejected = "<PULT>\n<DISP Name=\"A\">\n  <STREET Name=\"t\"><HOME Name=\"h\">\n"
                             "     <LIFT Name=\"l\" UM=\"x\"/></HOME></STREET></DISP></PULT>";

struct FormatCase
{
    const char *name;
    const char *format; // nullptr: the default
    // Standard output for the two files, "<R>" and "<X>" standing for their paths.
    QStringList out;
};

void PrintTo(const FormatCase &c, std::ostream *os)
{
    *os << c.name;
}

class CheckFormats : public ::testing::TestWithParam<FormatCase>
{
};

// Each file on its own, in the order given; exit 1 when one was not read.
TEST_P(CheckFormats, ReportEveryFileWithItsPlaces)
{
    TempDir dir;
    const QString repeated = dir.Write(QStringLiteral("repeated.xml"), kRepeated);
    const QString rejected = dir.Write(QStringLiteral("rejected.xml"), kRejected);
    QStringList arguments{QStringLiteral("--check")};
    if (GetParam().format)
        arguments << QStringLiteral("--format") << QString::fromLatin1(GetParam().format);
    arguments << repeated << rejected;
    const KorvixRun run = RunKorvix(arguments);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    QStringList expected = GetParam().out;
    // Marks no temporary path can hold.
    expected.replaceInStrings(QStringLiteral("<R>"), repeated).replaceInStrings(QStringLiteral("<X>"), rejected);
    EXPECT_EQ(run.OutLines(), expected);
}

const QString kUmError = QStringLiteral("Ошибка при чтении параметра UM элемента LIFT: ");

INSTANTIATE_TEST_SUITE_P(
    Formats, CheckFormats,
    ::testing::Values(
        FormatCase{"Text", nullptr, {QStringLiteral("s - Повторное указание улицы")}},
        FormatCase{"Gnu",
                   "gnu",
                   {QStringLiteral("<R>:5:5: warning: s - Повторное указание улицы"),
                    QStringLiteral("<X>:4:6: error: ") + kUmError +
                        QStringLiteral("-2147352571 (0x80020005) - значение не является целым числом")}}),
    [](const ::testing::TestParamInfo<FormatCase> &p) { return std::string(p.param.name); });

TEST(CheckFormats, JsonIsOneDocumentWithEveryFile)
{
    TempDir dir;
    const QString repeated = dir.Write(QStringLiteral("repeated.xml"), kRepeated);
    const QString rejected = dir.Write(QStringLiteral("rejected.xml"), kRejected);
    const KorvixRun run =
        RunKorvix({QStringLiteral("--check"), QStringLiteral("--format"), QStringLiteral("json"), repeated, rejected});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(run.out, &parse);
    ASSERT_EQ(parse.error, QJsonParseError::NoError) << run.out.toStdString();
    const QJsonArray files = document.object().value(QStringLiteral("files")).toArray();
    ASSERT_EQ(files.size(), 2);

    const QJsonObject first = files[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("file")).toString(), repeated);
    EXPECT_TRUE(first.value(QStringLiteral("read")).toBool());
    EXPECT_TRUE(first.value(QStringLiteral("error")).isNull());
    const QJsonArray messages = first.value(QStringLiteral("messages")).toArray();
    ASSERT_EQ(messages.size(), 1);
    const QJsonObject message = messages[0].toObject();
    EXPECT_EQ(message.value(QStringLiteral("severity")).toString(), QStringLiteral("warning"));
    EXPECT_EQ(message.value(QStringLiteral("line")).toInt(), 5);
    EXPECT_EQ(message.value(QStringLiteral("column")).toInt(), 5);
    EXPECT_EQ(message.value(QStringLiteral("text")).toString(), QStringLiteral("s - Повторное указание улицы"));
    EXPECT_EQ(message.value(QStringLiteral("path")).toArray(), (QJsonArray{QStringLiteral("A"), QStringLiteral("s")}));

    const QJsonObject second = files[1].toObject();
    EXPECT_FALSE(second.value(QStringLiteral("read")).toBool());
    const QJsonObject error = second.value(QStringLiteral("error")).toObject();
    EXPECT_EQ(error.value(QStringLiteral("severity")).toString(), QStringLiteral("error"));
    EXPECT_EQ(error.value(QStringLiteral("line")).toInt(), 4);
    EXPECT_EQ(error.value(QStringLiteral("column")).toInt(), 6);
    EXPECT_TRUE(error.value(QStringLiteral("text")).toString().startsWith(kUmError));
}

// A file that cannot be opened is one more entry, not the end of the run.
TEST(CheckFormats, AMissingFileIsReportedAndTheRestChecked)
{
    TempDir dir;
    const QString repeated = dir.Write(QStringLiteral("repeated.xml"), kRepeated);
    const QString missing = dir.FilePath(QStringLiteral("missing.xml"));
    const KorvixRun run =
        RunKorvix({QStringLiteral("--check"), QStringLiteral("--format"), QStringLiteral("gnu"), missing, repeated});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.OutLines().size(), 2);
    EXPECT_TRUE(run.OutLines()[0].startsWith(missing + QStringLiteral(": error: "))) << run.out.toStdString();
    EXPECT_EQ(run.OutLines()[1], repeated + QStringLiteral(":5:5: warning: s - Повторное указание улицы"));
}

TEST(Command, Version)
{
    const KorvixRun run = RunKorvix({QStringLiteral("--version")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("Korvix " KORVIX_PROJECT_VERSION "\n"));
}

TEST(Command, Help)
{
    const KorvixRun run = RunKorvix({QStringLiteral("--help")});
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0);
    for (const char *option : {"--check", "--dump-layout", "--point", "--mode", "--size", "--version"})
        EXPECT_TRUE(run.out.contains(option)) << option;
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

} // namespace
