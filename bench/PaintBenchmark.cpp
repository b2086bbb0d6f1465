// A size change of the table as the window does it: the layout again, the
// house labels fitted, the table painted into the window; then, as the pane
// does once the table is left alone, its picture kept; then exposes with
// nothing changed, copied from it: the whole pane (another window moved
// away) and a tooltip's area. For a point of 5,000
// lifts in 1,500 houses at 1920x1080 and one of 15,000 lifts at 3840x2160, in
// all three modes. Beside them, measured in the same runs, the floor: one
// fill of the whole window image, the least any paint of it costs.
//
//   korvix_bench_paint [--repeat N]
#include "bench/StructureGenerator.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/DrawCommand.h"
#include "layout/HeadlessTree.h"
#include "layout/LayoutJson.h"
#include "layout/StructureFileLoad.h"
#include "views/QPainterSurface.h"
#include "views/TableImage.h"
#include "views/TablePainter.h"

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
        std::printf("Median of %d runs, in ms; x: times the floor (one fill of the window image). A frame at 60 Hz\n"
                    "is 16.7 ms.\n\n",
                    repeat);
        std::printf("%7s %7s %11s  %-12s %7s %7s %7s %7s %6s %7s %7s %6s %7s\n", "lifts", "houses", "window",
                    "mode", "floor", "layout", "paint", "change", "x", "keep", "expose", "x", "tooltip");
        for (const Case &c : {Case{5000, 1500, 1920, 1080}, Case{15000, 4500, 3840, 2160}}) {
            CRoot root(nullptr, nullptr);
            ReadStructureBytes(root, GeneratePoint(c.lifts, c.houses, std::max(1, c.houses / 15)));
            HeadlessTree tree;
            tree.Fill(root);
            auto *point = static_cast<CPunct *>(root.m_Children.at(0).get());
            root.m_CurPunct = point;
            QImage window(c.width, c.height, QImage::Format_RGB32);
            TableImage table;
            for (LayoutMode mode : {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller}) {
                SetLayoutMode(*point, mode);
                std::vector<double> floor, layout, paint, change, keep, expose, tooltip;
                for (int i = 0; i < repeat; ++i) {
                    QElapsedTimer timer;
                    timer.start();
                    {
                        QPainter painter(&window);
                        painter.fillRect(window.rect(), Qt::white);
                    }
                    floor.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);

                    // Alternate between two sizes, as a drag of the splitter does.
                    const QSize size(c.width - (i % 2) * 7, c.height);
                    timer.restart();
                    point->RePlaseTab(size.width(), size.height());
                    table.Invalidate();
                    const double laidOut = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                    {
                        QPainter painter(&window);
                        QPainterSurface surface(painter);
                        if (!TablePainter::Paint(root, surface, size.width(), size.height()))
                            throw std::runtime_error("nothing painted");
                    }
                    const double total = static_cast<double>(timer.nsecsElapsed()) / 1e6;
                    layout.push_back(laidOut);
                    paint.push_back(total - laidOut);
                    change.push_back(total);

                    timer.restart();
                    table.Update(root, size, 1.0, 96);
                    keep.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);

                    timer.restart();
                    {
                        QPainter painter(&window);
                        table.Update(root, size, 1.0, 96);
                        table.Draw(painter, QRect(QPoint(0, 0), size));
                    }
                    expose.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);

                    timer.restart();
                    {
                        QPainter painter(&window);
                        table.Update(root, size, 1.0, 96);
                        table.Draw(painter, QRect(size.width() / 2, size.height() / 2, 300, 60));
                    }
                    tooltip.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                }
                const double base = Median(floor);
                std::printf("%7d %7d %5dx%-5d  %-12s %7.2f %7.2f %7.2f %7.2f %6.1f %7.2f %7.2f %6.1f %7.3f\n",
                            c.lifts, c.houses, c.width, c.height, qPrintable(LayoutModeName(mode)), base,
                            Median(layout), Median(paint), Median(change), Median(change) / base, Median(keep),
                            Median(expose), Median(expose) / base, Median(tooltip));
            }
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "korvix_bench_paint: %s\n", e.what());
        return 1;
    }
    return 0;
}
