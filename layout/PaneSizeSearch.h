#pragma once

#include "model/Geometry.h"

#include <optional>

class CPunct;

// The smallest pane of the same proportions as width x height in which the
// point's layout (in its mode) succeeds, found by bisection on the scale;
// nothing when not even 64 times the size does. Writes nothing to the log
// and leaves the point laid out for width x height again, as it was.
std::optional<Size> SmallestPaneFor(CPunct &point, std::int32_t width, std::int32_t height);
