#pragma once

// Command ids of the program, as its menus, toolbars and tests know them.
namespace CommandId {
constexpr int DrawByStreets = 101;
constexpr int DrawTwoColumns = 1018;
constexpr int DrawByController = 1017;
constexpr int PointBackground = 108;
constexpr int StreetBackground = 109;
constexpr int AllStreetsBackground = 110;
constexpr int CustomizeToolbars = 126;
// Korvix's own commands, in the range the platform leaves to programs.
constexpr int FileReload = 32771;

constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrint = 57607;
constexpr int RecentFile = 57616;
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int WindowSplit = 57653;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int NextPane = 57680;
constexpr int PreviousPane = 57681;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
} // namespace CommandId
