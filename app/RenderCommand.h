#pragma once

#include <QStringList>

struct CommandLineRequest;

// korvix --render OUT.png ...: everything --dump-layout does, then the table
// painted into an image of the requested size and saved. Needs no display.
// 0 when saved, 1 when the file is not read or the image not written, 2 for
// an unknown point.
int RunRender(const CommandLineRequest &request, const QStringList &arguments);
