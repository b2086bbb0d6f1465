#pragma once

#include "model/CRootB.h"

#include <vector>

class CPunct;
class LogFile;
class MessagePresenter;

// What the last read of a structure file said: its information messages
// with their places, and its error when it failed.
struct LoadReport
{
    // A file can repeat a name a million times: the first ones are kept.
    static constexpr std::size_t kKeptMessages = 10000;
    std::vector<StructureMessage> messages;
    std::size_t messageCount = 0; // all of them, kept or not
    bool failed = false;
    // The error line as the log writes it, and where the error lies.
    QString errorText;
    XmlPosition errorPosition;
};

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
    void ShowMessageAt(const StructureMessage &message) override;
    void ReportError(const QString &text, std::int32_t code, const QString &detail = {}) override;

    // Street labels without "ул."/"пер.", house labels without "д.".
    void DeriveLabels() override;

    // The dispatch point whose layout the table shows; none after every reset.
    CPunct *m_CurPunct = nullptr;
    LogFile *m_pLog;
    MessagePresenter *m_pPresenter;
    LoadReport m_LoadReport;

    // A read starts: the report of the last one goes.
    void StartLoadReport() { m_LoadReport = {}; }
    // Records the read's error (then reported as ReportError does).
    void NoteLoadError(const QString &text, std::int32_t code, const QString &detail, const XmlPosition &position);

protected:
    void ResetLayoutState() override;
};

// A name's label: the name without the first matching prefix, then trimmed
// at the end and at the beginning.
QString LabelWithoutPrefix(const QString &name, std::initializer_list<QStringView> prefixes);
