#include "TextDecoding.h"

#include <QStringDecoder>

#include <cstring>
#include <optional>

namespace {

bool StartsWith(const QByteArray &bytes, std::initializer_list<unsigned char> prefix)
{
    if (bytes.size() < static_cast<qsizetype>(prefix.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : prefix)
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    return true;
}

QString PositionText(const QByteArray &buffer, qsizetype offset, const TextCodec &codec)
{
    const TextPosition pos = PositionOf(buffer, offset, codec);
    return QStringLiteral("строка %1, столбец %2: ").arg(pos.line).arg(pos.column);
}

// Offset of the first NUL byte, or -1.
qsizetype FindNul(const QByteArray &bytes)
{
    const void *hit = std::memchr(bytes.constData(), 0, static_cast<size_t>(bytes.size()));
    return hit ? static_cast<const char *>(hit) - bytes.constData() : -1;
}

inline bool HasHighOrZeroByte(std::uint64_t w)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    return ((w | ((w - kOnes) & ~w)) & kHighs) != 0;
}

// Offset of the first byte that does not belong to well-formed UTF-8 (or is a
// NUL), or -1.
qsizetype FindInvalidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            std::uint64_t w;
            std::memcpy(&w, p + i, 8);
            if (!HasHighOrZeroByte(w)) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c == 0)
            return i;
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t min;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return i;
        }
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return i;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += extra + 1;
    }
    return -1;
}

QByteArray NormalisedName(const QByteArray &name)
{
    return name.trimmed().toLower();
}

bool IsUtf8Name(const QByteArray &n)
{
    return n == "utf-8" || n == "utf8" || n == "us-ascii" || n == "ascii";
}

bool IsWindows1251Name(const QByteArray &n)
{
    return n == "windows-1251" || n == "cp1251" || n == "x-cp1251" || n == "cp-1251";
}

bool IsLatin1Name(const QByteArray &n)
{
    return n == "iso-8859-1" || n == "iso8859-1" || n == "latin1" || n == "latin-1" || n == "l1";
}

bool IsWideName(const QByteArray &n)
{
    return n.startsWith("utf-16") || n.startsWith("utf-32") || n.startsWith("ucs-2")
        || n.startsWith("ucs-4") || n == "utf16" || n == "utf32" || n == "unicode";
}

// When the decoder maps every byte to one UTF-16 unit and keeps ASCII as it
// is, the encoding is a single-byte one and its high half is all we need.
std::optional<std::array<char16_t, 128>> SingleByteTable(const QByteArray &name)
{
    QByteArray allBytes(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        allBytes[b] = static_cast<char>(b);
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(allBytes);
    if (decoder.hasError() || text.size() != 256)
        return std::nullopt;
    std::array<char16_t, 128> table{};
    for (int b = 0; b < 256; ++b) {
        const char16_t unit = text[b].unicode();
        if (b < 0x80 && unit != b)
            return std::nullopt; // not ASCII-compatible: the parser could not read its markup
        if (b >= 0x80)
            table[b - 0x80] = unit;
    }
    return table;
}

PreparedXmlText Failed(QString reason)
{
    PreparedXmlText result;
    result.error = std::move(reason);
    return result;
}

PreparedXmlText CheckedUtf8(QByteArray bytes)
{
    const qsizetype bad = FindInvalidUtf8(bytes);
    if (bad >= 0) {
        const TextCodec codec = TextCodec::Utf8();
        if (bytes[bad] == 0)
            return Failed(PositionText(bytes, bad, codec) + QStringLiteral("недопустимый символ NUL"));
        return Failed(PositionText(bytes, bad, codec)
                      + QStringLiteral("недопустимая последовательность байтов UTF-8 (0x%1)")
                            .arg(static_cast<unsigned char>(bytes[bad]), 2, 16, QLatin1Char('0')));
    }
    PreparedXmlText result;
    result.buffer = std::move(bytes);
    return result;
}

PreparedXmlText CheckedSingleByte(QByteArray bytes, const std::array<char16_t, 128> &table)
{
    PreparedXmlText result;
    result.codec = TextCodec::SingleByte(table);
    const qsizetype nul = FindNul(bytes);
    if (nul >= 0)
        return Failed(PositionText(bytes, nul, result.codec) + QStringLiteral("недопустимый символ NUL"));
    result.buffer = std::move(bytes);
    return result;
}

// Whether a high surrogate lacks its low one or a low one its high one.
// Qt's UTF-16 decoder copies such units through, and the UTF-8 conversion
// afterwards would silently replace them.
bool HasUnpairedSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

// A decoder for a whole text in one call (see Transcoded).
QStringDecoder WholeTextDecoder(QStringConverter::Encoding encoding)
{
    return QStringDecoder(encoding, QStringConverter::Flag::Stateless);
}

// Converts text in an encoding the parser cannot take as it is to UTF-8. The
// whole text is decoded at once, so the decoder is stateless: a sequence cut
// off at the end is an error, not input kept for a next call.
// `unit` is the size of the encoding's code unit: text that ends inside one
// is cut off, which the UTF-16 and UTF-32 decoders do not report themselves.
PreparedXmlText Transcoded(const QByteArray &bytes, qsizetype start, QStringDecoder decoder,
                           const QString &encodingName, qsizetype unit = 1)
{
    const QString text = decoder.decode(QByteArrayView(bytes).sliced(start));
    if (decoder.hasError() || (bytes.size() - start) % unit != 0 || HasUnpairedSurrogate(text)) {
        return Failed(QStringLiteral("текст содержит байты, недопустимые в кодировке %1 "
                                     "(например, непарный суррогат UTF-16)")
                          .arg(encodingName));
    }
    QByteArray utf8 = text.toUtf8();
    return CheckedUtf8(std::move(utf8));
}

} // namespace

