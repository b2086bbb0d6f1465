#include "model/WideSpace.h"

#include <QChar>

QStringView TrimmedView(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && IsWideSpace(text[end - 1].unicode()))
        --end;
    qsizetype begin = 0;
    while (begin < end && IsWideSpace(text[begin].unicode()))
        ++begin;
    return text.sliced(begin, end - begin);
}

QString TrimWide(QStringView text)
{
    return TrimmedView(text).toString();
}

QString TrimWide(QString &&text)
{
    const qsizetype n = text.size();
    if (n == 0 || (!IsWideSpace(text[0].unicode()) && !IsWideSpace(text[n - 1].unicode())))
        return std::move(text);
    return TrimWide(QStringView(text));
}

QString TrimWide(const QString &text)
{
    return TrimWide(QString(text));
}

bool IsWideAlpha(char16_t c) noexcept
{
    return QChar(c).isLetter();
}
