#include "app/HeadlessSession.h"

#include "log/RunLines.h"

#include <new>


HeadlessSession::HeadlessSession(const QStringList &arguments, std::FILE *informationStream, bool quiet)
    : m_Presenter(informationStream, quiet)
    , m_Log(LogFile::DefaultDirectory(), LogFile::DefaultFallbackDirectory(), &m_Presenter)
    , m_Root(&m_Log, &m_Presenter)
{
    m_Log.Write(StartLine(BuildVersion(), arguments));
}

HeadlessSession::~HeadlessSession()
{
    m_Root.ResetStructure();
    // A destructor must not throw: without memory even for the line, the
    // log goes without it.
    try {
        m_Log.Write(StopLine());
    } catch (const std::bad_alloc &) {
    }
}
