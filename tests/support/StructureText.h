#pragma once

#include "layout/CRoot.h"
#include "tests/support/RecordingPresenter.h"

#include <QByteArray>
#include <QString>

#include <memory>

// A root with recorded messages and no log, for reading structures in tests.
struct TestStructure
{
    RecordingPresenter presenter;
    std::unique_ptr<CRoot> root = std::make_unique<CRoot>(nullptr, &presenter);

    // Reads UTF-8 XML text as a structure file would be read (reset, new
    // document, read); rethrows the read's ErrorXML.
    void Load(const QByteArray &xml);
    void LoadFile(const QString &path);
};

// Wraps element text in a UTF-8 declared document: <PULT>inner</PULT>.
QByteArray PultDocument(const QByteArray &inner, const QByteArray &pultAttributes = {});
