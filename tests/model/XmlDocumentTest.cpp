#include "xml/XmlDocument.h"

#include <gtest/gtest.h>

namespace {

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

QByteArray Utf16Le(const QString &text, bool bom)
{
    QByteArray bytes;
    if (bom)
        bytes.append("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

const QString kStreet = QStringLiteral("ул. Ленина");

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
        EncodingCase{"References", QByteArray("<S Name=\"&#1091;&#x43B;. &lt;&amp;&gt;\"/>"), QStringLiteral("ул. <&>")}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

} // namespace
