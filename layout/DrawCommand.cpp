#include "layout/DrawCommand.h"

#include "layout/CPunct.h"

void SetLayoutMode(CPunct &point, LayoutMode mode)
{
    switch (mode) {
    case LayoutMode::Streets:
        point.m_ByProvider = false;
        point.m_TwoCol = false;
        break;
    case LayoutMode::TwoColumns:
        point.m_ByProvider = false;
        point.m_TwoCol = true;
        break;
    case LayoutMode::Controller:
        point.m_AllProvider.FillProviders(point);
        point.m_ByProvider = true;
        point.m_TwoCol = false;
        break;
    }
}

LayoutMode CurrentLayoutMode(const CPunct &point)
{
    if (point.m_ByProvider)
        return LayoutMode::Controller;
    return point.m_TwoCol ? LayoutMode::TwoColumns : LayoutMode::Streets;
}
