#pragma once

class CPunct;

// The three ways of drawing a dispatch point, by their command ids.
enum class LayoutMode {
    Streets = 101,     // by streets in one column
    TwoColumns = 1018, // by streets in two columns
    Controller = 1017, // by line controller, Pro and Direct
};

// Sets the point's layout mode as the draw command does; the mode by
// controller regroups the point's lifts first.
void SetLayoutMode(CPunct &point, LayoutMode mode);

// The mode the point is laid out in now.
LayoutMode CurrentLayoutMode(const CPunct &point);
