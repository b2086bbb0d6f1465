#pragma once

class CRoot;
class ColourChooser;
class LogFile;
class MessageBoxPresenter;
class MessagePresenter;
class QSettings;

// What the application hands down to its frame: the structure root, the log,
// the presentation of messages, the colour chooser and the settings store.
struct ShellContext
{
    CRoot &root;
    LogFile &log;
    MessagePresenter &presenter;
    ColourChooser &colours;
    QSettings &settings;
    // The message boxes, when messages are shown as boxes: parented to the window.
    MessageBoxPresenter *boxes = nullptr;
};
