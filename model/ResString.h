#pragma once

#include "resources/strings/TextId.h"

#include <QString>

// Text of a string-table entry, at most 1023 characters; "S<id>" when the
// table has no such entry.
QString LoadResString(TextId id);
// The same by number, for a command's prompt (the entry with its number).
QString LoadResString(int id);

// The same lookup through the 256-character buffer of message texts (at most
// 255 characters).
QString LoadMessageString(TextId id);
QString LoadMessageString(int id);
