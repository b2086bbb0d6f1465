#pragma once

// Every user-visible text of Korvix has an entry in the one string table
// (StringTable.cpp), named here. The numbered entries keep the numbers the
// structure files' console software gave them: a command's prompt is the
// entry with the command's number, and log lines and tests name some of them.
// Texts Korvix adds follow in blocks by the layer that shows them; a block's
// numbers may move, so nothing outside this program relies on them.
enum class TextId : int {
    OleInitFailed = 100,
    DrawByStreetsPrompt = 101,
    PointBackgroundPrompt = 108,
    StreetBackgroundPrompt = 109,
    AllStreetsBackgroundPrompt = 110,
    StandardToolbarName = 124,
    CustomizeToolbarsMenuText = 125,
    DocumentTemplate = 128,
    DrawByControllerPrompt = 1017,
    DrawTwoColumnsPrompt = 1018,

    // Read errors and structure messages.
    ElementFormat = 41074,
    AttributeFormat = 41075,
    ReadFailed = 41077,
    NoElementInterface = 41079,
    CreateParserFailed = 41080,
    AppendChildFailed = 41081,
    CreatePIFailed = 41082,
    FirstChildFailed = 41084,
    LoadFailed = 41089,
    LiftAlreadyInGroup = 42005,
    LiftNotInStructure = 42007,
    RepeatedPunct = 42009,
    RepeatedStreet = 42010,
    RepeatedHome = 42012,
    RepeatedLift = 42013,
    GroupsTooDeep = 42020,

    ApplicationName = 57344,
    Ready = 57345,
    FileNewPrompt = 57600,
    FileOpenPrompt = 57601,
    FileSavePrompt = 57603,
    FileSaveAsPrompt = 57604,
    FilePrintPrompt = 57607,
    RecentFilePrompt = 57616,
    EditCopyPrompt = 57634,
    EditCutPrompt = 57635,
    EditPastePrompt = 57637,
    EditUndoPrompt = 57643,
    WindowSplitPrompt = 57653,
    AppAboutPrompt = 57664,
    AppExitPrompt = 57665,
    NextPanePrompt = 57680,
    PreviousPanePrompt = 57681,
    CapsLockIndicator = 59137,
    NumLockIndicator = 59138,
    ScrollLockIndicator = 59139,
    ViewToolbarPrompt = 59392,
    ViewStatusBarPrompt = 59393,
    UntitledDocument = 61446,

    // Texts Korvix adds. Each block is sorted as the table is.

    // The structure model and its XML reader.
    FirstModelText = 70000,

    // The log file.
    FirstLogText = 71000,

    // The layout engine and file loading.
    FirstLayoutText = 72000,

    // The tree, the table and their panels.
    FirstViewsText = 73000,

    // The main window, its menus and dialogs.
    FirstShellText = 74000,

    // The command line.
    FirstCommandLineText = 75000,
};
