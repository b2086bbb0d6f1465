#include "app/RenderCommand.h"

#include "app/CommandLineModes.h"
#include "app/CommandLineOptions.h"
#include "app/ConsolePresenter.h"
#include "app/HeadlessSession.h"
#include "layout/CPunct.h"
#include "model/ResString.h"
#include "views/QPainterSurface.h"
#include "views/TableImage.h"
#include "views/TablePainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPalette>

#include <algorithm>

QImage ImageAtDpi(int width, int height, int dpi)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    SetLogicalDpi(image, dpi);
    return image;
}

void FitLabelsAtDpi(CPunct &point, std::int32_t width, std::int32_t height, int dpi)
{
    // Painted into a single pixel: the fitting measures text, the pixels are not needed.
    QImage image = ImageAtDpi(1, 1, dpi);
    QPainter painter(&image);
    QPainterSurface surface(painter);
    TablePainter::PaintPoint(point, surface, width, height);
}

int RunRender(const CommandLineRequest &request, const QStringList &arguments)
{
    HeadlessSession session(arguments, stderr);
    int exitCode = 0;
    CPunct *point = LayOutRequestedPoint(session, request, exitCode);
    if (!point)
        return exitCode;

    QImage image = ImageAtDpi(request.width, request.height, request.dpi);
    // What the window shows where nothing is drawn.
    image.fill(QGuiApplication::palette().color(QPalette::Base));
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        TablePainter::PaintPoint(*point, surface, request.width, request.height);
    }
    QImageWriter writer(request.output, "png");
    if (!writer.write(image)) {
        WriteConsoleLine(stderr, LoadResString(TextId::ImageNotWritten)
                                     .arg(QDir::toNativeSeparators(request.output), writer.errorString()));
        return 1;
    }
    return 0;
}
