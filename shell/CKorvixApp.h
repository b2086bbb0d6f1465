#pragma once

#include "layout/CRoot.h"
#include "log/LogFile.h"
#include "shell/MessageBoxPresenter.h"
#include "views/ColourChooser.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class CKorvixDoc;
class CMainFrame;
struct ShellContext;
class QApplication;
class QTranslator;

// The program's one application object: owns the structure root and the log
// for the whole run, starts the window and shuts it down.
class CKorvixApp
{
public:
    // Where a run keeps its state; tests point these at temporary places.
    struct Options
    {
        QString settingsFile;     // empty: the user's settings ("Tarvel", "Korvix")
        QString logDirectory;     // empty: the executable's directory
        QString logFallbackDirectory; // empty: the user's data directory
        ColourChooser *colours = nullptr; // null: the colour dialog
        MessagePresenter *presenter = nullptr; // null: message boxes
    };

    CKorvixApp(QApplication &application, Options options);
    ~CKorvixApp();
    CKorvixApp(const CKorvixApp &) = delete;
    CKorvixApp &operator=(const CKorvixApp &) = delete;

    // Start-up: the start line (with the whole command line), settings, the
    // window, and the file named on the command line (by default the first
    // argument after the program's name). False when start-up fails (the run
    // still ends with Stop).
    bool InitInstance(const QStringList &arguments, std::optional<QString> file = std::nullopt);
    // Shutdown: empties the structure and writes "Stop".
    int ExitInstance();
    // InitInstance, the event loop, ExitInstance.
    int Run(const QStringList &arguments, std::optional<QString> file = std::nullopt);

    CMainFrame *MainFrame() const { return m_MainFrame.get(); }
    CKorvixDoc &Document() const { return *m_Document; }
    QSettings &Settings() { return *m_Settings; }

private:
    QApplication &m_Application;
    MessageBoxPresenter m_BoxPresenter;
    DialogColourChooser m_DialogColours;
    Options m_Options;
    // Where messages go: the options' presenter, or message boxes.
    MessagePresenter &m_Presenter;
    std::unique_ptr<QSettings> m_Settings;
    std::unique_ptr<QTranslator> m_QtTranslator;

public:
    CRoot m_Root;
    std::array<std::uint16_t, 4> m_Version{};
    QString m_AppDir;
    LogFile m_Log;

private:
    std::unique_ptr<CKorvixDoc> m_Document;
    std::unique_ptr<ShellContext> m_Context;
    std::unique_ptr<CMainFrame> m_MainFrame;
    bool m_Exited = false;
};

// Where the bundled examples are: installed beside the program, or in the
// source tree of a build.
QString ExamplesDirectory(const QString &applicationDirectory);
