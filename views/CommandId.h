#pragma once

#include "resources/strings/TextId.h"

// Command ids of the program, as its menus, toolbars, kept toolbar settings
// and tests know them. A command's prompt is the string-table entry with its
// number.
enum class CommandId : int {
    // A gap between buttons in a toolbar's list of commands.
    Separator = 0,

    DrawByStreets = static_cast<int>(TextId::DrawByStreetsPrompt),
    DrawTwoColumns = static_cast<int>(TextId::DrawTwoColumnsPrompt),
    DrawByController = static_cast<int>(TextId::DrawByControllerPrompt),
    PointBackground = static_cast<int>(TextId::PointBackgroundPrompt),
    StreetBackground = static_cast<int>(TextId::StreetBackgroundPrompt),
    AllStreetsBackground = static_cast<int>(TextId::AllStreetsBackgroundPrompt),
    CustomizeToolbars = 126,
    // Korvix's own commands, in the range the platform leaves to programs.
    FileReload = 32771,

    FileNew = static_cast<int>(TextId::FileNewPrompt),
    FileOpen = static_cast<int>(TextId::FileOpenPrompt),
    FileSave = static_cast<int>(TextId::FileSavePrompt),
    FileSaveAs = static_cast<int>(TextId::FileSaveAsPrompt),
    FilePrint = static_cast<int>(TextId::FilePrintPrompt),
    RecentFile = static_cast<int>(TextId::RecentFilePrompt),
    EditCopy = static_cast<int>(TextId::EditCopyPrompt),
    EditCut = static_cast<int>(TextId::EditCutPrompt),
    EditPaste = static_cast<int>(TextId::EditPastePrompt),
    EditUndo = static_cast<int>(TextId::EditUndoPrompt),
    WindowSplit = static_cast<int>(TextId::WindowSplitPrompt),
    AppAbout = static_cast<int>(TextId::AppAboutPrompt),
    AppExit = static_cast<int>(TextId::AppExitPrompt),
    NextPane = static_cast<int>(TextId::NextPanePrompt),
    PreviousPane = static_cast<int>(TextId::PreviousPanePrompt),
    ViewToolbar = static_cast<int>(TextId::ViewToolbarPrompt),
    ViewStatusBar = static_cast<int>(TextId::ViewStatusBarPrompt),
};

// The entry that holds a command's prompt ("prompt\ntooltip"); commands
// without one give an id the table does not have.
constexpr TextId PromptOf(CommandId command)
{
    return static_cast<TextId>(static_cast<int>(command));
}
