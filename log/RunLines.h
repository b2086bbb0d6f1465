#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The build's product version: major, minor, build, revision.
std::array<std::uint16_t, 4> BuildVersion();
// "1.0.0.1".
QString VersionText(const std::array<std::uint16_t, 4> &version);

// The first log line of every run: "Start v<version> <command line>".
QString StartLine(const QString &version, const QStringList &arguments);
QString StartLine(const std::array<std::uint16_t, 4> &version, const QStringList &arguments);
// The last one.
QString StopLine();

// The arguments joined as a POSIX shell would need them quoted.
QString ShellQuotedCommandLine(const QStringList &arguments);
