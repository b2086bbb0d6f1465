#include "layout/LayoutJson.h"

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CStreet.h"

#include <QJsonArray>

namespace {

QJsonArray RectJson(const Rect &r)
{
    return QJsonArray{r.left, r.top, r.right, r.bottom};
}

QJsonObject LiftJson(const CLift &lift)
{
    return QJsonObject{{QStringLiteral("name"), lift.m_Name},
                       {QStringLiteral("id"), lift.ID},
                       {QStringLiteral("tile"), RectJson(lift.m_Rect)}};
}

QString ProviderKindName(ProviderKind kind)
{
    switch (kind) {
    case ProviderKind::Controller:
        return QStringLiteral("controller");
    case ProviderKind::Pro:
        return QStringLiteral("pro");
    case ProviderKind::Direct:
        return QStringLiteral("direct");
    }
    return {};
}

QJsonArray StreetsJson(CPunct &point)
{
    QJsonArray streets;
    for (CStreet *street : ChildrenAs<CStreet>(point)) {
        bool gap = false;
        const std::int32_t width = street->GetTileWidth(gap);
        if (width <= 0)
            continue;
        QJsonArray houses;
        for (CHome *home : ChildrenAs<CHome>(*street)) {
            if (home->m_Children.empty())
                continue;
            QJsonArray lifts;
            for (CLift *lift : ChildrenAs<CLift>(*home))
                lifts.append(LiftJson(*lift));
            QJsonObject house{{QStringLiteral("name"), home->m_Name},
                              {QStringLiteral("label"), home->m_Label},
                              {QStringLiteral("cell"), RectJson(home->m_Rect)},
                              {QStringLiteral("lifts"), lifts}};
            // Once fitted: the label's one or two lines (drawn cut when wider than the cell).
            if (!home->m_Line1.isEmpty()) {
                QJsonArray lines{home->m_Line1};
                if (!home->m_Line2.isEmpty())
                    lines.append(home->m_Line2);
                house.insert(QStringLiteral("lines"), lines);
            }
            houses.append(house);
        }
        streets.append(QJsonObject{{QStringLiteral("name"), street->m_Name},
                                   {QStringLiteral("label"), street->m_Label},
                                   {QStringLiteral("width"), width},
                                   {QStringLiteral("gap"), gap},
                                   {QStringLiteral("caption"), RectJson(street->m_RectName)},
                                   {QStringLiteral("frame"), RectJson(street->m_RectFrame)},
                                   {QStringLiteral("houses"), houses}});
    }
    return streets;
}

QJsonArray ProvidersJson(const CPunct &point)
{
    QJsonArray providers;
    for (const auto &[key, provider] : point.m_AllProvider.m_Providers) {
        QJsonArray lifts;
        for (const CLift *lift : provider->m_Lifts)
            lifts.append(LiftJson(*lift));
        providers.append(QJsonObject{{QStringLiteral("caption_text"), provider->GetName()},
                                     {QStringLiteral("kind"), ProviderKindName(provider->m_Kind)},
                                     {QStringLiteral("caption"), RectJson(provider->m_RectName)},
                                     {QStringLiteral("frame"), RectJson(provider->m_RectFrame)},
                                     {QStringLiteral("lifts"), lifts}});
    }
    return providers;
}

} // namespace

QString LayoutModeName(LayoutMode mode)
{
    switch (mode) {
    case LayoutMode::Streets:
        return QStringLiteral("streets");
    case LayoutMode::TwoColumns:
        return QStringLiteral("two-columns");
    case LayoutMode::Controller:
        return QStringLiteral("controller");
    }
    return {};
}

std::optional<LayoutMode> LayoutModeFromName(QStringView name)
{
    for (LayoutMode mode : {LayoutMode::Streets, LayoutMode::TwoColumns, LayoutMode::Controller}) {
        if (name == LayoutModeName(mode))
            return mode;
    }
    return std::nullopt;
}

QJsonObject LayoutToJson(CPunct &point, std::int32_t width, std::int32_t height)
{
    const LayoutMode mode = CurrentLayoutMode(point);
    const bool byController = mode == LayoutMode::Controller;
    const TileGrid &grid = byController ? static_cast<const TileGrid &>(point.m_AllProvider)
                                        : static_cast<const TileGrid &>(point);
    return QJsonObject{
        {QStringLiteral("point"), point.m_Name},
        {QStringLiteral("mode"), LayoutModeName(mode)},
        {QStringLiteral("width"), width},
        {QStringLiteral("height"), height},
        {QStringLiteral("valid"), point.m_Valid},
        {QStringLiteral("tile"), QJsonArray{point.m_SizeLiftTab.cx, point.m_SizeLiftTab.cy}},
        {QStringLiteral("cols"), grid.m_TotalCol},
        {QStringLiteral("rows"), grid.m_TotalRow},
        {QStringLiteral("streets"), byController ? QJsonArray() : StreetsJson(point)},
        {QStringLiteral("providers"), byController ? ProvidersJson(point) : QJsonArray()},
    };
}
