#include "app/ConsolePresenter.h"

#include <QByteArray>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

void WriteConsoleLine(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // The console's code page is not the ANSI one: only wide output reads right.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        const QString line = text + u'\n';
        DWORD written = 0;
        WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(line.utf16()), static_cast<DWORD>(line.size()),
                      &written, nullptr);
        return;
    }
    const QByteArray line = text.toUtf8() + '\n';
#else
    const QByteArray line = text.toLocal8Bit() + '\n';
#endif
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stream);
    std::fflush(stream);
}

void ConsolePresenter::ShowMessageBox(const QString &text, Icon icon)
{
    if (m_Quiet)
        return;
    WriteConsoleLine(icon == Icon::Information ? m_Information : stderr, text);
}
