// The reader against the W3C XML conformance suite: every XML 1.0 test that
// needs no external entity (the suite's README says which). A document the
// suite calls not well-formed must be refused, any other one read.

#include "model/xml/XmlDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

struct SuiteTest
{
    QString id;
    QString type; // not-wf, valid, invalid, error
    QString path;
};

QString SuiteDirectory()
{
    return QStringLiteral(KORVIX_XMLCONF_DIR);
}

bool Concerns(const QXmlStreamAttributes &a)
{
    const QString entities = a.value(QLatin1StringView("ENTITIES")).toString();
    const QString version = a.value(QLatin1StringView("VERSION")).toString();
    const QString recommendation = a.value(QLatin1StringView("RECOMMENDATION")).toString();
    if (!entities.isEmpty() && entities != u"none")
        return false;
    if (!version.isEmpty() && version != u"1.0")
        return false;
    if (recommendation.startsWith(u"NS") || recommendation == u"XML1.1")
        return false;
    return !a.hasAttribute(QLatin1StringView("EDITION")) || a.value(QLatin1StringView("EDITION")).split(u' ').contains(u"5");
}

// The tests of the index, each with its file: xml:base values nest.
std::vector<SuiteTest> SelectedTests()
{
    QFile index(SuiteDirectory() + QStringLiteral("/cleaned/xmlconf-flattened.xml"));
    if (!index.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << index.fileName().toStdString();
        return {};
    }
    QXmlStreamReader reader(&index);
    std::vector<QString> bases{SuiteDirectory() + QStringLiteral("/xmlconf/")};
    std::vector<SuiteTest> tests;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"TESTCASES") {
            bases.push_back(bases.back() + reader.attributes().value(QLatin1StringView("xml:base")).toString());
        } else if (reader.isEndElement() && reader.name() == u"TESTCASES") {
            bases.pop_back();
        } else if (reader.isStartElement() && reader.name() == u"TEST" && Concerns(reader.attributes())) {
            const QXmlStreamAttributes a = reader.attributes();
            tests.push_back({a.value(QLatin1StringView("ID")).toString(), a.value(QLatin1StringView("TYPE")).toString(),
                             bases.back() + a.value(QLatin1StringView("URI")).toString()});
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return tests;
}

class XmlConformance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!QFileInfo(SuiteDirectory()).isDir())
            GTEST_SKIP() << "the W3C XML conformance suite is not at " << SuiteDirectory().toStdString()
                         << ": skipped";
    }

    // Reads every test of the given types; returns the ids whose verdict is wrong.
    static std::vector<QString> Misjudged(bool wellFormed, int &count)
    {
        std::vector<QString> wrong;
        count = 0;
        for (const SuiteTest &test : SelectedTests()) {
            if ((test.type == u"not-wf") == wellFormed || test.type == u"error")
                continue;
            ++count;
            QFile file(test.path);
            if (!file.open(QIODevice::ReadOnly)) {
                wrong.push_back(test.id + QStringLiteral(" (file missing)"));
                continue;
            }
            XmlDocument document = XmlDocument::Create();
            const XmlLoadResult result = document.LoadFromBytes(file.readAll());
            if (result.ok != wellFormed)
                wrong.push_back(test.id + QStringLiteral(": ") + (result.ok ? QStringLiteral("read") : result.detail));
        }
        return wrong;
    }
};

std::string Listed(const std::vector<QString> &ids)
{
    std::string text;
    for (const QString &id : ids)
        text += "\n  " + id.toStdString();
    return text;
}

TEST_F(XmlConformance, NotWellFormedDocumentsAreRefused)
{
    int count = 0;
    const std::vector<QString> wrong = Misjudged(false, count);
    std::printf("not well-formed: %d of %d refused\n", count - int(wrong.size()), count);
    EXPECT_GT(count, 900);
    EXPECT_TRUE(wrong.empty()) << "read although not well-formed:" << Listed(wrong);
}

TEST_F(XmlConformance, WellFormedDocumentsAreRead)
{
    int count = 0;
    const std::vector<QString> wrong = Misjudged(true, count);
    std::printf("well-formed: %d of %d read\n", count - int(wrong.size()), count);
    EXPECT_GT(count, 700);
    EXPECT_TRUE(wrong.empty()) << "refused although well-formed:" << Listed(wrong);
}

} // namespace
