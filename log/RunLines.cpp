#include "RunLines.h"

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

} // namespace

QString ShellQuotedCommandLine(const QStringList &arguments)
{
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString &argument : arguments) {
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

QString StartLine(const QString &version, const QStringList &arguments)
{
    return QStringLiteral("Start v") + version + u' ' + ShellQuotedCommandLine(arguments);
}

QString StopLine()
{
    return QStringLiteral("Stop");
}
