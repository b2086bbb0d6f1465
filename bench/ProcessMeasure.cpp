#include "bench/ProcessMeasure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

// Resident and peak resident memory of this process in KiB (Linux).
void ReadMemory(long &rssKiB, long &peakKiB)
{
    rssKiB = peakKiB = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            rssKiB = line.mid(6).trimmed().split(' ').first().toLong();
        else if (line.startsWith("VmHWM:"))
            peakKiB = line.mid(6).trimmed().split(' ').first().toLong();
    }
}

} // namespace

int ReportMeasurement(const std::function<void()> &work)
{
    // The work's peak is measured above what the process held before it.
    long startRss = 0, peakBefore = 0;
    ReadMemory(startRss, peakBefore);
    QElapsedTimer timer;
    timer.start();
    work();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    long rss = 0, peak = 0;
    ReadMemory(rss, peak);
    std::printf("%.6f %.3f\n", seconds, static_cast<double>(peak - startRss) / 1024.0);
    return 0;
}

Measurement MeasureInChild(const QStringList &arguments)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        throw std::runtime_error("a benchmark child failed: " + child.readAllStandardError().toStdString());
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        throw std::runtime_error("a benchmark child printed no measurement");
    return {fields[0].toDouble(), fields[1].toDouble()};
}

Measurement MedianOf(int runs, const QStringList &arguments)
{
    std::vector<Measurement> all;
    for (int i = 0; i < runs; ++i)
        all.push_back(MeasureInChild(arguments));
    std::sort(all.begin(), all.end(), [](const auto &a, const auto &b) { return a.seconds < b.seconds; });
    Measurement median = all[all.size() / 2];
    for (const auto &m : all)
        median.peakMiB = std::max(median.peakMiB, m.peakMiB);
    return median;
}
