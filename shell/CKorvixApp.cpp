#include "shell/CKorvixApp.h"

#include "log/RunLines.h"
#include "shell/CKorvixDoc.h"
#include "shell/CMainFrame.h"
#include "shell/ShellContext.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

QString ExamplesDirectory(const QString &applicationDirectory)
{
    const QDir dir(applicationDirectory);
    for (const QString &candidate : {QStringLiteral("../share/korvix/examples"), QStringLiteral("../examples")}) {
        const QString path = QDir::cleanPath(dir.filePath(candidate));
        if (QDir(path).exists())
            return path;
    }
    return {};
}

namespace {

QString OrDefault(const QString &chosen, const QString &byDefault)
{
    return chosen.isEmpty() ? byDefault : chosen;
}

} // namespace

CKorvixApp::CKorvixApp(QApplication &application, Options options)
    : m_Application(application)
    , m_Options(std::move(options))
    , m_Presenter(m_Options.presenter ? *m_Options.presenter : m_BoxPresenter)
    , m_Root(&m_Log, &m_Presenter)
    , m_AppDir(QDir(QCoreApplication::applicationDirPath()).absolutePath() + u'/')
    , m_Log(OrDefault(m_Options.logDirectory, LogFile::DefaultDirectory()),
            OrDefault(m_Options.logFallbackDirectory, LogFile::DefaultFallbackDirectory()),
            &m_Presenter)
{
}

CKorvixApp::~CKorvixApp()
{
    if (!m_Exited)
        ExitInstance();
}

bool CKorvixApp::InitInstance(const QStringList &arguments, std::optional<QString> file)
{
    m_Version = BuildVersion();
    m_Log.Write(StartLine(m_Version, arguments));

    // The interface is Russian: so are Qt's own dialogs and buttons.
    // An installed copy brings them along; a build finds Qt's.
    m_QtTranslator = std::make_unique<QTranslator>();
    for (const QString &directory : {QDir(m_AppDir).filePath(QStringLiteral("../share/korvix/translations")),
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (m_QtTranslator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                                 QStringLiteral("_"), directory)) {
            QCoreApplication::installTranslator(m_QtTranslator.get());
            break;
        }
    }

    m_Settings = m_Options.settingsFile.isEmpty()
        ? std::make_unique<QSettings>(QStringLiteral("Tarvel"), QStringLiteral("Korvix"))
        : std::make_unique<QSettings>(m_Options.settingsFile, QSettings::IniFormat);

    ColourChooser &colours = m_Options.colours ? *m_Options.colours : m_DialogColours;
    m_Document = std::make_unique<CKorvixDoc>(m_Root, m_Presenter);
    m_Context = std::make_unique<ShellContext>(
        ShellContext{m_Root, m_Log, m_Presenter, colours, *m_Settings, m_Options.presenter ? nullptr : &m_BoxPresenter});
    m_MainFrame = std::make_unique<CMainFrame>(*m_Context, *m_Document);
    m_MainFrame->SetFirstOpenDirectory(ExamplesDirectory(m_AppDir));

    const QString path = file ? *file : arguments.value(1);
    if (path.isEmpty()) {
        m_Document->OnNewDocument();
    } else if (!m_MainFrame->OpenFile(path)) {
        return false;
    }
    m_MainFrame->show();
    return true;
}

int CKorvixApp::ExitInstance()
{
    if (m_Exited)
        return 0;
    m_Exited = true;
    // The window goes first: its tree items point into the structure.
    m_MainFrame.reset();
    m_Root.ResetStructure();
    m_Log.Write(StopLine());
    return 0;
}

int CKorvixApp::Run(const QStringList &arguments, std::optional<QString> file)
{
    if (!InitInstance(arguments, std::move(file))) {
        ExitInstance();
        return 1;
    }
    const int code = m_Application.exec();
    ExitInstance();
    return code;
}
