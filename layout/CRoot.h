#pragma once

#include "CRootB.h"

class CPunct;
class LogFile;
class MessagePresenter;

// The program's one structure root: builds layout nodes only, keeps the
// dispatch point the table shows, and passes messages to the presentation
// and errors to the log.
class CRoot : public CRootB
{
public:
    CRoot(LogFile *log, MessagePresenter *presenter);
    ~CRoot() override;

    std::unique_ptr<CPunctB> CreatePunct() override;
    void ShowMessage(const QString &text, std::intptr_t extra) override;
    void ReportError(const QString &text, std::int32_t code, const QString &detail = {}) override;

    // Street labels without "ул."/"пер.", house labels without "д.".
    void DeriveLabels() override;

    // The dispatch point whose layout the table shows; none after every reset.
    CPunct *m_CurPunct = nullptr;
    LogFile *m_pLog;
    MessagePresenter *m_pPresenter;

protected:
    void ResetLayoutState() override;
};

// A name's label: the name without the first matching prefix, then trimmed
// at the end and at the beginning.
QString LabelWithoutPrefix(const QString &name, std::initializer_list<QStringView> prefixes);
