#include "CommandLineModes.h"
#include "CommandLineOptions.h"
#include "ConsolePresenter.h"
#include "KorvixVersion.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Korvix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVIX_VERSION));

    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const CommandLineRequest request = ParseCommandLine(arguments);
    if (!request.error.isEmpty()) {
        WriteConsoleLine(stderr, request.error);
        WriteConsoleLine(stderr, QStringLiteral("Справка: korvix --help"));
        return 2;
    }
    switch (request.mode) {
    case CommandLineRequest::Mode::Help:
        std::fputs(request.helpText.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLineRequest::Mode::Version:
        WriteConsoleLine(stdout, QStringLiteral("Korvix " KORVIX_VERSION));
        return 0;
    case CommandLineRequest::Mode::Check:
        return RunCheck(request, arguments);
    case CommandLineRequest::Mode::DumpLayout:
        return RunDumpLayout(request, arguments);
    case CommandLineRequest::Mode::Window:
        WriteConsoleLine(stderr, QStringLiteral("Укажите режим: --check или --dump-layout (korvix --help)."));
        return 2;
    }
    return 2;
}
