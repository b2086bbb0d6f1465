#pragma once

#include <QString>

#include <array>
#include <string_view>

// How the bytes of a parsed document become text. The parser works on the
// file's own bytes (UTF-8 or an ASCII-compatible single-byte encoding such as
// windows-1251); names and values are decoded only when they are read, with
// character and entity references resolved then.
class TextCodec
{
public:
    static TextCodec Utf8();
    // A single-byte encoding: bytes below 0x80 are ASCII, the others map through the table.
    static TextCodec SingleByte(const std::array<char16_t, 128> &highHalf);
    static const std::array<char16_t, 128> &Windows1251HighHalf();

    bool IsUtf8() const noexcept { return m_Utf8; }

    // Whether the raw text is ASCII without references: then it reads the
    // same in every supported encoding and needs no decoding.
    static bool IsPlainAscii(std::string_view raw) noexcept;

    // The text of a raw name or value, references (&lt; &#1040; ...) resolved.
    // A reference that is malformed or names no valid character stays as written.
    QString Decode(std::string_view raw) const;

private:
    bool m_Utf8 = true;
    std::array<char16_t, 128> m_High{};
};
