#include "ConsolePresenter.h"

#include <QByteArray>

void WriteConsoleLine(std::FILE *stream, const QString &text)
{
    const QByteArray line = text.toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stream);
    std::fflush(stream);
}

void ConsolePresenter::ShowMessageBox(const QString &text, Icon icon)
{
    WriteConsoleLine(icon == Icon::Information ? m_Information : stderr, text);
}
