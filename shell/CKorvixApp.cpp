#include "CKorvixApp.h"

#include "CKorvixDoc.h"
#include "CMainFrame.h"
#include "ShellContext.h"
#include "KorvixVersion.h"
#include "RunLines.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

std::array<std::uint16_t, 4> BuildVersion()
{
    return {KORVIX_VERSION_MAJOR, KORVIX_VERSION_MINOR, KORVIX_VERSION_PATCH, KORVIX_VERSION_TWEAK};
}

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

QString LogDirectory(const CKorvixApp::Options &options, const QString &appDir)
{
    return options.logDirectory.isEmpty() ? appDir : options.logDirectory;
}

QString LogFallback(const CKorvixApp::Options &options)
{
    return options.logFallbackDirectory.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        : options.logFallbackDirectory;
}

} // namespace

CKorvixApp::CKorvixApp(QApplication &application, Options options)
    : m_Application(application)
    , m_Options(std::move(options))
    , m_Root(&m_Log, m_Options.presenter ? m_Options.presenter : &m_BoxPresenter)
    , m_AppDir(QDir(QCoreApplication::applicationDirPath()).absolutePath() + u'/')
    , m_Log(LogDirectory(m_Options, m_AppDir), LogFallback(m_Options),
            m_Options.presenter ? m_Options.presenter : &m_BoxPresenter)
{
}

CKorvixApp::~CKorvixApp()
{
    if (!m_Exited)
        ExitInstance();
}

bool CKorvixApp::InitInstance(const QStringList &arguments)
{
    m_Version = BuildVersion();
    const QString version = QStringLiteral("%1.%2.%3.%4").arg(m_Version[0]).arg(m_Version[1]).arg(m_Version[2]).arg(m_Version[3]);
    m_Log.Write(StartLine(version, arguments));

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

    MessagePresenter &presenter = m_Options.presenter ? *m_Options.presenter : m_BoxPresenter;
    ColourChooser &colours = m_Options.colours ? *m_Options.colours : m_DialogColours;
    m_Document = std::make_unique<CKorvixDoc>(m_Root, presenter);
    m_Context = std::make_unique<ShellContext>(
        ShellContext{m_Root, m_Log, presenter, colours, *m_Settings, m_Options.presenter ? nullptr : &m_BoxPresenter});
    m_MainFrame = std::make_unique<CMainFrame>(*m_Context, *m_Document);
    m_MainFrame->SetFirstOpenDirectory(ExamplesDirectory(m_AppDir));

    const QStringList files = arguments.mid(1);
    if (files.isEmpty()) {
        m_Document->OnNewDocument();
    } else if (!m_MainFrame->OpenFile(files.first())) {
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

int CKorvixApp::Run(const QStringList &arguments)
{
    if (!InitInstance(arguments)) {
        ExitInstance();
        return 1;
    }
    const int code = m_Application.exec();
    ExitInstance();
    return code;
}
