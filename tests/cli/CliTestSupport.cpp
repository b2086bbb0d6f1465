#include "tests/cli/CliTestSupport.h"

#include <QProcess>

namespace {

QStringList Lines(const QByteArray &bytes)
{
    QString text = QString::fromLocal8Bit(bytes);
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

} // namespace

QStringList KorvixRun::OutLines() const
{
    return Lines(out);
}

QStringList KorvixRun::ErrLines() const
{
    return Lines(err);
}

QProcessEnvironment KorvixEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

KorvixRun RunKorvix(const QStringList &arguments, const QString &workingDirectory,
                    const QProcessEnvironment &environment, const QString &program)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(program.isEmpty() ? QStringLiteral(KORVIX_EXECUTABLE) : program, arguments);
    KorvixRun run;
    // A guard against a hang, not a measure: a run takes well under a second.
    run.finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished)
        process.kill();
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString LayoutsFixture()
{
    return QStringLiteral(KORVIX_FIXTURES_DIR "/cli/layouts.xml");
}

QString ExampleFile()
{
    return QStringLiteral(KORVIX_EXAMPLES_DIR "/moskva-sever.xml");
}
