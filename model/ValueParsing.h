#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>
#include <string_view>

// Conversions of attribute texts to numbers.

// A signed decimal integer, optionally surrounded by white space; nothing for
// anything else. `overflow` tells a number out of range from a non-number.
std::optional<std::int32_t> ParseInt32(QStringView text, bool *overflow = nullptr);
std::optional<std::int32_t> ParseInt32(std::string_view ascii, bool *overflow = nullptr);
// The same for an unsigned 32-bit value; a negative number does not convert.
std::optional<std::uint32_t> ParseUInt32(QStringView text, bool *overflow = nullptr);

// Scans decimal numbers separated by one fixed character, as scanf with
// "%d<sep>%d..." would: each number may be preceded by blanks and a sign; the
// scan stops at the first mismatch. Returns how many numbers were read; the
// others in `out` are untouched.
int ScanIntegers(QStringView text, char16_t separator, std::int32_t *out, int count);
