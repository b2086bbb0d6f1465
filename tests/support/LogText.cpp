#include "tests/support/LogText.h"

#include "tests/support/TempDir.h"

#include <QRegularExpression>

QStringList LogTextsOf(const QString &path)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d "));
    QString text = QString::fromLocal8Bit(ReadAll(path));
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty())
        return {};
    QStringList texts;
    for (const QString &line : text.split(u'\n')) {
        const QRegularExpressionMatch match = stamp.match(line);
        texts.append(match.hasMatch() ? line.mid(match.capturedLength()) : line);
    }
    return texts;
}
