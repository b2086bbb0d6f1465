#include "views/HomeLabelFitting.h"

#include "layout/CHome.h"
#include "model/WideSpace.h"
#include "views/DrawingSurface.h"
#include "views/LineElision.h"

namespace {

enum class CharClass { Digit, Letter, Other };

CharClass ClassAt(const QString &text, qsizetype i)
{
    if (i < 0 || i >= text.size())
        return CharClass::Other;
    const char16_t c = text[i].unicode();
    if (IsWideDigit(c))
        return CharClass::Digit;
    if (IsWideAlpha(c))
        return CharClass::Letter;
    return CharClass::Other;
}

} // namespace

void FitHomeLabel(CHome &home, DrawingSurface &surface)
{
    const int cellWidth = home.m_Rect.right - home.m_Rect.left;
    const QString &label = home.m_Label;
    const qsizetype n = label.size();
    if (surface.TextWidth(label) <= cellWidth) {
        home.m_Line1 = label;
        home.m_Line2.clear();
        home.m_Line2Over = false;
        return;
    }
    qsizetype t = 3;
    while (t < n && surface.TextWidth(TrimmedView(QStringView(label).first(t))) <= cellWidth)
        ++t;

    qsizetype u = t - 1;
    const CharClass last = ClassAt(label, u - 1);
    const CharClass beforeLast = ClassAt(label, u - 2);
    if (last == CharClass::Digit && beforeLast != CharClass::Digit)
        --u;
    else if (last == CharClass::Letter && beforeLast != CharClass::Letter)
        --u;
    // Never half a character: an emoji or a letter with its accent stays whole.
    u = GraphemeBoundaryAtOrBefore(label, std::min(u, n));

    home.m_Line1 = TrimWide(QStringView(label).first(std::min(u, n)));
    home.m_Line2 = u < n ? TrimWide(QStringView(label).sliced(u)) : QString();
    home.m_Line2Over = surface.TextWidth(home.m_Line2) > cellWidth;
}
