#include "views/ChosenColours.h"

#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"

namespace {

QString StreetKey(const QString &point, const QString &street)
{
    return point + QChar(0) + street;
}

} // namespace

void ChosenColours::PointChosen(const CPunct &point)
{
    m_Points.insert(point.m_Name, point.FonGrp);
}

void ChosenColours::StreetChosen(const CStreet &street)
{
    if (street.m_pParent)
        m_Streets.insert(StreetKey(street.m_pParent->m_Name, street.m_Name), street.m_Color);
}

void ChosenColours::ApplyTo(CRoot &root) const
{
    for (CPunct *point : ChildrenAs<CPunct>(root)) {
        if (const auto found = m_Points.constFind(point->m_Name); found != m_Points.cend())
            point->FonGrp = *found;
        if (m_Streets.isEmpty())
            continue;
        for (CStreet *street : ChildrenAs<CStreet>(*point)) {
            if (const auto found = m_Streets.constFind(StreetKey(point->m_Name, street->m_Name)); found != m_Streets.cend())
                street->m_Color = *found;
        }
    }
}

void ChosenColours::Clear()
{
    m_Points.clear();
    m_Streets.clear();
}
