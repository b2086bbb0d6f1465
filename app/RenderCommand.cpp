#include "RenderCommand.h"

#include "CPunct.h"
#include "CommandLineModes.h"
#include "CommandLineOptions.h"
#include "ConsolePresenter.h"
#include "HeadlessSession.h"
#include "QPainterSurface.h"
#include "TablePainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPalette>

int RunRender(const CommandLineRequest &request, const QStringList &arguments)
{
    HeadlessSession session(arguments, stderr);
    int exitCode = 0;
    CPunct *point = LayOutRequestedPoint(session, request, exitCode);
    if (!point)
        return exitCode;

    QImage image(std::max(1, request.width), std::max(1, request.height), QImage::Format_RGB32);
    // What the window shows where nothing is drawn.
    image.fill(QGuiApplication::palette().color(QPalette::Base));
    {
        QPainter painter(&image);
        QPainterSurface surface(painter);
        TablePainter::PaintPoint(*point, surface, request.width, request.height);
    }
    QImageWriter writer(request.output, "png");
    if (!writer.write(image)) {
        WriteConsoleLine(stderr, QStringLiteral("Не удалось записать изображение «%1»: %2.")
                                     .arg(QDir::toNativeSeparators(request.output), writer.errorString()));
        return 1;
    }
    return 0;
}
