#pragma once

#include "layout/DrawCommand.h"

#include <QJsonObject>
#include <QString>

#include <cstdint>
#include <optional>

class CPunct;

// The names of the layout modes on the command line and in the JSON.
QString LayoutModeName(LayoutMode mode);
std::optional<LayoutMode> LayoutModeFromName(QStringView name);

// The last layout of a point as JSON: tile size and grid, and every placed
// street (with houses and lifts) or every controller group with its
// rectangles [left, top, right, bottom].
QJsonObject LayoutToJson(CPunct &point, std::int32_t width, std::int32_t height);
