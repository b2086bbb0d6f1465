#include "WideSpace.h"

#include <QChar>

QString TrimWide(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && IsWideSpace(text[end - 1].unicode()))
        --end;
    qsizetype begin = 0;
    while (begin < end && IsWideSpace(text[begin].unicode()))
        ++begin;
    if (begin == 0 && end == text.size())
        return text.toString();
    return text.mid(begin, end - begin).toString();
}

bool IsWideAlpha(char16_t c) noexcept
{
    return QChar(c).isLetter();
}
