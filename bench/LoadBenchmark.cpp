// Full structure-file load (as korvix --check does it) against libxml2's SAX2
// parse alone with empty handlers, Korvix's DOM alone and pugixml's parse
// alone of the same file, side by side in one run; where the DOM's memory
// goes; the growth of the load time from 100,000 to 200,000 lifts in one
// house; and the bundled example.
//
//   korvix_bench_load [--runs N] [--scale F]
//   korvix_bench_load --generate FILE [ROWS]   (writes the structure file, for profiling)
#include "bench/ProcessMeasure.h"
#include "bench/StructureGenerator.h"
#include "layout/CRoot.h"
#include "layout/StructureFileLoad.h"
#include "log/MessagePresenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "model/xml/MemoryInput.h"
#include "model/xml/XmlDocument.h"

#include <libxml/parser.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

class CountingPresenter : public MessagePresenter
{
public:
    void ShowMessageBox(const QString &, Icon) override { ++count; }
    int count = 0;
};

// Both measurements stop when the document or structure is ready; the process
// ends without tearing it down, so neither side pays for its destruction.
int ParseOnly(const QString &path)
{
    auto *document = new pugi::xml_document;
    return ReportMeasurement([&] {
        const unsigned options = pugi::parse_default | pugi::parse_comments | pugi::parse_pi
            | pugi::parse_declaration | pugi::parse_doctype;
        const pugi::xml_parse_result result =
            document->load_file(QFile::encodeName(path).constData(), options, pugi::encoding_utf8);
        if (!result)
            throw std::runtime_error(result.description());
    });
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the structure file");
    return file.readAll();
}

void IgnoreStart(void *, const xmlChar *, const xmlChar *, const xmlChar *, int, const xmlChar **, int, int,
                 const xmlChar **)
{
}

// libxml2 reading the bytes as the reader has it read them (from memory,
// entities replaced), with handlers that do nothing.
int SaxOnly(const QString &path)
{
    return ReportMeasurement([&] {
        const QByteArray bytes = ReadFile(path);
        xmlSAXHandler sax;
        std::memset(&sax, 0, sizeof sax);
        sax.initialized = XML_SAX2_MAGIC;
        sax.startElementNs = IgnoreStart;
        MemoryInput input{bytes.constData(), bytes.constData() + bytes.size()};
        xmlParserCtxtPtr ctxt = xmlCreateIOParserCtxt(&sax, nullptr, MemoryInput::Read, nullptr, &input, XML_CHAR_ENCODING_NONE);
        xmlCtxtUseOptions(ctxt, XML_PARSE_NOENT | XML_PARSE_NONET);
        xmlParseDocument(ctxt);
        const bool wellFormed = ctxt->wellFormed;
        xmlFreeParserCtxt(ctxt);
        if (!wellFormed)
            throw std::runtime_error("libxml2 did not parse the structure file");
    });
}

// Korvix's reader up to the DOM, without the structure built from it.
int DomOnly(const QString &path)
{
    auto *document = new XmlDocument(XmlDocument::Create());
    return ReportMeasurement([&] {
        const XmlLoadResult result = document->Load(path);
        if (!result.ok)
            throw std::runtime_error(result.detail.toStdString());
    });
}

// Where the DOM's memory goes.
int DomFootprint(const QString &path)
{
    XmlDocument document = XmlDocument::Create();
    if (!document.Load(path).ok)
        throw std::runtime_error("the structure file was not read");
    const XmlDocument::Footprint f = document.GetFootprint();
    std::printf("%u %u %u %zu %zu\n", f.nodes, f.attributes, f.names, f.valueBytes, f.bytesReserved);
    return 0;
}

// Loads of the bundled example, one after another in one process.
int ExampleLoads(const QString &path)
{
    auto *presenter = new CountingPresenter;
    auto *root = new CRoot(nullptr, presenter);
    return ReportMeasurement([&] {
        for (int i = 0; i < 200; ++i) {
            if (OpenStructureFile(*root, path).outcome != StructureFileOpen::Outcome::Loaded)
                throw std::runtime_error("the example was not read");
        }
    });
}