TextPosition PositionOf(const QByteArray &buffer, qsizetype offset, const TextCodec &codec)
{
    TextPosition pos;
    offset = std::min(offset, buffer.size());
    for (qsizetype i = 0; i < offset; ++i) {
        const auto c = static_cast<unsigned char>(buffer[i]);
        if (c == '\n') {
            ++pos.line;
            pos.column = 1;
        } else if (!codec.IsUtf8() || (c & 0xC0) != 0x80) {
            ++pos.column;
        }
    }
    return pos;
}

QByteArray DeclaredEncoding(const QByteArray &bytes, qsizetype start)
{
    QByteArrayView text = QByteArrayView(bytes).sliced(start);
    if (!text.startsWith("<?xml"))
        return {};
    const qsizetype end = text.indexOf("?>");
    const QByteArrayView decl = text.first(end < 0 ? std::min<qsizetype>(text.size(), 1024) : end);
    const qsizetype key = decl.indexOf("encoding");
    if (key < 0)
        return {};
    qsizetype i = key + 8;
    auto skipSpaces = [&] {
        while (i < decl.size() && (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n'))
            ++i;
    };
    skipSpaces();
    if (i >= decl.size() || decl[i] != '=')
        return {};
    ++i;
    skipSpaces();
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return {};
    const char quote = decl[i++];
    const qsizetype close = decl.indexOf(quote, i);
    if (close < 0)
        return {};
    return decl.sliced(i, close - i).toByteArray();
}

PreparedXmlText PrepareXmlText(QByteArray bytes)
{
    // Byte order marks, then the shapes "<?" takes in the wide encodings.
    if (StartsWith(bytes, {0xFF, 0xFE, 0x00, 0x00}) || StartsWith(bytes, {0x3C, 0x00, 0x00, 0x00}))
        return Transcoded(bytes, StartsWith(bytes, {0xFF}) ? 4 : 0,
                          WholeTextDecoder(QStringConverter::Utf32LE), QStringLiteral("UTF-32"), 4);
    if (StartsWith(bytes, {0x00, 0x00, 0xFE, 0xFF}) || StartsWith(bytes, {0x00, 0x00, 0x00, 0x3C}))
        return Transcoded(bytes, StartsWith(bytes, {0x00, 0x00, 0xFE}) ? 4 : 0,
                          WholeTextDecoder(QStringConverter::Utf32BE), QStringLiteral("UTF-32"), 4);
    if (StartsWith(bytes, {0xFF, 0xFE}) || StartsWith(bytes, {0x3C, 0x00, 0x3F, 0x00}))
        return Transcoded(bytes, StartsWith(bytes, {0xFF}) ? 2 : 0,
                          WholeTextDecoder(QStringConverter::Utf16LE), QStringLiteral("UTF-16"), 2);
    if (StartsWith(bytes, {0xFE, 0xFF}) || StartsWith(bytes, {0x00, 0x3C, 0x00, 0x3F}))
        return Transcoded(bytes, StartsWith(bytes, {0xFE}) ? 2 : 0,
                          WholeTextDecoder(QStringConverter::Utf16BE), QStringLiteral("UTF-16"), 2);

    const bool utf8Bom = StartsWith(bytes, {0xEF, 0xBB, 0xBF});
    if (utf8Bom) {
        // The mark decides; the parser must not see it as text.
        bytes.remove(0, 3);
        return CheckedUtf8(std::move(bytes));
    }

    const QByteArray declared = DeclaredEncoding(bytes, 0);
    const QByteArray name = NormalisedName(declared);
    if (name.isEmpty() || IsUtf8Name(name))
        return CheckedUtf8(std::move(bytes));
    if (IsWindows1251Name(name))
        return CheckedSingleByte(std::move(bytes), TextCodec::Windows1251HighHalf());
    if (IsLatin1Name(name)) {
        std::array<char16_t, 128> identity{};
        for (int i = 0; i < 128; ++i)
            identity[i] = static_cast<char16_t>(0x80 + i);
        return CheckedSingleByte(std::move(bytes), identity);
    }
    const QString shownName = QString::fromLatin1(declared.trimmed());
    if (IsWideName(name)) {
        return Failed(QStringLiteral("в объявлении указана кодировка %1, но текст записан "
                                     "однобайтовыми символами")
                          .arg(shownName));
    }
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return Failed(QStringLiteral("кодировка «%1» не поддерживается").arg(shownName));
    if (const auto table = SingleByteTable(name))
        return CheckedSingleByte(std::move(bytes), *table);
    return Transcoded(bytes, 0, std::move(decoder), shownName);
}
