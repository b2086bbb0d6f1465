#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

// A 16-byte GUID, held byte for byte as the consoles' platform stores it in
// memory: Data1, Data2 and Data3 little-endian, then the eight bytes of Data4.
// Ordering compares these bytes one by one as unsigned values.
struct Guid
{
    std::array<std::uint8_t, 16> bytes{};

    bool IsNull() const noexcept;
    friend auto operator<=>(const Guid &, const Guid &) = default;
};

// The 32 upper-case hexadecimal digits of a GUID (its braced text form with the
// braces and hyphens removed).
QString GuidToText(const Guid &guid);

// The GUID written as 32 hexadecimal digits; all zero for any other text.
Guid TextToGuid(QStringView text);
Guid TextToGuid(std::string_view ascii);

// The braced 38-character form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}; false
// (and the GUID untouched) for anything else.
bool ParseBracedGuid(QStringView text, Guid &guid);

template <>
struct std::hash<Guid>
{
    std::size_t operator()(const Guid &g) const noexcept;
};
