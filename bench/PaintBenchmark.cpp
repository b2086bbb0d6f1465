// A size change of the table as the window does it: the layout again, the
// house labels fitted, and a full paint into an image the size of the window;
// then a later paint that only draws. For a point of 5,000 lifts in 1,500
// houses at 1920x1080 and one of 15,000 lifts at 3840x2160, in all three modes.
//
//   korvix_bench_paint [--repeat N]
#include "CPunct.h"
#include "CRoot.h"
#include "DrawCommand.h"
#include "HeadlessTree.h"
#include "LayoutJson.h"
#include "QPainterSurface.h"
#include "StructureGenerator.h"
#include "TablePainter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Case
{
    int lifts;
    int houses;
    int width;
    int height;
};

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int repeat = 21;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QStringLiteral("--repeat"))
            repeat = std::max(1, args[i + 1].toInt());
    try {
        std::printf("One size change: layout + label fitting + full paint into an image of the window's size;\n"
                    "then a repaint that only draws. Median of %d runs; a frame at 60 Hz is 16.7 ms.\n\n",
                    repeat);
        std::printf("%7s %7s %11s  %-12s %11s %11s %12s %10s\n", "lifts", "houses", "window", "mode", "layout, ms",
                    "paint, ms", "change, ms", "redraw, ms");
        for (const Case &c : {Case{5000, 1500, 1920, 1080}, Case{15000, 4500, 3840, 2160}}) {
            CRoot root(nullptr, nullptr);
            root.CreateXMLDOM();
            root.LoadXMLFromBytes(GeneratePoint(c.lifts, c.houses, std::max(1, c.houses / 15)));
            HeadlessTree tree;
            tree.Fill(root);
            auto *point = static_cast<CPunct *>(root.m_Children.at(0).get());
            root.m_CurPunct = point;
            QImage image(c.width, c.height, QImage::Format_RGB32);
            for (LayoutMode mode : {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller}) {
                SetLayoutMode(*point, mode);
                std::vector<double> layout, paint, change, redraw;
                for (int i = 0; i < repeat; ++i) {
                    // Alternate between two sizes, as a drag of the splitter does.
                    const int width = c.width - (i % 2) * 7;
                    QElapsedTimer timer;
                    timer.start();
                    point->RePlaseTab(width, c.height);
                    const double laidOut = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                    {
                        QPainter painter(&image);
                        QPainterSurface surface(painter);
                        if (!TablePainter::Paint(root, surface, width, c.height))
                            throw std::runtime_error("nothing painted");
                    }
                    const double total = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                    layout.push_back(laidOut);
                    paint.push_back(total - laidOut);
                    change.push_back(total);
                    timer.restart();
                    {
                        QPainter painter(&image);
                        QPainterSurface surface(painter);
                        TablePainter::Paint(root, surface, width, c.height);
                    }
                    redraw.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                }
                std::printf("%7d %7d %5dx%-5d  %-12s %11.2f %11.2f %12.2f %10.2f\n", c.lifts, c.houses, c.width,
                            c.height, qPrintable(LayoutModeName(mode)), Median(layout), Median(paint), Median(change),
                            Median(redraw));
            }
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvix_bench_paint: %s\n", e.what());
        return 1;
    }
    return 0;
}
