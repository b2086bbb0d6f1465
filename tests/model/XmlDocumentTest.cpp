#include "model/AttributeReading.h"
#include "model/xml/XmlDocument.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/StructureText.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <chrono>

namespace {

KORVIX_CASES_PRINT_BY_NAME

struct EncodingCase
{
    const char *name;
    QByteArray bytes;
    QString expectedName;
};

class XmlDocumentEncoding : public ::testing::TestWithParam<EncodingCase>
{
};

// The element's Name attribute comes out the same whatever encoding the
// file declares or marks.
TEST_P(XmlDocumentEncoding, DecodesByDeclarationOrMark)
{
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult result = document.LoadFromBytes(GetParam().bytes);
    ASSERT_TRUE(result.ok) << result.detail.toStdString();
    XmlNode node = document.GetFirstChild();
    while (!node.IsNull() && node.GetNodeType() != XmlNodeType::Element)
        node = node.GetNextSibling();
    const auto name = node.QueryElement().GetAttribute("Name");
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(name->ToString(), GetParam().expectedName);
}

QByteArray Utf16(const QString &text, bool bom, bool bigEndian = false)
{
    QByteArray bytes;
    if (bom)
        bytes.append(bigEndian ? "\xFE\xFF" : "\xFF\xFE", 2);
    for (QChar c : text) {
        const char low = static_cast<char>(c.unicode() & 0xFF);
        const char high = static_cast<char>(c.unicode() >> 8);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray Utf16Le(const QString &text, bool bom)
{
    return Utf16(text, bom);
}

// A literal with its NUL bytes.
template <std::size_t N>
QByteArray Raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

const QString kStreet = QStringLiteral("ул. Ленина");
const QByteArray kStreet1251 = "\xF3\xEB. \xCB\xE5\xED\xE8\xED\xE0";

QString Utf16Document(const QString &name)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><S Name=\"") + name + QStringLiteral("\"/>");
}

QString Utf32Document(const QString &name)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-32\"?><S Name=\"") + name + QStringLiteral("\"/>");
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, XmlDocumentEncoding,
    ::testing::Values(
        EncodingCase{"Utf8NoDeclaration", QByteArray("<S Name=\"") + kStreet.toUtf8() + "\"/>", kStreet},
        EncodingCase{"Utf8Bom", QByteArray("\xEF\xBB\xBF<S Name=\"") + kStreet.toUtf8() + "\"/>", kStreet},
        EncodingCase{"Windows1251",
                     QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><S Name=\"\xF3\xEB. \xCB\xE5\xED\xE8\xED\xE0\"/>"),
                     kStreet},
        EncodingCase{"Utf16LeBom",
                     Utf16Le(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><S Name=\"") + kStreet + QStringLiteral("\"/>"), true),
                     kStreet},
        EncodingCase{"Utf16LeNoBom",
                     Utf16Le(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><S Name=\"") + kStreet + QStringLiteral("\"/>"), false),
                     kStreet},
        EncodingCase{"Koi8r",
                     QByteArray("<?xml version=\"1.0\" encoding=\"KOI8-R\"?><S Name=\"\xD5\xCC. \xEC\xC5\xCE\xC9\xCE\xC1\"/>"),
                     kStreet},
        EncodingCase{"References", QByteArray("<S Name=\"&#1091;&#x43B;. &lt;&amp;&gt;\"/>"), QStringLiteral("ул. <&>")},
        EncodingCase{"Utf16BeBom", Utf16(Utf16Document(kStreet), true, true), kStreet},
        EncodingCase{"Utf16BeNoBom", Utf16(Utf16Document(kStreet), false, true), kStreet},
        // A mark and a declaration that name the same encoding agree.
        EncodingCase{"Utf8BomAndDeclaration",
                     QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?><S Name=\"") + kStreet.toUtf8() + "\"/>",
                     kStreet},
        EncodingCase{"Utf16LeBomDeclaresUtf16Le",
                     Utf16Le(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16LE\"?><S Name=\"") + kStreet + QStringLiteral("\"/>"), true),
                     kStreet},
        // The mark settles the encoding: a declaration of another name for it changes nothing.
        EncodingCase{"Utf16BeBomDeclaresUcs2",
                     Utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"UCS-2\"?><S Name=\"") + kStreet + QStringLiteral("\"/>"), true, true),
                     kStreet},
        // A byte order mark in a value is a character like any other.
        EncodingCase{"LeadingByteOrderMarkInAValueUtf8", QByteArray("<S Name=\"\xEF\xBB\xBF" "A\"/>"),
                     QChar(0xFEFF) + QStringLiteral("A")},
        EncodingCase{"LeadingByteOrderMarkInAValueUtf16", Utf16Le(QStringLiteral("<S Name=\"") + QChar(0xFEFF) + QStringLiteral("A\"/>"), true),
                     QChar(0xFEFF) + QStringLiteral("A")},
        EncodingCase{"Windows1251UpperCaseSingleQuotes",
                     QByteArray("<?xml version='1.0' encoding = 'WINDOWS-1251'?><S Name=\"") + kStreet1251 + "\"/>", kStreet},
        EncodingCase{"Cp1251Alias", QByteArray("<?xml version=\"1.0\" encoding=\"cp1251\"?><S Name=\"") + kStreet1251 + "\"/>",
                     kStreet},
        EncodingCase{"Windows1251HighHalf",
                     QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><S Name=\"\xA8\xB8\xB9\x80\x88\xA0x\"/>"),
                     QStringLiteral("Ёё№Ђ€") + QChar(0xA0) + QStringLiteral("x")},
        EncodingCase{"Latin1", QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><S Name=\"caf\xE9\"/>"),
                     QStringLiteral("café")},
        EncodingCase{"Ibm866", QByteArray("<?xml version=\"1.0\" encoding=\"IBM866\"?><S Name=\"\xE3\xAB. \x8B\xA5\xAD\xA8\xAD\xA0\"/>"),
                     kStreet},
        EncodingCase{"Windows1251References",
                     QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><S Name=\"\xF3\xEB. &#1051;&#x435;\xED\xE8\xED\xE0\"/>"),
                     kStreet},
        EncodingCase{"Utf32LeBom",
                     QByteArray("\xFF\xFE\0\0", 4) + QByteArray(QStringEncoder(QStringConverter::Utf32LE).encode(Utf32Document(kStreet))),
                     kStreet},
        EncodingCase{"Utf32BeNoBom", QByteArray(QStringEncoder(QStringConverter::Utf32BE).encode(Utf32Document(kStreet))), kStreet},
        // Characters beyond the basic plane, in UTF-8 and through a reference.
        EncodingCase{"Utf8Astral", QByteArray("<S Name=\"\xF0\x9F\x9A\x80&#x1F680;\"/>"),
                     QString::fromUtf8("\xF0\x9F\x9A\x80\xF0\x9F\x9A\x80")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(XmlDocumentEncoding, MultiByteEncodingOfThePlatform)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid() || !QStringDecoder("GB18030").isValid())
        GTEST_SKIP() << "the platform has no GB18030 converter";
    const QString name = kStreet + QStringLiteral(" 北京");
    const QByteArray bytes = QByteArray("<?xml version=\"1.0\" encoding=\"GB18030\"?>\n<S Name=\"") + QByteArray(encoder.encode(name))
        + "\"/>";
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult result = document.LoadFromBytes(bytes);
    ASSERT_TRUE(result.ok) << result.detail.toStdString();
    XmlNode node = document.GetFirstChild();
    while (!node.IsNull() && node.GetNodeType() != XmlNodeType::Element)
        node = node.GetNextSibling();
    EXPECT_EQ(node.QueryElement().GetAttribute("Name")->ToString(), name);
}

