#include "model/Guid.h"

#include <algorithm>
#include <cstring>

namespace {

int HexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool ReadHex(QStringView text, qsizetype pos, int digits, std::uint64_t &value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + i].unicode());
        if (v < 0)
            return false;
        value = value << 4 | static_cast<std::uint64_t>(v);
    }
    return true;
}

} // namespace

bool Guid::IsNull() const noexcept
{
    for (auto b : bytes)
        if (b != 0)
            return false;
    return true;
}

bool ParseBracedGuid(QStringView text, Guid &guid)
{
    if (text.size() != 38 || text[0] != u'{' || text[37] != u'}' || text[9] != u'-'
        || text[14] != u'-' || text[19] != u'-' || text[24] != u'-')
        return false;
    std::uint64_t data1, data2, data3, clockSeq, node;
    if (!ReadHex(text, 1, 8, data1) || !ReadHex(text, 10, 4, data2) || !ReadHex(text, 15, 4, data3)
        || !ReadHex(text, 20, 4, clockSeq) || !ReadHex(text, 25, 12, node))
        return false;
    Guid g;
    for (int i = 0; i < 4; ++i)
        g.bytes[i] = static_cast<std::uint8_t>(data1 >> (8 * i));
    for (int i = 0; i < 2; ++i) {
        g.bytes[4 + i] = static_cast<std::uint8_t>(data2 >> (8 * i));
        g.bytes[6 + i] = static_cast<std::uint8_t>(data3 >> (8 * i));
    }
    g.bytes[8] = static_cast<std::uint8_t>(clockSeq >> 8);
    g.bytes[9] = static_cast<std::uint8_t>(clockSeq);
    for (int i = 0; i < 6; ++i)
        g.bytes[10 + i] = static_cast<std::uint8_t>(node >> (8 * (5 - i)));
    guid = g;
    return true;
}

QString GuidToText(const Guid &guid)
{
    // Data1, Data2, Data3 are printed as numbers (so their bytes reverse), the
    // rest byte by byte, exactly as the braced form shows them.
    static constexpr int kPrintOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(32, Qt::Uninitialized);
    QChar *out = text.data();
    for (int i = 0; i < 16; ++i) {
        const std::uint8_t b = guid.bytes[kPrintOrder[i]];
        *out++ = QChar(kDigits[b >> 4]);
        *out++ = QChar(kDigits[b & 0xF]);
    }
    return text;
}

Guid TextToGuid(std::string_view ascii)
{
    // The usual form: 32 digits are exactly what the braced form would hold.
    if (ascii.size() == 32) {
        std::uint8_t digits[16];
        for (int i = 0; i < 16; ++i) {
            const int high = HexValue(static_cast<unsigned char>(ascii[2 * i]));
            const int low = HexValue(static_cast<unsigned char>(ascii[2 * i + 1]));
            if (high < 0 || low < 0)
                return Guid();
            digits[i] = static_cast<std::uint8_t>(high << 4 | low);
        }
        // Data1, Data2 and Data3 are numbers stored little-endian.
        static constexpr int kStoreOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
        Guid guid;
        for (int i = 0; i < 16; ++i)
            guid.bytes[kStoreOrder[i]] = digits[i];
        return guid;
    }
    return TextToGuid(QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size())));
}

Guid TextToGuid(QStringView text)
{
    Guid guid;
    QString braced = text.toString();
    for (qsizetype pos : {20, 16, 12, 8})
        braced.insert(std::min(pos, braced.size()), u'-');
    braced.prepend(u'{');
    braced.append(u'}');
    ParseBracedGuid(braced, guid);
    return guid;
}

std::size_t std::hash<Guid>::operator()(const Guid &g) const noexcept
{
    std::uint64_t a, b;
    std::memcpy(&a, g.bytes.data(), 8);
    std::memcpy(&b, g.bytes.data() + 8, 8);
    return std::hash<std::uint64_t>()(a ^ (b * 0x9E3779B97F4A7C15ull));
}
