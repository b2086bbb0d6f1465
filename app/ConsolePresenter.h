#pragma once

#include "log/MessagePresenter.h"

#include <cstdio>

// Messages of a command-line run: one line each, information on standard
// output (or standard error when the output carries data), warnings and
// errors on standard error.
class ConsolePresenter : public MessagePresenter
{
public:
    // `quiet`: nothing is written (the caller reports from the load report).
    explicit ConsolePresenter(std::FILE *informationStream, bool quiet = false)
        : m_Information(informationStream)
        , m_Quiet(quiet)
    {
    }
    void ShowMessageBox(const QString &text, Icon icon) override;

private:
    std::FILE *m_Information;
    bool m_Quiet;
};

// Writes one line: as UTF-16 text to a Windows console, otherwise in the
// locale's encoding (UTF-8 on Linux; UTF-8 also for redirected output on Windows).
void WriteConsoleLine(std::FILE *stream, const QString &text);
