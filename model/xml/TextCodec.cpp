#include "TextCodec.h"

#include <cstdint>

namespace {

constexpr std::array<char16_t, 128> kWindows1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

void AppendCodePoint(QString &out, char32_t cp)
{
    if (cp < 0x10000) {
        out.append(QChar(static_cast<char16_t>(cp)));
    } else {
        out.append(QChar(QChar::highSurrogate(cp)));
        out.append(QChar(QChar::lowSurrogate(cp)));
    }
}

bool IsValidReferencedChar(char32_t cp)
{
    return cp != 0 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

// Parses the reference starting at raw[pos] == '&'; on success appends its
// character and returns the length of the reference, otherwise 0.
std::size_t AppendReference(QString &out, std::string_view raw, std::size_t pos)
{
    const std::size_t semicolon = raw.find(';', pos + 1);
    if (semicolon == std::string_view::npos || semicolon - pos > 12)
        return 0;
    const std::string_view body = raw.substr(pos + 1, semicolon - pos - 1);
    if (body == "lt")
        out.append(u'<');
    else if (body == "gt")
        out.append(u'>');
    else if (body == "amp")
        out.append(u'&');
    else if (body == "apos")
        out.append(u'\'');
    else if (body == "quot")
        out.append(u'"');
    else if (body.size() >= 2 && body[0] == '#') {
        const bool hex = body[1] == 'x';
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty())
            return 0;
        std::uint32_t value = 0;
        for (char c : digits) {
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return 0;
            value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
            if (value > 0x10FFFF)
                return 0;
        }
        if (!IsValidReferencedChar(value))
            return 0;
        AppendCodePoint(out, value);
    } else {
        return 0;
    }
    return semicolon - pos + 1;
}

// Decodes one UTF-8 sequence of text the DOM layer has validated.
char32_t NextUtf8(std::string_view raw, std::size_t &pos)
{
    const auto b0 = static_cast<unsigned char>(raw[pos]);
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b0 & 0x07) : extra == 2 ? (b0 & 0x0F) : extra == 1 ? (b0 & 0x1F) : b0;
    ++pos;
    while (extra-- > 0 && pos < raw.size()) {
        cp = cp << 6 | (static_cast<unsigned char>(raw[pos]) & 0x3F);
        ++pos;
    }
    return cp;
}

} // namespace

TextCodec TextCodec::Utf8()
{
    return TextCodec();
}

TextCodec TextCodec::SingleByte(const std::array<char16_t, 128> &highHalf)
{
    TextCodec codec;
    codec.m_Utf8 = false;
    codec.m_High = highHalf;
    return codec;
}

const std::array<char16_t, 128> &TextCodec::Windows1251HighHalf()
{
    return kWindows1251;
}

bool TextCodec::IsPlainAscii(std::string_view raw) noexcept
{
    for (char c : raw)
        if (static_cast<unsigned char>(c) >= 0x80 || c == '&')
            return false;
    return true;
}

QString TextCodec::Decode(std::string_view raw) const
{
    if (IsPlainAscii(raw))
        return QString::fromLatin1(raw.data(), static_cast<qsizetype>(raw.size()));
    if (m_Utf8 && raw.find('&') == std::string_view::npos)
        return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));

    QString out;
    out.reserve(static_cast<qsizetype>(raw.size()));
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const auto byte = static_cast<unsigned char>(raw[pos]);
        if (byte == '&') {
            if (const std::size_t used = AppendReference(out, raw, pos)) {
                pos += used;
                continue;
            }
            out.append(u'&');
            ++pos;
        } else if (byte < 0x80) {
            out.append(QChar(char16_t(byte)));
            ++pos;
        } else if (m_Utf8) {
            AppendCodePoint(out, NextUtf8(raw, pos));
        } else {
            out.append(QChar(m_High[byte - 0x80]));
            ++pos;
        }
    }
    return out;
}
