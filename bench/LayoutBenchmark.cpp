// The layout of one dispatch point (RePlaseTab) in its three modes, per lift,
// for points of 1,000, 10,000 and 50,000 lifts; then a point of 20,000 lifts
// at 3840x2160 with and without its log lines, side by side.
//
//   korvix_bench_layout [--repeat N]
#include "bench/StructureGenerator.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/DrawCommand.h"
#include "layout/HeadlessTree.h"
#include "layout/LayoutJson.h"
#include "layout/StructureFileLoad.h"
#include "log/LogFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct LoadedPoint
{
    std::unique_ptr<CRoot> root;
    CPunct *point = nullptr;
};

LoadedPoint Load(int lifts, int houses, int streets, LogFile *log)
{
    LoadedPoint loaded;
    loaded.root = std::make_unique<CRoot>(log, nullptr);
    ReadStructureBytes(*loaded.root, GeneratePoint(lifts, houses, streets));
    HeadlessTree tree;
    tree.Fill(*loaded.root);
    loaded.point = static_cast<CPunct *>(loaded.root->m_Children.at(0).get());
    loaded.root->m_CurPunct = loaded.point;
    return loaded;
}

// Median time of one RePlaseTab, in microseconds.
double TimeLayout(CPunct &point, LayoutMode mode, int width, int height, int repeat)
{
    SetLayoutMode(point, mode);
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer timer;
        timer.start();
        point.RePlaseTab(width, height);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const LayoutMode kModes[] = {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int repeat = 31;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QStringLiteral("--repeat"))
            repeat = std::max(1, args[i + 1].toInt());
    try {
        std::printf("RePlaseTab without log lines, median of %d runs; each point in a window large enough\n"
                    "for tiles of at least 8 pixels\n\n", repeat);
        std::printf("%8s %8s %11s  %-12s %6s %12s %14s\n", "lifts", "houses", "window", "mode", "valid", "time, us",
                    "ns per lift");
        struct Size2
        {
            int lifts, width, height;
        };
        for (const Size2 &c : {Size2{1000, 1920, 1080}, Size2{10000, 3840, 2160}, Size2{50000, 7680, 4320}}) {
            LoadedPoint loaded = Load(c.lifts, c.lifts * 3 / 10, std::max(1, c.lifts / 200), nullptr);
            for (LayoutMode mode : kModes) {
                const double us = TimeLayout(*loaded.point, mode, c.width, c.height, repeat);
                std::printf("%8d %8d %5dx%-5d  %-12s %6s %12.1f %14.1f\n", c.lifts, c.lifts * 3 / 10, c.width,
                            c.height, qPrintable(LayoutModeName(mode)), loaded.point->m_Valid ? "yes" : "no", us,
                            us * 1e3 / c.lifts);
            }
        }

        QTemporaryDir logDir;
        LogFile log(logDir.path(), {}, nullptr);
        LoadedPoint quiet = Load(20000, 6000, 100, nullptr);
        LoadedPoint logged = Load(20000, 6000, 100, &log);
        std::printf("\n20,000 lifts at 3840x2160, median of %d runs\n\n", repeat);
        std::printf("%-12s %14s %14s %14s\n", "mode", "no log, us", "with log, us", "log lines, us");
        for (LayoutMode mode : kModes) {
            const double plain = TimeLayout(*quiet.point, mode, 3840, 2160, repeat);
            const double withLog = TimeLayout(*logged.point, mode, 3840, 2160, repeat);
            std::printf("%-12s %14.1f %14.1f %14.1f\n", qPrintable(LayoutModeName(mode)), plain, withLog,
                        withLog - plain);
        }
        // The cost of the lines themselves: each opens, appends to and closes the file.
        constexpr int kLines = 2000;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < kLines; ++i)
            log.Write(QStringLiteral("RePlaseTab 3 m_SizeLiftTab(70,57) m_TotalRow=8 TotRow=5"));
        const double perLine = static_cast<double>(timer.nsecsElapsed()) / 1e3 / kLines;
        std::printf("\nOne log line (open, append, close Korvix.Bad): %.1f us; a layout writes 4 to 12 lines,\n"
                    "so its log costs about %.0f to %.0f us.\n",
                    perLine, 4 * perLine, 12 * perLine);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvix_bench_layout: %s\n", e.what());
        return 1;
    }
    return 0;
}
