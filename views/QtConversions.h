#pragma once

#include "model/Geometry.h"

#include <QColor>
#include <QRect>

// The layout's rectangles and colours as Qt takes them.
inline QRect ToQRect(const Rect &r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

inline QColor ToQColor(Colour c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
