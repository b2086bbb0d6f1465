#include "layout/StructureFinder.h"

#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "model/NodeKind.h"

#include <algorithm>

void StructureFinder::Reset(const CRoot &root)
{
    m_Order.clear();
    m_Order.reserve(root.m_Lifts.size() * 5 / 4 + root.m_Children.size());
    for (const auto &point : root.m_Children) {
        m_Order.push_back(point.get());
        for (const auto &street : point->m_Children) {
            m_Order.push_back(street.get());
            for (const auto &home : street->m_Children) {
                m_Order.push_back(home.get());
                for (const auto &lift : home->m_Children)
                    m_Order.push_back(lift.get());
            }
        }
    }
}

namespace {

// A GUID is looked for as its digits, so that its braced form (as the file
// writes it) and a part of it with or without hyphens are found alike.
QString GuidDigitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c == u'{' || c == u'}' || c == u'-')
            continue;
        const char16_t lower = c.toLower().unicode();
        if (!((lower >= u'0' && lower <= u'9') || (lower >= u'a' && lower <= u'f')))
            return {};
        digits.append(c);
    }
    return digits;
}

bool Matches(const CNodeB &node, const QString &text, const QString &guidDigits)
{
    if (node.m_Name.contains(text, Qt::CaseInsensitive))
        return true;
    if (node.GetKind() != NodeKind::Lift)
        return false;
    const auto &lift = static_cast<const CLiftB &>(node);
    return lift.ID.contains(text, Qt::CaseInsensitive) ||
           (!guidDigits.isEmpty() && !lift.GUID.IsNull() &&
            GuidToText(lift.GUID).contains(guidDigits, Qt::CaseInsensitive));
}

} // namespace

StructureFinder::Found StructureFinder::Next(const QString &text, const CNodeB *from, bool forward) const
{
    const auto count = static_cast<std::ptrdiff_t>(m_Order.size());
    if (text.isEmpty() || count == 0)
        return {};
    const QString guidDigits = GuidDigitsOf(text);
    const auto at = std::find(m_Order.begin(), m_Order.end(), from);
    // Without a start the search begins just outside the list.
    const std::ptrdiff_t start = at == m_Order.end() ? (forward ? -1 : count) : at - m_Order.begin();
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        std::ptrdiff_t index = forward ? start + step : start - step;
        const bool wrapped = index >= count || index < 0;
        index = ((index % count) + count) % count;
        if (Matches(*m_Order[static_cast<std::size_t>(index)], text, guidDigits))
            return {m_Order[static_cast<std::size_t>(index)], wrapped};
    }
    return {};
}
