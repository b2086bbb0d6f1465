// Full structure-file load (as korvix --check does it) against pugixml's parse
// alone of the same file, side by side in one run; then the growth of the load
// time from 100,000 to 200,000 lifts in one house.
//
//   korvix_bench_load [--runs N] [--scale F]
//   korvix_bench_load --generate FILE [ROWS]   (writes the structure file, for profiling)
#include "CRoot.h"
#include "MessagePresenter.h"
#include "ProcessMeasure.h"
#include "StructureFileLoad.h"
#include "StructureGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <cstdio>
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
        if (args.size() == 4 && args[1] == QStringLiteral("--child"))
            return args[2] == QStringLiteral("parse") ? ParseOnly(args[3]) : FullLoad(args[3]);
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
        const Measurement parse = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("parse"), big});
        const Measurement load = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("load"), big});
        std::printf("%-28s %10s %12s\n", "", "time, ms", "peak, MiB");
        std::printf("%-28s %10.1f %12.1f\n", "pugixml parse only", parse.seconds * 1e3, parse.peakMiB);
        std::printf("%-28s %10.1f %12.1f\n", "full load (korvix --check)", load.seconds * 1e3, load.peakMiB);
        std::printf("%-28s %10.2fx %11.2fx   (targets: at most 1.5x and 2.5x)\n\n", "load / parse",
                    load.seconds / parse.seconds, load.peakMiB / parse.peakMiB);

        const int flatSmall = static_cast<int>(100000 * scale);
        const QString small = WriteFile(dir, QStringLiteral("flat-small.xml"), GenerateFlatStructure(flatSmall));
        const QString large = WriteFile(dir, QStringLiteral("flat-large.xml"), GenerateFlatStructure(2 * flatSmall));
        const Measurement s = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("load"), small});
        const Measurement l = MedianOf(runs, {QStringLiteral("--child"), QStringLiteral("load"), large});
        std::printf("Flat file, one house, a group naming every second lift:\n");
        std::printf("%-28s %10.1f %12.1f\n", qPrintable(QStringLiteral("%1 lifts").arg(flatSmall)), s.seconds * 1e3, s.peakMiB);
        std::printf("%-28s %10.1f %12.1f\n", qPrintable(QStringLiteral("%1 lifts").arg(2 * flatSmall)), l.seconds * 1e3, l.peakMiB);
        std::printf("%-28s %10.2fx               (target: at most 2.3x)\n", "time ratio", l.seconds / s.seconds);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvix_bench_load: %s\n", e.what());
        return 1;
    }
    return 0;
}
