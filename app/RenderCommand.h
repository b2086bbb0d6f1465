#pragma once

#include <QStringList>

#include <QImage>

class CPunct;
struct CommandLineRequest;

// korvix --render OUT.png ...: everything --dump-layout does, then the table
// painted into an image of the requested size and saved. Needs no display.
// 0 when saved, 1 when the file is not read or the image not written, 2 for
// an unknown point.
int RunRender(const CommandLineRequest &request, const QStringList &arguments);

// An image whose logical resolution is `dpi`: painted on, it chooses and
// measures the table's fonts as a window on such a screen does.
QImage ImageAtDpi(int width, int height, int dpi);

// The house labels fitted, as the first paint after a layout fits them on a
// screen of `dpi`, without keeping the picture.
void FitLabelsAtDpi(CPunct &point, std::int32_t width, std::int32_t height, int dpi);
