#pragma once

#include <QString>

struct _xmlError;

// The reason for a parser error, in Russian for every error a hand-edited
// structure file can realistically contain; the parser's own text and code
// otherwise.
QString DescribeParseError(const _xmlError &error);
