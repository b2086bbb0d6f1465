#pragma once

#include <QString>
#include <QStringView>

// White space for every trim of the structure model and the views. One fixed
// definition (Unicode's White_Space property) rather than the C library's
// iswspace, whose answer depends on the process locale: the window and the
// command line must read a file the same way.
constexpr bool IsWideSpace(char16_t c) noexcept
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680
        || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F
        || c == 0x205F || c == 0x3000;
}

// White space removed at the end, then at the beginning.
QString TrimWide(QStringView text);
// The same as a view into the text.
QStringView TrimmedView(QStringView text);
// The same, keeping the string itself when there is nothing to remove.
QString TrimWide(QString &&text);
QString TrimWide(const QString &text);

// Digits and letters for the house-label split: ASCII digits only, so that a
// Cyrillic or other letter never counts as part of a number.
constexpr bool IsWideDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }
bool IsWideAlpha(char16_t c) noexcept;
