#pragma once

#include "app/ConsolePresenter.h"
#include "layout/CRoot.h"
#include "log/LogFile.h"

#include <QStringList>

#include <cstdio>

// A run without a window: the log with its start and stop lines, the
// structure root, and messages as console lines.
class HeadlessSession
{
public:
    // `quiet`: messages are only recorded in the root's load report.
    HeadlessSession(const QStringList &arguments, std::FILE *informationStream, bool quiet = false);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession &) = delete;
    HeadlessSession &operator=(const HeadlessSession &) = delete;

    CRoot &Root() { return m_Root; }

private:
    ConsolePresenter m_Presenter;
    LogFile m_Log;
    CRoot m_Root;
};
