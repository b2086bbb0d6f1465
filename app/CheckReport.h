#pragma once

#include "model/StructureMessages.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

// What --check found in one file, for the editor and pipeline formats.
struct CheckedFile
{
    QString file; // as named on the command line
    bool read = false;
    std::vector<StructureMessage> messages;
    std::size_t messageCount = 0; // more than `messages` when some were not kept
    bool failed = false;
    QString errorText;
    XmlPosition errorPosition;
};

// "FILE:LINE:COLUMN: warning: TEXT" per message and "...: error: TEXT" for
// the error, the form editors and CI problem matchers read. Without a place
// a line starts "FILE: ".
QStringList GnuLines(const CheckedFile &checked);

// {"file", "read", "messages": [{"severity", "line", "column", "text",
// "path"}], "messageCount", "error": {...} or null}.
QJsonObject CheckedFileJson(const CheckedFile &checked);
