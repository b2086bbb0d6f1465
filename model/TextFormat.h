#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>
#include <variant>

// printf-style formatting of the string table's texts: %s, %d, %x and %%.
// Arguments are consumed in order; a directive without an argument expands to
// nothing, so a damaged format text can never read past the arguments.
using FormatArg = std::variant<QStringView, std::int64_t>;

QString FormatText(QStringView format, std::initializer_list<FormatArg> args);
