#include "log/RunLines.h"

#include "generated/KorvixVersion.h"

namespace {

bool NeedsQuotes(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    for (QChar c : argument) {
        const char16_t u = c.unicode();
        const bool safe = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
            || u == u'-' || u == u'_' || u == u'.' || u == u'/' || u == u',' || u == u':' || u == u'='
            || u == u'+' || u == u'@' || u == u'%' || u >= 0x80;
        if (!safe)
            return true;
    }
    return false;
}

bool HasControlCharacters(const QString &argument)
{
    for (QChar c : argument)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

// $'...' with escapes, so that the start line stays one line.
QString AnsiCQuoted(const QString &argument)
{
    QString text = QStringLiteral("$'");
    for (QChar c : argument) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'\'')
            text += u'\\' + QString(c);
        else if (u == u'\n')
            text += QStringLiteral("\\n");
        else if (u == u'\t')
            text += QStringLiteral("\\t");
        else if (u == u'\r')
            text += QStringLiteral("\\r");
        else if (u < 0x20 || u == 0x7F)
            text += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text + u'\'';
}

} // namespace

QString ShellQuotedCommandLine(const QStringList &arguments)
{
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString &argument : arguments) {
        if (HasControlCharacters(argument)) {
            quoted.append(AnsiCQuoted(argument));
            continue;
        }
        if (!NeedsQuotes(argument)) {
            quoted.append(argument);
            continue;
        }
        QString text = argument;
        text.replace(u'\'', QStringLiteral("'\\''"));
        quoted.append(u'\'' + text + u'\'');
    }
    return quoted.join(u' ');
}

std::array<std::uint16_t, 4> BuildVersion()
{
    return {KORVIX_VERSION_MAJOR, KORVIX_VERSION_MINOR, KORVIX_VERSION_PATCH, KORVIX_VERSION_TWEAK};
}

QString VersionText(const std::array<std::uint16_t, 4> &version)
{
    return QStringLiteral("%1.%2.%3.%4").arg(version[0]).arg(version[1]).arg(version[2]).arg(version[3]);
}

QString StartLine(const std::array<std::uint16_t, 4> &version, const QStringList &arguments)
{
    return StartLine(VersionText(version), arguments);
}

QString StartLine(const QString &version, const QStringList &arguments)
{
    return QStringLiteral("Start v") + version + u' ' + ShellQuotedCommandLine(arguments);
}

QString StopLine()
{
    return QStringLiteral("Stop");
}
