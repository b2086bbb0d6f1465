#include "views/LineElision.h"

#include "model/WideSpace.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// Whether a cut before `i` may fall inside a character as the reader sees
// it: the second half of a surrogate pair, a combining mark, or what follows
// a joiner. Only then is the costlier boundary search needed.
bool MayBeInsideACluster(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    return c.isLowSurrogate() || c.isMark() || c.unicode() == 0x200D || text[i - 1].unicode() == 0x200D;
}

} // namespace

qsizetype GraphemeBoundaryAtOrBefore(const QString &text, qsizetype i)
{
    if (i <= 0 || i >= text.size() || !MayBeInsideACluster(text, i))
        return i;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(i);
    if (finder.isAtBoundary())
        return i;
    return std::max<qsizetype>(finder.toPreviousBoundary(), 0);
}

QString ElideAtEnd(const QString &text, int width, const std::function<int(QStringView)> &measure)
{
    if (measure(text) <= width)
        return text;
    const int room = width - measure(QStringView(&kEllipsis, 1));
    // The longest start that leaves room for the ellipsis; widths grow with
    // the length, so a binary search finds it.
    qsizetype fits = 0;
    qsizetype tooLong = text.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (measure(QStringView(text).first(middle)) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    qsizetype cut = GraphemeBoundaryAtOrBefore(text, fits);
    while (cut > 0 && IsWideSpace(text[cut - 1].unicode()))
        --cut;
    return text.first(cut) + kEllipsis;
}
