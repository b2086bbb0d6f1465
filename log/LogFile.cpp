#include "log/LogFile.h"

#include "log/ErrorDescription.h"
#include "log/MessagePresenter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

QString LogPathIn(const QString &directory)
{
    if (directory.isEmpty())
        return {};
    return QDir(directory).filePath(QString::fromUtf16(LogFile::kFileName));
}

} // namespace

QString LogFile::DefaultDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString LogFile::DefaultFallbackDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

LogFile::LogFile(QString directory, QString fallbackDirectory, MessagePresenter *presenter)
    : m_Path(LogPathIn(directory))
    , m_FallbackPath(LogPathIn(fallbackDirectory))
    , m_pPresenter(presenter)
{
}

QString LogFile::FilePath() const
{
    return m_UseFallback ? m_FallbackPath : m_Path;
}

bool LogFile::AppendLine(const QString &path, const QByteArray &line) const
{
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    const bool written = file.write(line) == line.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

QString LogFile::OneLine(const QString &text)
{
    const auto isControl = [](QChar c) { return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F; };
    if (std::none_of(text.begin(), text.end(), isControl))
        return text;
    QString line;
    line.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (isControl(c))
            line += QStringLiteral("\\x%1").arg(static_cast<int>(c.unicode()), 2, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

bool LogFile::Write(const QString &text, bool showBox)
{
    const QString stamped =
        QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm:ss ")) + OneLine(text);
    const QByteArray line = stamped.toLocal8Bit() + '\n';
    if (!m_UseFallback && !AppendLine(m_Path, line) && !m_FallbackPath.isEmpty()) {
        // The executable's directory is not writable (an installed copy):
        // keep the log in the user's data directory from now on.
        QDir().mkpath(QFileInfo(m_FallbackPath).absolutePath());
        if (AppendLine(m_FallbackPath, line))
            m_UseFallback = true;
    } else if (m_UseFallback) {
        AppendLine(m_FallbackPath, line);
    }
    if (showBox && m_pPresenter)
        m_pPresenter->ShowMessageBox(text, MessagePresenter::Icon::Error);
    return true;
}

QString LogFile::ErrorLine(const QString &text, std::int32_t code, const QString &detail)
{
    // The thread's last error is a system error number, also where our own
    // layers use the same number for a code of theirs.
    const bool lastError = code == -1;
    if (lastError)
        code = LastSystemError();
    if (code == 0)
        return text;
    QString description = detail;
    if (description.isEmpty())
        description = lastError ? DescribeSystemError(code) : DescribeErrorCode(code);
    return text
        + QStringLiteral(": %1 (0x%2) - %3")
              .arg(code)
              .arg(QString::number(static_cast<std::uint32_t>(code), 16))
              .arg(description);
}

bool LogFile::WriteError(const QString &text, std::int32_t code, const QString &detail)
{
    return Write(ErrorLine(text, code, detail), true);
}
