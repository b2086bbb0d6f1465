#pragma once

// Kind codes of the structure nodes (GetKind). The views and the layout
// dispatch on them.
namespace NodeKind {
constexpr int Punct = 1;
constexpr int Street = 2;
constexpr int Home = 3;
constexpr int Lift = 4;
constexpr int Root = 5;
constexpr int Out = 6;
constexpr int TabOut = 7;
constexpr int State = 8;
constexpr int TabState = 9;
constexpr int Group = 10;
constexpr int LiftInGroup = 11;
constexpr int TabKey = 12;
constexpr int Key = 13;
constexpr int TermDev = 24;
constexpr int TabTermDev = 25;
} // namespace NodeKind
