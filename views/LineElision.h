#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// Where a line may be cut: the grapheme boundary at or before position `i`,
// so that a surrogate pair, a letter and its accent or a joined emoji stay
// whole.
qsizetype GraphemeBoundaryAtOrBefore(const QString &text, qsizetype i);

// The ellipsis that ends a cut line.
inline constexpr QChar kEllipsis = QChar(0x2026);

// What is shown of a line in `width` pixels: the line itself when it fits;
// otherwise its longest start, cut at a grapheme boundary and without white
// space at its end, followed by the ellipsis (the ellipsis alone when nothing
// else fits).
QString ElideAtEnd(const QString &text, int width, const std::function<int(QStringView)> &measure);
