#include "app/CheckReport.h"

#include "model/ResString.h"

#include <QJsonArray>

namespace {

QString GnuLine(const QString &file, const XmlPosition &position, const char *severity, const QString &text)
{
    const QString place = position.line == 0 ? file : QStringLiteral("%1:%2:%3").arg(file).arg(position.line).arg(position.column);
    return QStringLiteral("%1: %2: %3").arg(place, QLatin1String(severity), text);
}

QJsonObject Entry(const char *severity, const XmlPosition &position, const QString &text)
{
    return QJsonObject{{QStringLiteral("severity"), QLatin1String(severity)},
                       {QStringLiteral("line"), static_cast<qint64>(position.line)},
                       {QStringLiteral("column"), static_cast<qint64>(position.column)},
                       {QStringLiteral("text"), text}};
}

} // namespace

QStringList GnuLines(const CheckedFile &checked)
{
    QStringList lines;
    for (const StructureMessage &message : checked.messages)
        lines.append(GnuLine(checked.file, message.position, "warning", message.text));
    if (checked.messageCount > checked.messages.size()) {
        lines.append(GnuLine(checked.file, {}, "note",
                             LoadResString(TextId::CheckMessagesNotShown).arg(checked.messageCount - checked.messages.size())));
    }
    if (checked.failed)
        lines.append(GnuLine(checked.file, checked.errorPosition, "error", checked.errorText));
    return lines;
}

QJsonObject CheckedFileJson(const CheckedFile &checked)
{
    QJsonArray messages;
    for (const StructureMessage &message : checked.messages) {
        QJsonObject entry = Entry("warning", message.position, message.text);
        entry.insert(QStringLiteral("path"), QJsonArray::fromStringList(message.path));
        messages.append(entry);
    }
    return QJsonObject{
        {QStringLiteral("file"), checked.file},
        {QStringLiteral("read"), checked.read},
        {QStringLiteral("messages"), messages},
        {QStringLiteral("messageCount"), static_cast<qint64>(checked.messageCount)},
        {QStringLiteral("error"),
         checked.failed ? QJsonValue(Entry("error", checked.errorPosition, checked.errorText)) : QJsonValue()},
    };
}
