#pragma once

#include "layout/CRoot.h"
#include "log/LogFile.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The suites' root, wired as the program wires it: a presenter that records
// every message and, for the suites that read the log back, a real log.
// Without a log (the default) the root shows its errors as message boxes,
// which the presenter records too. A suite's fixture derives from it for
// what only that suite needs.
struct TestStructure
{
    // Where the log goes: nowhere, or into a temporary directory of its own.
    enum class Log { None, OwnDirectory };

    TestStructure();
    explicit TestStructure(Log where);
    // A log in the directory, and in the fallback (may be empty) when that
    // one cannot be written.
    TestStructure(const QString &logDirectory, const QString &fallbackDirectory);
    TestStructure(const TestStructure &) = delete;
    TestStructure &operator=(const TestStructure &) = delete;

    // Reads UTF-8 XML text as a structure file would be read (reset, new
    // document, read); rethrows the read's ErrorXML.
    void Load(const QByteArray &xml);
    // The same read from a file, read as File Open reads it.
    void LoadFile(const QString &path);

    std::unique_ptr<TempDir> m_OwnLogDir; // the log's directory when it has one of its own
    RecordingPresenter presenter;
    std::unique_ptr<LogFile> log; // null without a log
    std::unique_ptr<CRoot> root;
};

// Wraps element text in a UTF-8 declared document: <PULT>inner</PULT>.
QByteArray PultDocument(const QByteArray &inner, const QByteArray &pultAttributes = {});