struct RefusedCase
{
    const char *name;
    QByteArray bytes;
    QString detail;
};

class XmlDocumentRefused : public ::testing::TestWithParam<RefusedCase>
{
};

// Bytes that cannot be decoded, or hold no document, are a load failure with
// the reason and, where there is one, the place.
TEST_P(XmlDocumentRefused, FailsWithTheReason)
{
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult result = document.LoadFromBytes(GetParam().bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.code, XmlLoadCode::ParseFailed);
    EXPECT_EQ(result.detail, GetParam().detail);
    EXPECT_TRUE(document.GetFirstChild().IsNull());
}

const QString kUtf16Invalid = QStringLiteral("текст содержит байты, недопустимые в кодировке UTF-16LE");

INSTANTIATE_TEST_SUITE_P(
    Bytes, XmlDocumentRefused,
    ::testing::Values(
        RefusedCase{"UnknownEncoding", "<?xml version=\"1.0\" encoding=\"x-no-such-charset\"?><S/>",
                    QStringLiteral("строка 1, столбец 49: кодировка «x-no-such-charset» не поддерживается")},
        RefusedCase{"DeclaresUtf16InSingleBytes", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><S/>",
                    QStringLiteral("в объявлении указана кодировка UTF-16, но текст записан однобайтовыми символами")},
        RefusedCase{"DeclaresUtf32InSingleBytes", "<?xml version=\"1.0\" encoding=\"UTF-32\"?><S/>",
                    QStringLiteral("в объявлении указана кодировка UTF-32, но текст записан однобайтовыми символами")},
        // The mark decides the encoding; a declaration naming another one contradicts it.
        RefusedCase{"Utf8BomDeclaresWindows1251",
                    QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"windows-1251\"?><S Name=\"") + kStreet.toUtf8() + "\"/>",
                    QStringLiteral("метка порядка байтов задаёт кодировку UTF-8, а объявление XML — «windows-1251»")},
        RefusedCase{"Utf16BomDeclaresWindows1251",
                    Utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?><S/>"), true),
                    QStringLiteral("метка порядка байтов задаёт кодировку UTF-16LE, а объявление XML — «windows-1251»")},
        RefusedCase{"Utf16BeBomDeclaresUtf16Le", Utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16LE\"?><S/>"), true, true),
                    QStringLiteral("метка порядка байтов задаёт кодировку UTF-16BE, а объявление XML — «UTF-16LE»")},
        RefusedCase{"Utf16WithoutBomOrDeclaration", Utf16(QStringLiteral("<?pi x?><S/>"), false),
                    QStringLiteral("текст записан в кодировке UTF-16 без метки порядка байтов и без объявления кодировки")},
        RefusedCase{"Utf16WithoutBomDeclaresUtf8", Utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><S/>"), false),
                    QStringLiteral("текст записан в кодировке UTF-16, а объявление XML указывает «UTF-8»")},
        RefusedCase{"DeclaresUtf8HoldsWindows1251",
                    QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<S Name=\"") + kStreet1251 + "\"/>",
                    QStringLiteral("строка 2, столбец 10: недопустимая последовательность байтов UTF-8 (0xf3)")},
        RefusedCase{"NoDeclarationHoldsWindows1251", QByteArray("<S Name=\"") + kStreet1251 + "\"/>",
                    QStringLiteral("строка 1, столбец 10: недопустимая последовательность байтов UTF-8 (0xf3)")},
        RefusedCase{"Utf8Overlong", "<S Name=\"\xC0\xAF\"/>",
                    QStringLiteral("строка 1, столбец 10: недопустимая последовательность байтов UTF-8 (0xc0)")},
        RefusedCase{"Utf8EncodedSurrogate", "<S Name=\"ab\xED\xA0\x80\"/>",
                    QStringLiteral("строка 1, столбец 12: недопустимый символ U+D800")},
        RefusedCase{"Utf8Truncated", "<S Name=\"\xD0\"/>",
                    QStringLiteral("строка 1, столбец 10: недопустимая последовательность байтов UTF-8 (0xd0)")},
        RefusedCase{"Utf8BeyondUnicode", "<S Name=\"\xF4\x90\x80\x80\"/>",
                    QStringLiteral("строка 1, столбец 10: недопустимый символ U+110000")},
        RefusedCase{"NulInUtf8", Raw("<S>\nab\0c</S>"), QStringLiteral("строка 2, столбец 3: недопустимый символ NUL")},
        RefusedCase{"RawControlCharacter", "<S Name=\"a\x01\"/>", QStringLiteral("строка 1, столбец 11: недопустимый символ в значении атрибута")},
        RefusedCase{"LoneHighSurrogateUtf16",
                    Utf16(QStringLiteral("<S Name=\"a") + QChar(0xD800) + QStringLiteral("b\"/>"), true), kUtf16Invalid},
        RefusedCase{"LoneLowSurrogateUtf16",
                    Utf16(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><S Name=\"") + QChar(0xDC00)
                              + QStringLiteral("\"/>"),
                          false, true),
                    QStringLiteral("строка 1, столбец 49: недопустимый символ U+DC00")},
        RefusedCase{"HighSurrogateAtTheEndUtf16", Utf16(QStringLiteral("<S/>") + QChar(0xD83D), true),
                    QStringLiteral("текст обрывается посреди символа кодировки UTF-16LE")},
        RefusedCase{"OddByteCountUtf16", Utf16(QStringLiteral("<S/>"), true) + "<",
                    QStringLiteral("текст обрывается посреди символа кодировки UTF-16LE")},
        RefusedCase{"Empty", "", QStringLiteral("в документе нет ни одного элемента")},
        RefusedCase{"BomOnly", "\xEF\xBB\xBF", QStringLiteral("в документе нет ни одного элемента")},
        RefusedCase{"DeclarationOnly", "<?xml version=\"1.0\"?>\n",
                    QStringLiteral("строка 2, столбец 1: в документе нет корневого элемента (ожидался открывающий тег «<...>»)")},
        RefusedCase{"CommentOnly", "<!-- nothing -->", QStringLiteral("строка 1, столбец 17: в документе нет корневого элемента (ожидался открывающий тег «<...>»)")},
        RefusedCase{"Unclosed", "<PULT>\n<DISP>\n",
                    QStringLiteral("строка 3, столбец 1: элемент <DISP> не закрыт (открыт в строке 2)")},
        RefusedCase{"MismatchedEndTag", "<PULT>\n  <DISP></STREET>\n</PULT>",
                    QStringLiteral("строка 2, столбец 18: закрывающий тег </STREET> не соответствует открывающему <DISP> (строка 2)")},
        RefusedCase{"TwoRoots", "<A/>\n  <B/>",
                    QStringLiteral("строка 2, столбец 3: после корневого элемента есть ещё содержимое (у документа один корневой элемент)")},
        RefusedCase{"TextAfterTheRoot", "<A/>\ntail",
                    QStringLiteral("строка 2, столбец 1: после корневого элемента есть ещё содержимое (у документа один корневой элемент)")},
        RefusedCase{"SecondPult", "<?xml version=\"1.0\"?><PULT Name=\"a\"/><!-- x --><PULT Name=\"b\"><DISP/></PULT>",
                    QStringLiteral("строка 1, столбец 48: после корневого элемента есть ещё содержимое (у документа один корневой элемент)")},
        RefusedCase{"DuplicateAttribute", "<DISP Name=\"A\" Name=\"B\"/>",
                    QStringLiteral("строка 1, столбец 24: атрибут Name указан у элемента повторно")},
        RefusedCase{"UnescapedAmpersand", "<DISP Name=\"A & B\"/>",
                    QStringLiteral("строка 1, столбец 16: знак «&» не начинает ссылку (сам знак записывается как &amp;)")},
        RefusedCase{"ReferenceWithoutSemicolon", "<DISP Name=\"A &amp B\"/>",
                    QStringLiteral("строка 1, столбец 19: ссылка на сущность не завершена знаком «;» (сам знак «&» записывается как &amp;)")},
        RefusedCase{"LessThanInAValue", "<DISP Name=\"a<b\"/>",
                    QStringLiteral("строка 1, столбец 14: знак «<» в значении атрибута (записывается как &lt;)")},
        RefusedCase{"UndeclaredEntity", "<DISP Name=\"&foo;\"/>", QStringLiteral("строка 1, столбец 18: сущность «foo» не объявлена в документе")},
        RefusedCase{"NulCharacterReference", "<DISP Name=\"&#0;\"/>",
                    QStringLiteral("строка 1, столбец 17: ссылка на символ «&#...;» записана с ошибкой или указывает на символ NUL")},
        RefusedCase{"SurrogateCharacterReference", "<DISP Name=\"&#xD800;\"/>",
                    QStringLiteral("строка 1, столбец 21: ссылка на символ U+D800, недопустимый в XML")},
        RefusedCase{"UnquotedValue", "<DISP Name=A/>", QStringLiteral("строка 1, столбец 12: значение атрибута должно быть в кавычках")},
        RefusedCase{"DoubleHyphenInAComment", "<PULT><!-- a -- b --></PULT>",
                    QStringLiteral("строка 1, столбец 14: два дефиса «--» внутри комментария")},
        RefusedCase{"UnclosedComment", "<PULT><!-- a </PULT>", QStringLiteral("строка 1, столбец 21: комментарий не закрыт")},
        RefusedCase{"SecondXmlDeclaration", "<?xml version=\"1.0\"?>\n<?xml version=\"1.0\"?><PULT/>",
                    QStringLiteral("строка 2, столбец 6: объявление XML «<?xml ...?>» допустимо только в самом начале файла")},
        RefusedCase{"DocumentTypeAfterTheRoot", "<PULT/><!DOCTYPE PULT>",
                    QStringLiteral("строка 1, столбец 8: после корневого элемента есть ещё содержимое (у документа один корневой элемент)")},
        RefusedCase{"UnterminatedDocumentType", "<!DOCTYPE PULT [<!ENTITY a \"x\">\n<PULT/>",
                    QStringLiteral("строка 2, столбец 1: ошибка в объявлении типа документа (DOCTYPE)")},
        RefusedCase{"Utf32Truncated", QByteArray("\xFF\xFE\0\0<\0\0\0S\0\0\0/\0\0\0>\0\0\0/\0\0", 23),
                    QStringLiteral("текст обрывается посреди символа кодировки UTF-32LE")},
        RefusedCase{"Utf32BeyondUnicode", QByteArray("\xFF\xFE\0\0<\0\0\0S\0\0\0/\0\0\0>\0\0\0\0\0\x11\0", 24),
                    QStringLiteral("текст содержит байты, недопустимые в кодировке UTF-32LE")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// --- references and entities -----------------------------------------------------------------

struct ReferenceCase
{
    const char *name;
    QByteArray written;
    QString read;
};

class AttributeReferences : public ::testing::TestWithParam<ReferenceCase>
{
};

TEST_P(AttributeReferences, ResolvedOrKeptAsWritten)
{
    const XmlElement e = FirstElement("<S V=\"" + GetParam().written + "\"/>");
    EXPECT_EQ(e.GetAttribute("V")->ToString(), GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AttributeReferences,
    ::testing::Values(ReferenceCase{"Predefined", "&lt;&gt;&amp;&apos;&quot;", QStringLiteral("<>&'\"")},
                      ReferenceCase{"Decimal", "&#1040;", QStringLiteral("А")},
                      ReferenceCase{"Hex", "&#x410;&#x0430;", QStringLiteral("Аа")},
                      ReferenceCase{"AmpersandOfAReference", "&amp;lt;", QStringLiteral("&lt;")},
                      ReferenceCase{"LargestCharacter", "&#x10FFFF;", QString::fromUcs4(U"\U0010FFFF")},
                      // Literal white space is normalised to blanks; referenced white space is not.
                      ReferenceCase{"WhiteSpace", "a\tb\nc&#10;d&#9;", QStringLiteral("a b c\nd\t")},
                      ReferenceCase{"CarriageReturnLineFeed", "a\r\nb", QStringLiteral("a b")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// A reference that is malformed or names nothing is no text to keep: the
// document is not well-formed.
struct MalformedReferenceCase
{
    const char *name;
    QByteArray written;
    QString reason; // the end of the detail
};

class MalformedReference : public ::testing::TestWithParam<MalformedReferenceCase>
{
};

TEST_P(MalformedReference, IsALoadError)
{
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult result = document.LoadFromBytes("<S V=\"" + GetParam().written + "\"/>");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.code, XmlLoadCode::ParseFailed);
    EXPECT_TRUE(result.detail.endsWith(GetParam().reason)) << result.detail.toStdString();
    EXPECT_EQ(result.position.line, 1u);
    EXPECT_GT(result.position.column, 6u);
}

const QString kBadCharacterReference = QStringLiteral("ссылка на символ, недопустимый в XML, или ошибка в записи ссылки «&#...;»");
const QString kBadReferenceOrNul = QStringLiteral("ссылка на символ «&#...;» записана с ошибкой или указывает на символ NUL");

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedReference,
    ::testing::Values(
        MalformedReferenceCase{"UnknownName", "&nbsp;x", QStringLiteral("сущность «nbsp» не объявлена в документе")},
        MalformedReferenceCase{"NoSemicolon", "&#1040 and &amp", kBadCharacterReference},
        MalformedReferenceCase{"LoneAmpersand", "a & b", QStringLiteral("знак «&» не начинает ссылку (сам знак записывается как &amp;)")},
        MalformedReferenceCase{"EmptyNumber", "&#;", kBadReferenceOrNul},
        MalformedReferenceCase{"UpperX", "&#X410;", kBadCharacterReference},
        MalformedReferenceCase{"NotDigits", "&#12a;", kBadCharacterReference},
        MalformedReferenceCase{"Nul", "&#0;", kBadReferenceOrNul},
        MalformedReferenceCase{"Surrogate", "&#56320;", QStringLiteral("ссылка на символ U+DC00, недопустимый в XML")},
        MalformedReferenceCase{"BeyondUnicode", "&#x110000;", QStringLiteral("ссылка на символ U+110000, недопустимый в XML")},
        MalformedReferenceCase{"ControlCharacter", "&#1;", QStringLiteral("ссылка на символ U+0001, недопустимый в XML")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(AttributeReferences, NumbersMayBeWrittenAsReferences)
{
    const XmlElement e = FirstElement("<S IdDB=\"&#49;&#x32;\" Bad=\"&#49;&#xFF10;\"/>");
    EXPECT_EQ(GetAttrInt(e, u"", "IdDB", 0), 12);
    // A full-width digit is no digit.
    EXPECT_THROW(GetAttrInt(e, u"", "Bad", 0), ErrorXML);
}

// --- the document type: entities, defaults, normalisation --------------------------------------

struct DocumentTypeCase
{
    const char *name;
    QByteArray document;
    std::vector<std::pair<const char *, QString>> attributes; // of the document element
    std::vector<QString> children;                            // the names of its child elements
};

class DocumentType : public ::testing::TestWithParam<DocumentTypeCase>
{
};

TEST_P(DocumentType, ReadAsANonValidatingProcessorMust)
{
    const XmlElement e = FirstElement(GetParam().document);
    for (const auto &[name, value] : GetParam().attributes) {
        const auto read = e.GetAttribute(name);
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_EQ(read->ToString(), value) << name;
    }
    std::vector<QString> children;
    for (XmlNode n = e.GetFirstChild(); !n.IsNull(); n = n.GetNextSibling()) {
        if (n.GetNodeType() == XmlNodeType::Element)
            children.push_back(n.GetNodeName());
    }
    EXPECT_EQ(children, GetParam().children);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DocumentType,
    ::testing::Values(
        DocumentTypeCase{"EntityInAValue", "<!DOCTYPE S [<!ENTITY s \"Street\">]><S Name=\"&s; 1\"/>",
                         {{"Name", QStringLiteral("Street 1")}}, {}},
        DocumentTypeCase{"EntityInsideAnEntity",
                         "<!DOCTYPE S [<!ENTITY a \"ул. \"><!ENTITY b \"&a;Ленина\">]><S Name=\"&b;\"/>",
                         {{"Name", QStringLiteral("ул. Ленина")}}, {}},
        DocumentTypeCase{"EntityHoldingACharacterReference", "<!DOCTYPE S [<!ENTITY n \"&#53;\">]><S SubNet=\"&n;\"/>",
                         {{"SubNet", QStringLiteral("5")}}, {}},
        DocumentTypeCase{"EntityInContentHoldsElements",
                         "<!DOCTYPE S [<!ENTITY d \"<DISP Name='A'/><DISP Name='B'/>\">]><S>&d;<STREET/></S>",
                         {}, {QStringLiteral("DISP"), QStringLiteral("DISP"), QStringLiteral("STREET")}},
        DocumentTypeCase{"DeclaredDefaultIsSupplied",
                         "<!DOCTYPE S [<!ATTLIST S Name CDATA \"Dflt\" Kind CDATA #FIXED \"k\">]><S/>",
                         {{"Name", QStringLiteral("Dflt")}, {"Kind", QStringLiteral("k")}}, {}},
        DocumentTypeCase{"WrittenValueBeatsTheDefault", "<!DOCTYPE S [<!ATTLIST S Name CDATA \"Dflt\">]><S Name=\"own\"/>",
                         {{"Name", QStringLiteral("own")}}, {}},
        // Values of attributes declared as tokens lose their outer blanks and runs of blanks.
        DocumentTypeCase{"TokenValueIsNormalised", "<!DOCTYPE S [<!ATTLIST S Id NMTOKENS #IMPLIED>]><S Id=\"  a   b \" Name=\"  a   b \"/>",
                         {{"Id", QStringLiteral("a b")}, {"Name", QStringLiteral("  a   b ")}}, {}},
        DocumentTypeCase{"ExternalSubsetIsNotRead", "<!DOCTYPE S SYSTEM \"does-not-exist.dtd\"><S Name=\"n\"/>",
                         {{"Name", QStringLiteral("n")}}, {}}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// Entity amplification ends as a load error, quickly and in bounded memory.
struct AmplificationCase
{
    const char *name;
    QByteArray document;
    QString reason = QStringLiteral("сущности ссылаются друг на друга по кругу или разрастаются сверх допустимого");
};

class EntityAmplification : public ::testing::TestWithParam<AmplificationCase>
{
};

TEST_P(EntityAmplification, IsRefusedQuickly)
{
    const auto start = std::chrono::steady_clock::now();
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult result = document.LoadFromBytes(GetParam().document);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.detail.endsWith(GetParam().reason)) << result.detail.toStdString();
    // Generous for a loaded machine: without the parser's limits this takes minutes or exhausts memory.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

QByteArray BillionLaughs(const QByteArray &use)
{
    QByteArray doctype = "<!DOCTYPE S [<!ENTITY a0 \"xxxxxxxxxx\">";
    for (int i = 1; i < 10; ++i) {
        doctype += "<!ENTITY a" + QByteArray::number(i) + " \"";
        for (int k = 0; k < 10; ++k)
            doctype += "&a" + QByteArray::number(i - 1) + ";";
        doctype += "\">";
    }
    return doctype + "]>" + use;
}

QByteArray QuadraticBlowUp()
{
    const QByteArray entity = QByteArray(50000, 'x');
    return "<!DOCTYPE S [<!ENTITY a \"" + entity + "\">]><S V=\"" + QByteArray("&a;").repeated(50000) + "\"/>";
}

INSTANTIATE_TEST_SUITE_P(Documents, EntityAmplification,
                         ::testing::Values(AmplificationCase{"BillionLaughsInAValue", BillionLaughs("<S V=\"&a9;\"/>")},
                                           AmplificationCase{"BillionLaughsInContent", BillionLaughs("<S>&a9;</S>")},
                                           AmplificationCase{"QuadraticBlowUp", QuadraticBlowUp(),
                                                             QStringLiteral("значение атрибута длиннее допустимого")},
                                           AmplificationCase{"EntitiesInACircle",
                                                             "<!DOCTYPE S [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]><S V=\"&a;\"/>"}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

// --- nodes and the document -----------------------------------------------------------------

TEST(XmlNodes, TopLevelWalkTypesAndNamesAsWritten)
{
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(document
                    .LoadFromBytes("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<!-- c --><?app x?><!DOCTYPE PuLt>"
                                   "<PuLt a=\"1\">text<\xD3\xEB\xE8\xF6\xE0/><![CDATA[<x>]]><!--in--><?pi d?></PuLt>")
                    .ok);
    std::vector<std::pair<XmlNodeType, QString>> top;
    XmlNode pult;
    for (XmlNode n = document.GetFirstChild(); !n.IsNull(); n = n.GetNextSibling()) {
        top.emplace_back(n.GetNodeType(), n.GetNodeName());
        if (n.GetNodeType() == XmlNodeType::Element)
            pult = n;
    }
    EXPECT_EQ(top, (std::vector<std::pair<XmlNodeType, QString>>{{XmlNodeType::ProcessingInstruction, QStringLiteral("xml")},
                                                                 {XmlNodeType::Comment, QStringLiteral("#comment")},
                                                                 {XmlNodeType::ProcessingInstruction, QStringLiteral("app")},
                                                                 {XmlNodeType::DocumentType, QString()},
                                                                 {XmlNodeType::Element, QStringLiteral("PuLt")}}));
    std::vector<std::pair<XmlNodeType, QString>> children;
    for (XmlNode n = pult.GetFirstChild(); !n.IsNull(); n = n.GetNextSibling())
        children.emplace_back(n.GetNodeType(), n.GetNodeName());
    EXPECT_EQ(children, (std::vector<std::pair<XmlNodeType, QString>>{{XmlNodeType::Text, QStringLiteral("#text")},
                                                                      {XmlNodeType::Element, QStringLiteral("Улица")},
                                                                      {XmlNodeType::CData, QStringLiteral("#cdata-section")},
                                                                      {XmlNodeType::Comment, QStringLiteral("#comment")},
                                                                      {XmlNodeType::ProcessingInstruction, QStringLiteral("pi")}}));
    EXPECT_TRUE(pult.HasName("PULT"));
    EXPECT_TRUE(pult.GetFirstChild().QueryElement().IsNull()); // text is no element
    EXPECT_FALSE(pult.QueryElement().IsNull());
}

// Each element knows the line and column of its start tag's "<", counted in
// characters whatever the encoding; an element from an entity's text stands
// where the reference does.
TEST(XmlNodes, ElementsKnowWhereTheyStart)
{
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(document
                    .LoadFromBytes("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                                   "<!DOCTYPE PULT [<!ENTITY d \"<DISP Name='E'/>\">]>\n"
                                   "<PULT>\n"
                                   "  <DISP Name=\"\xD3\xEB\xE8\xF6\xE0\"/><DISP\n"
                                   "     Name=\"two lines\"\n"
                                   "  />\n"
                                   "\t&d;<X/>\n"
                                   "</PULT>")
                    .ok);
    XmlNode pult = document.GetFirstChild();
    while (pult.GetNodeType() != XmlNodeType::Element)
        pult = pult.GetNextSibling();
    std::vector<XmlPosition> positions{pult.GetPosition()};
    for (XmlNode n = pult.GetFirstChild(); !n.IsNull(); n = n.GetNextSibling()) {
        if (n.GetNodeType() == XmlNodeType::Element)
            positions.push_back(n.GetPosition());
        else
            EXPECT_EQ(n.GetPosition(), XmlPosition{}) << n.GetNodeName().toStdString();
    }
    EXPECT_EQ(positions, (std::vector<XmlPosition>{{3, 1}, {4, 3}, {4, 23}, {7, 2}, {7, 5}}));
}

TEST(XmlNodes, AttributeAbsentEmptyAndExactName)
{
    const XmlElement e = FirstElement("<S Name=\"\" name=\"lower\"/>");
    const auto empty = e.GetAttribute("Name");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->ToString().isEmpty());
    EXPECT_EQ(e.GetAttribute("name")->ToString(), QStringLiteral("lower"));
    EXPECT_FALSE(e.GetAttribute("NAME").has_value());
    EXPECT_FALSE(e.GetAttribute("Other").has_value());
}

TEST(XmlNodes, NodesKeepTheDocumentAlive)
{
    XmlElement element;
    XmlNode comment;
    {
        XmlDocument document = XmlDocument::Create();
        ASSERT_TRUE(document.LoadFromBytes("<S Name=\"kept\"><!--c--><C V=\"child\"/></S>").ok);
        element = document.GetFirstChild().QueryElement();
        comment = element.GetFirstChild();
        // Loading other content into the same document leaves the old nodes intact.
        ASSERT_TRUE(document.LoadFromBytes("<T Name=\"new\"/>").ok);
        EXPECT_EQ(document.GetFirstChild().QueryElement().GetAttribute("Name")->ToString(), QStringLiteral("new"));
        document = XmlDocument(); // the document is gone
    }
    EXPECT_EQ(element.GetAttribute("Name")->ToString(), QStringLiteral("kept"));
    EXPECT_EQ(comment.GetNodeType(), XmlNodeType::Comment);
    EXPECT_EQ(comment.GetNextSibling().QueryElement().GetAttribute("V")->ToString(), QStringLiteral("child"));
    EXPECT_TRUE(comment.GetNextSibling().GetNextSibling().IsNull());
}

TEST(XmlNodes, NullNodesAnswerNothing)
{
    const XmlNode none;
    EXPECT_TRUE(none.IsNull());
    EXPECT_TRUE(none.GetFirstChild().IsNull());
    EXPECT_TRUE(none.GetNextSibling().IsNull());
    EXPECT_TRUE(none.QueryElement().IsNull());
    EXPECT_TRUE(XmlDocument().GetFirstChild().IsNull());
    EXPECT_TRUE(XmlDocument().AppendProcessingInstruction(u"xml", u"x").IsNull());
    EXPECT_TRUE(XmlDocument().IsNull());
}

TEST(XmlNodes, FailedLoadEmptiesTheDocument)
{
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(document.LoadFromBytes("<S/>").ok);
    EXPECT_FALSE(document.LoadFromBytes("<S>").ok);
    EXPECT_TRUE(document.GetFirstChild().IsNull());
    EXPECT_FALSE(document.IsNull());
}

// The attributes gathered once per element answer exactly as the element does.
struct GatheredCase
{
    const char *name;
    QByteArray attributes;
    std::vector<const char *> asked;
};

class GatheredAttributes : public ::testing::TestWithParam<GatheredCase>
{
};

TEST_P(GatheredAttributes, SameAnswersAsTheElement)
{
    const XmlElement e = FirstElement("<E " + GetParam().attributes + "/>");
    const XmlAttributes gathered(e);
    for (const char *name : GetParam().asked) {
        const auto direct = e.GetAttribute(name);
        const auto fast = gathered.Get(name);
        ASSERT_EQ(fast.has_value(), direct.has_value()) << name;
        if (direct) {
            EXPECT_EQ(fast->ToString(), direct->ToString()) << name;
        }
    }
}

QByteArray ManyAttributes(int count)
{
    QByteArray xml;
    for (int i = 0; i < count; ++i)
        xml += "A" + QByteArray::number(i) + "=\"" + QByteArray::number(i) + "\" ";
    return xml + "DaySavEvents=\"late\"";
}

INSTANTIATE_TEST_SUITE_P(
    Elements, GatheredAttributes,
    ::testing::Values(
        GatheredCase{"ShortNames", "ID=\"1\" UM=\"2\" Name=\"n\"", {"ID", "UM", "Name", "name", "I", "IDs", "Slot"}},
        // Same first eight bytes and length, different tails.
        GatheredCase{"SharedHead", "DaySavEventZ=\"z\" DaySavEvents=\"e\" DaySavCheck=\"c\"",
                     {"DaySavEvents", "DaySavEventZ", "DaySavEventY", "DaySavCheck", "DaySavChecks", "DaySav"}},
        GatheredCase{"EightBytesExactly", "SubNetNo=\"8\" SubNetN=\"7\"", {"SubNetNo", "SubNetN", "SubNetNa", "SubNet"}},
        GatheredCase{"MoreThanTheTableHolds", ManyAttributes(60), {"A0", "A47", "A48", "A59", "DaySavEvents", "A60"}}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(GatheredAttributes, ALiftWithManyOtherAttributesStillReadsItsOwn)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT " + ManyAttributes(60)
                        + " Name=\"L\" Access=\"4\" VideoCmd=\" v \"/></HOME></STREET></DISP>"));
    const CLiftB &lift = *s.root->m_Lifts.at(0);
    EXPECT_EQ(lift.m_Name, QStringLiteral("L"));
    EXPECT_EQ(lift.Access, 4);
    EXPECT_EQ(lift.VideoCmd, QStringLiteral("v"));
}

TEST(XmlLoadCodes, DescribedInRussian)
{
    EXPECT_EQ(DescribeXmlLoadCode(XmlLoadCode::FileNotFound), QStringLiteral("файл не найден"));
    EXPECT_EQ(DescribeXmlLoadCode(XmlLoadCode::AccessDenied), QStringLiteral("доступ запрещён"));
    EXPECT_EQ(DescribeXmlLoadCode(XmlLoadCode::NotRegularFile), QStringLiteral("это не обычный файл"));
    EXPECT_EQ(DescribeXmlLoadCode(XmlLoadCode::ParseFailed), QStringLiteral("документ не удалось разобрать"));
    EXPECT_TRUE(DescribeXmlLoadCode(12345).isEmpty());
}

} // namespace
