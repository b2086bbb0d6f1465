#include "app/CommandLineModes.h"
#include "app/CommandLineOptions.h"
#include "app/ConsolePresenter.h"
#include "app/RenderCommand.h"
#include "generated/KorvixVersion.h"
#include "model/ResString.h"
#include "shell/CKorvixApp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#include <memory>
#include <new>

namespace {

QStringList RawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

bool HasDisplay()
{
#ifdef Q_OS_LINUX
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        || qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

// Without a session there is no runtime directory; give the offscreen
// platform a private one rather than let it warn on standard error.
void EnsureRuntimeDirectory()
{
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        return;
    const QString path = QDir::temp().filePath(QStringLiteral("korvix-runtime-%1").arg(getuid()));
    QDir().mkpath(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QFileInfo info(path);
    if (info.isDir() && info.ownerId() == getuid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
#endif
}

} // namespace

namespace {

int Run(int argc, char *argv[]);

} // namespace

// Every mode ends with its own errors; memory that runs out where none of
// them catches it still ends in a message and status 1, never an abort.
int main(int argc, char *argv[])
{
    // Looked up before the run: once memory has run out, it could not be.
    const QByteArray outOfMemory = LoadResString(TextId::OutOfMemoryQuitting).toUtf8();
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fputs(outOfMemory.constData(), stderr);
        return 1;
    }
}

namespace {

int Run(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QCoreApplication::setApplicationName(QStringLiteral("Korvix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVIX_VERSION));

    // The mode decides which application object to make; the options are
    // ASCII, so the bytes of argv tell it. Once the application exists, its
    // own decoding of the arguments (right for any file name on any
    // platform) is what is used.
    CommandLineRequest request = ParseCommandLine(RawArguments(argc, argv));
    if (!request.error.isEmpty()) {
        WriteConsoleLine(stderr, request.error);
        WriteConsoleLine(stderr, LoadResString(TextId::HelpHint));
        return 2;
    }
    switch (request.mode) {
    case CommandLineRequest::Mode::Help:
        WriteConsoleLine(stdout, request.helpText.trimmed());
        return 0;
    case CommandLineRequest::Mode::Version:
        WriteConsoleLine(stdout, QStringLiteral("Korvix " KORVIX_VERSION));
        return 0;
    case CommandLineRequest::Mode::Check:
    case CommandLineRequest::Mode::ListPoints: {
        QCoreApplication app(argc, argv);
        const QStringList arguments = QCoreApplication::arguments();
        request = ParseCommandLine(arguments);
        if (request.mode == CommandLineRequest::Mode::Check)
            return RunCheck(request, arguments);
        return RunListPoints(request, arguments);
    }
    case CommandLineRequest::Mode::DumpLayout:
    case CommandLineRequest::Mode::Render: {
        // Fitting and painting labels need fonts, not a screen.
        if (!HasDisplay()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            EnsureRuntimeDirectory();
        }
        QGuiApplication app(argc, argv);
        request = ParseCommandLine(QCoreApplication::arguments());
        if (request.mode == CommandLineRequest::Mode::DumpLayout)
            return RunDumpLayout(request, QCoreApplication::arguments());
        return RunRender(request, QCoreApplication::arguments());
    }
    case CommandLineRequest::Mode::Window:
        break;
    }
    if (!HasDisplay()) {
        WriteConsoleLine(stderr, LoadResString(TextId::NoDisplayForWindow));
        return 1;
    }
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    request = ParseCommandLine(arguments);
    CKorvixApp korvix(application, {});
    return korvix.Run(arguments, request.file);
}

} // namespace
