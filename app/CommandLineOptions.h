#pragma once

#include "layout/DrawCommand.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// What the command line asks for.
struct CommandLineRequest
{
    enum class Mode { Window, Check, DumpLayout, Render, ListPoints, Help, Version };

    // How --check writes what it found: as lines (the default), as
    // FILE:LINE:COLUMN: lines for editors, or as one JSON document.
    enum class CheckFormat { Text, Gnu, Json };

    Mode mode = Mode::Window;
    QString file;       // the first of `files`
    QStringList files;  // --check reads each in turn; the other modes take one
    CheckFormat checkFormat = CheckFormat::Text;
    QString output; // the image --render writes
    QString point;
    LayoutMode layoutMode = LayoutMode::Streets;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int dpi = 96; // the screen --dump-layout and --render fit and paint for
    QString helpText;
    QString error; // a usage error, for standard error
};

CommandLineRequest ParseCommandLine(const QStringList &arguments);

// "WxH" with both numbers in 0..100000.
bool ParseSize(const QString &text, std::int32_t &width, std::int32_t &height);

// Screen resolutions --dpi accepts.
inline constexpr int kMinDpi = 24;
inline constexpr int kMaxDpi = 2400;
