#include "HeadlessSession.h"

#include "KorvixVersion.h"
#include "RunLines.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString ExecutableDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString UserDataDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

HeadlessSession::HeadlessSession(const QStringList &arguments, std::FILE *informationStream)
    : m_Presenter(informationStream)
    , m_Log(ExecutableDirectory(), UserDataDirectory(), &m_Presenter)
    , m_Root(&m_Log, &m_Presenter)
{
    m_Log.Write(StartLine(QStringLiteral(KORVIX_VERSION), arguments));
}

HeadlessSession::~HeadlessSession()
{
    m_Root.ResetStructure();
    m_Log.Write(StopLine());
}
