#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One measured run in a child process of its own, so that every run starts
// from a fresh heap and its peak memory is its own.
struct Measurement
{
    double seconds = 0;     // the work alone, without process start-up
    double peakMiB = 0;     // peak resident memory of the work (above the start)
};

// Runs this executable again with `arguments` and reads back the measurement
// it prints (see ReportMeasurement).
Measurement MeasureInChild(const QStringList &arguments);

// In the child: runs the work and prints its measurement on standard output.
int ReportMeasurement(const std::function<void()> &work);

// The median of `runs` child measurements (time) and the largest peak.
Measurement MedianOf(int runs, const QStringList &arguments);
