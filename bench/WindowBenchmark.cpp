// The window's own costs on a large structure (35,000 lifts by default):
// start-up with the file, opening another (small) file after it, and the end
// of the run with it loaded, a point drawn and its branch open (closing the
// window, then the shutdown). Side by side in one run, since only the ratio
// of ending to opening another file means anything on a shared machine.
// Then the find bar's steps on the same file: the first (which lists the
// structure), one to the last lift, and one that finds nothing (by name and
// ID, and by GUID digits as well).
//
//   korvix_bench_window [--runs N]
#include "bench/StructureGenerator.h"
#include "log/MessagePresenter.h"
#include "shell/CKorvixApp.h"
#include "shell/CMainFrame.h"
#include "views/CommandId.h"
#include "views/CStructView.h"
#include "views/FindBar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Messages of the generated file are counted, never shown.
class SilentPresenter : public MessagePresenter
{
public:
    void ShowMessageBox(const QString &, Icon) override { ++m_Count; }
    int m_Count = 0;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MillisecondsOf(QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

struct Run
{
    double start = 0;
    double openOther = 0;
    double close = 0;
    double exit = 0;
    double findFirst = 0;
    double findLast = 0;
    double findNothing = 0;
    double findNoGuid = 0;
};

// One step of the find bar from the top of the tree, as F3 takes it.
double FindStep(CMainFrame &frame, const QString &text)
{
    CStructView &tree = *frame.StructView();
    tree.setCurrentItem(tree.topLevelItem(0));
    frame.Find()->Field()->setText(text);
    QAction *next = frame.findChild<QAction *>(QStringLiteral("findNext"));
    QElapsedTimer timer;
    timer.start();
    next->trigger();
    return MillisecondsOf(timer);
}

Run MeasureOnce(const QTemporaryDir &dir, const QString &big, const QString &small)
{
    SilentPresenter presenter;
    CKorvixApp::Options options;
    options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    options.logDirectory = dir.path();
    options.logFallbackDirectory = dir.path();
    options.presenter = &presenter;
    Run run;
    QElapsedTimer timer;
    auto app = std::make_unique<CKorvixApp>(*qApp, options);

    timer.start();
    app->InitInstance({QStringLiteral("korvix"), big});
    Settle();
    run.start = MillisecondsOf(timer);

    timer.start();
    app->MainFrame()->OpenFile(small);
    Settle();
    run.openOther = MillisecondsOf(timer);

    app->MainFrame()->OpenFile(big);
    Settle();
    // As a user leaves it: a point drawn, its branch of the tree open.
    CStructView &tree = *app->MainFrame()->StructView();
    tree.setCurrentItem(tree.topLevelItem(0));
    tree.RunCommand(CommandId::DrawByStreets);
    tree.expandRecursively(tree.model()->index(0, 0));
    Settle();

    CMainFrame &frame = *app->MainFrame();
    run.findFirst = FindStep(frame, QStringLiteral("д.7"));
    run.findLast = FindStep(frame, QStringLiteral("44999"));
    run.findNothing = FindStep(frame, QStringLiteral("нет такого"));
    run.findNoGuid = FindStep(frame, QStringLiteral("FFFFFFFFFF"));
    Settle();

    // File > Exit: the window closes, the event loop returns, the shutdown runs.
    timer.start();
    app->MainFrame()->close();
    Settle();
    run.close = MillisecondsOf(timer);
    timer.start();
    app.reset();
    run.exit = MillisecondsOf(timer);
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int runs = 5;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QStringLiteral("--runs"))
            runs = std::max(1, args[i + 1].toInt());

    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.xml"));
    const QString small = dir.filePath(QStringLiteral("small.xml"));
    for (const auto &[path, bytes] : {std::pair{big, GenerateStructure(GeneratorShape{})},
                                      std::pair{small, GenerateStructure(GeneratorShape{1, 2, 2, 2, 1, 1, 0.5})}}) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }

    std::vector<double> start, openOther, close, exit, ratio, findFirst, findLast, findNothing, findNoGuid;
    for (int i = 0; i < runs; ++i) {
        const Run run = MeasureOnce(dir, big, small);
        start.push_back(run.start);
        openOther.push_back(run.openOther);
        close.push_back(run.close);
        exit.push_back(run.exit);
        ratio.push_back((run.close + run.exit) / run.openOther);
        findFirst.push_back(run.findFirst);
        findLast.push_back(run.findLast);
        findNothing.push_back(run.findNothing);
        findNoGuid.push_back(run.findNoGuid);
    }
    std::printf("35,000 lifts, median of %d runs (ms)\n", runs);
    std::printf("%-12s %-14s %-10s %-10s %-18s\n", "start", "open another", "close", "shutdown",
                "end / open another");
    std::printf("%-12.1f %-14.1f %-10.1f %-10.1f %-18.2f\n", Median(start), Median(openOther), Median(close),
                Median(exit), Median(ratio));
    std::printf("\nfind, one step from the top of the tree (ms)\n");
    std::printf("%-14s %-14s %-18s %-18s\n", "first step", "to last lift", "nothing (name)", "nothing (GUID)");
    std::printf("%-14.1f %-14.1f %-18.1f %-18.1f\n", Median(findFirst), Median(findLast), Median(findNothing),
                Median(findNoGuid));
    return 0;
}
