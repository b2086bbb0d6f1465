// Every user-visible text lives in the string table: a Cyrillic string
// literal anywhere else in the program's sources is a text that escaped it.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>

#include <string>

namespace {

struct FoundLiteral
{
    int line;
    QString text;
};

bool HasCyrillic(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x052F)
            return true;
    return false;
}

// The string literals of a C++ source that hold Cyrillic letters, with their
// lines. Comments, character literals and preprocessor lines other than
// #include are skipped as code is; raw strings are read to their delimiter.
QList<FoundLiteral> CyrillicStringLiterals(const QString &source)
{
    QList<FoundLiteral> found;
    int line = 1;
    const qsizetype n = source.size();
    auto report = [&](int at, QStringView text) {
        if (HasCyrillic(text))
            found.append({at, text.toString()});
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = source[i];
        const QChar next = i + 1 < n ? source[i + 1] : QChar();
        if (c == u'\n') {
            ++line;
        } else if (c == u'/' && next == u'/') {
            while (i < n && source[i] != u'\n')
                ++i;
            --i;
        } else if (c == u'/' && next == u'*') {
            i += 2;
            while (i + 1 < n && !(source[i] == u'*' && source[i + 1] == u'/')) {
                if (source[i] == u'\n')
                    ++line;
                ++i;
            }
            ++i;
        } else if (c == u'R' && next == u'"' && (i == 0 || !source[i - 1].isLetterOrNumber() || source[i - 1] == u'8'
                                                 || source[i - 1] == u'u' || source[i - 1] == u'U' || source[i - 1] == u'L')) {
            // R"delim( ... )delim"
            const qsizetype open = source.indexOf(u'(', i + 2);
            if (open < 0)
                break;
            const QString close = u')' + source.mid(i + 2, open - i - 2) + u'"';
            const qsizetype end = source.indexOf(close, open + 1);
            const qsizetype stop = end < 0 ? n : end;
            const int at = line;
            line += static_cast<int>(QStringView(source).mid(open, stop - open).count(u'\n'));
            report(at, QStringView(source).mid(open + 1, stop - open - 1));
            i = end < 0 ? n : end + close.size() - 1;
        } else if (c == u'"' || c == u'\'') {
            const qsizetype start = i + 1;
            ++i;
            while (i < n && source[i] != c && source[i] != u'\n') {
                if (source[i] == u'\\')
                    ++i;
                ++i;
            }
            if (c == u'"')
                report(line, QStringView(source).mid(start, i - start));
            if (i < n && source[i] == u'\n')
                --i;
        }
    }
    return found;
}

struct ScanCase
{
    const char *name;
    const char16_t *source;
    QStringList expected; // "line:text"
};

QStringList Described(const QList<FoundLiteral> &found)
{
    QStringList lines;
    for (const FoundLiteral &f : found)
        lines.append(QStringLiteral("%1:%2").arg(f.line).arg(f.text));
    return lines;
}

class CyrillicLiteralScan : public ::testing::TestWithParam<ScanCase>
{
};

TEST_P(CyrillicLiteralScan, FindsLiteralsAndSkipsComments)
{
    EXPECT_EQ(Described(CyrillicStringLiterals(QString::fromUtf16(GetParam().source))), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CyrillicLiteralScan,
    ::testing::Values(
        ScanCase{"PlainAndWide", u"a(\"Готово\");\nb(u\"Файл\");\nQStringLiteral(\"ok\");",
                 {QStringLiteral("1:Готово"), QStringLiteral("2:Файл")}},
        ScanCase{"Macro", u"\n\nauto t = QStringLiteral(\"Найти &далее\\tF3\");", {QStringLiteral("3:Найти &далее\\tF3")}},
        ScanCase{"LineComment", u"// «Готово» and \"Готово\"\nint x; // \"Улица\"", {}},
        ScanCase{"BlockComment", u"/* \"Улица\"\n \"Дом\" */ f(\"Лифт\");", {QStringLiteral("2:Лифт")}},
        ScanCase{"EscapedQuote", u"f(\"a \\\" b\", \"в \\\"кавычках\\\"\");", {QStringLiteral("1:в \\\"кавычках\\\"")}},
        ScanCase{"CharacterLiteral", u"{Qt::Key_Q, u'Й'}, '\"', \"Ц\"", {QStringLiteral("1:Ц")}},
        ScanCase{"RawString", u"x = R\"(строка \"в\" кавычках)\";\ny = uR\"d(\nтекст)d\";",
                 {QStringLiteral("1:строка \"в\" кавычках"), QStringLiteral("2:\nтекст")}},
        ScanCase{"LatinOnly", u"f(\" - Korvix\"); g(\"&%1 %2\");", {}}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// The layers' sources, as the program is built from them. The string table is
// the catalogue; tests, benchmarks and the fuzz target are not the program.
TEST(TextCatalogue, NoCyrillicStringLiteralOutsideTheStringTable)
{
    const QDir root(QStringLiteral(KORVIX_SOURCE_DIR));
    const QString catalogue = QStringLiteral("resources/strings/StringTable.cpp");
    QStringList escaped;
    int scanned = 0;
    for (const char16_t *layer : {u"resources", u"model", u"log", u"layout", u"views", u"shell", u"app"}) {
        QDirIterator it(root.filePath(QString::fromUtf16(layer)), {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = root.relativeFilePath(path);
            if (relative == catalogue)
                continue;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            ++scanned;
            for (const FoundLiteral &f : CyrillicStringLiterals(QString::fromUtf8(file.readAll())))
                escaped.append(QStringLiteral("%1:%2: \"%3\"").arg(relative).arg(f.line).arg(f.text));
        }
    }
    EXPECT_GT(scanned, 100) << "the sources were not found under " << KORVIX_SOURCE_DIR;
    EXPECT_TRUE(escaped.isEmpty()) << "texts outside the string table:\n" << escaped.join(u'\n').toStdString();
}

} // namespace
