#pragma once

#include <QString>

// Text of a string-table entry, at most 1023 characters; "S<id>" when the
// table has no such entry.
QString LoadResString(int id);

// The same lookup through the 256-character buffer of message texts (at most
// 255 characters).
QString LoadMessageString(int id);