int FullLoad(const QString &path)
{
    auto *presenter = new CountingPresenter;
    auto *root = new CRoot(nullptr, presenter);
    return ReportMeasurement([&] {
        if (OpenStructureFile(*root, path).outcome != StructureFileOpen::Outcome::Loaded)
            throw std::runtime_error("the structure file was not read");
        if (root->m_Lifts.empty())
            throw std::runtime_error("no lifts read");
    });
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write a benchmark file");
    return path;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    try {
        if (args.size() == 4 && args[1] == QStringLiteral("--child")) {
            const QString &mode = args[2];
            if (mode == QStringLiteral("pugixml"))
                return ParseOnly(args[3]);
            if (mode == QStringLiteral("sax"))
                return SaxOnly(args[3]);
            if (mode == QStringLiteral("dom"))
                return DomOnly(args[3]);
            if (mode == QStringLiteral("footprint"))
                return DomFootprint(args[3]);
            if (mode == QStringLiteral("example"))
                return ExampleLoads(args[3]);
            return FullLoad(args[3]);
        }
        if (args.size() >= 3 && args[1] == QStringLiteral("--generate")) {
            // Writes the benchmark's structure file, for profiling by hand.
            QFile out(args[2]);
            GeneratorShape shape;
            if (args.size() > 3)
                shape.rowsPerTable = args[3].toInt();
            const QByteArray bytes = GenerateStructure(shape);
            return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() ? 0 : 1;
        }

        int runs = 5;
        double scale = 1.0;
        for (int i = 1; i + 1 < args.size(); i += 2) {
            if (args[i] == QStringLiteral("--runs"))
                runs = args[i + 1].toInt();
            else if (args[i] == QStringLiteral("--scale"))
                scale = args[i + 1].toDouble();
        }
        QTemporaryDir dir;
        GeneratorShape shape;
        shape.streetsPerPoint = std::max(1, static_cast<int>(shape.streetsPerPoint * scale));
        const QByteArray structure = GenerateStructure(shape);
        const QString big = WriteFile(dir, QStringLiteral("structure.xml"), structure);
        const int lifts = shape.points * shape.streetsPerPoint * shape.housesPerStreet * shape.liftsPerHouse;

        std::printf("Structure file: %.1f MB windows-1251, %d lifts, %d rows per lift table, %d groups per point\n",
                    structure.size() / 1e6, lifts, shape.rowsPerTable, shape.groupsPerPoint);
        std::printf("Median of %d runs, each in a process of its own\n\n", runs);
        const auto child = [&](const char *mode) {
            return MedianOf(runs, {QStringLiteral("--child"), QString::fromLatin1(mode), big});
        };
        const Measurement pugixml = child("pugixml");
        const Measurement sax = child("sax");
        const Measurement dom = child("dom");
        const Measurement load = child("load");
        std::printf("%-34s %10s %12s\n", "", "time, ms", "peak, MiB");
        std::printf("%-34s %10.1f %12.1f\n", "pugixml parse only", pugixml.seconds * 1e3, pugixml.peakMiB);
        std::printf("%-34s %10.1f %12.1f\n", "libxml2 SAX2, empty handlers", sax.seconds * 1e3, sax.peakMiB);
        std::printf("%-34s %10.1f %12.1f\n", "Korvix DOM only (SAX2 into it)", dom.seconds * 1e3, dom.peakMiB);
        std::printf("%-34s %10.1f %12.1f\n", "full load (korvix --check)", load.seconds * 1e3, load.peakMiB);
        std::printf("%-34s %10.2fx               (target: at most 1.5x)\n", "full load / libxml2 SAX2",
                    load.seconds / sax.seconds);
        std::printf("%-34s %23.2fx  (target: at most 1x)\n", "full load peak / pugixml's",
                    load.peakMiB / pugixml.peakMiB);

        QProcess footprint;
        footprint.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), QStringLiteral("footprint"), big});
        footprint.waitForFinished(-1);
        const QList<QByteArray> f = footprint.readAllStandardOutput().trimmed().split(' ');
        if (f.size() == 5) {
            std::printf("DOM: %s nodes, %s attributes, %s names; %.1f MiB of values; %.1f MiB reserved in all\n\n",
                        f[0].constData(), f[1].constData(), f[2].constData(), f[3].toDouble() / 1048576.0,
                        f[4].toDouble() / 1048576.0);
        }

        const int flatSmall = static_cast<int>(100000 * scale);
        const QString small = WriteFile(dir, QStringLiteral("flat-small.xml"), GenerateFlatStructure(flatSmall));
        const QString large = WriteFile(dir, QStringLiteral("flat-large.xml"), GenerateFlatStructure(2 * flatSmall));
        const Measurement s = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("load"), small});
        const Measurement l = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("load"), large});
        std::printf("Flat file, one house, a group naming every second lift:\n");
        std::printf("%-28s %10.1f %12.1f\n", qPrintable(QStringLiteral("%1 lifts").arg(flatSmall)), s.seconds * 1e3, s.peakMiB);
        std::printf("%-28s %10.1f %12.1f\n", qPrintable(QStringLiteral("%1 lifts").arg(2 * flatSmall)), l.seconds * 1e3, l.peakMiB);
        std::printf("%-28s %10.2fx               (target: at most 2.1x)\n\n", "time ratio", l.seconds / s.seconds);

        const Measurement example = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("example"),
                                                    QStringLiteral(KORVIX_EXAMPLE_FILE)});
        std::printf("%-28s %10.3f ms per load (200 loads in one process)\n", "bundled example",
                    example.seconds * 1e3 / 200);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvix_bench_load: %s\n", e.what());
        return 1;
    }
    return 0;
}
