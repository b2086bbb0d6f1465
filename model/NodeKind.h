#pragma once

// Kinds of the structure nodes (GetKind). The views and the layout dispatch on
// them; the numbers are the ones the console software gave them.
enum class NodeKind : int {
    Punct = 1,
    Street = 2,
    Home = 3,
    Lift = 4,
    Root = 5,
    Out = 6,
    TabOut = 7,
    State = 8,
    TabState = 9,
    Group = 10,
    LiftInGroup = 11,
    TabKey = 12,
    Key = 13,
    TermDev = 24,
    TabTermDev = 25,
};
