#include "model/xml/EncodingPrescan.h"

#include "model/ResString.h"

#include <initializer_list>
#include <string>

namespace {

enum class Width { Eight, Sixteen, ThirtyTwo };

struct Family
{
    Width width = Width::Eight;
    bool bigEndian = false;
    qsizetype markLength = 0;
    const char *markName = nullptr; // the mark's encoding, when there is a mark
};

bool StartsWith(QByteArrayView bytes, std::initializer_list<unsigned char> prefix)
{
    if (bytes.size() < qsizetype(prefix.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : prefix) {
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    }
    return true;
}

Family DetectFamily(QByteArrayView b)
{
    // Four-byte patterns first: FF FE 00 00 is UTF-32, not UTF-16 followed by NUL.
    if (StartsWith(b, {0xFF, 0xFE, 0x00, 0x00}))
        return {Width::ThirtyTwo, false, 4, "UTF-32LE"};
    if (StartsWith(b, {0x00, 0x00, 0xFE, 0xFF}))
        return {Width::ThirtyTwo, true, 4, "UTF-32BE"};
    if (StartsWith(b, {0xEF, 0xBB, 0xBF}))
        return {Width::Eight, false, 3, "UTF-8"};
    if (StartsWith(b, {0xFF, 0xFE}))
        return {Width::Sixteen, false, 2, "UTF-16LE"};
    if (StartsWith(b, {0xFE, 0xFF}))
        return {Width::Sixteen, true, 2, "UTF-16BE"};
    if (StartsWith(b, {0x3C, 0x00, 0x00, 0x00}))
        return {Width::ThirtyTwo, false, 0, nullptr};
    if (StartsWith(b, {0x00, 0x00, 0x00, 0x3C}))
        return {Width::ThirtyTwo, true, 0, nullptr};
    if (StartsWith(b, {0x3C, 0x00, 0x3F, 0x00}))
        return {Width::Sixteen, false, 0, nullptr};
    if (StartsWith(b, {0x00, 0x3C, 0x00, 0x3F}))
        return {Width::Sixteen, true, 0, nullptr};
    return {};
}

// The leading ASCII characters of the text, read in the family's width.
std::string LeadingAscii(QByteArrayView bytes, const Family &family)
{
    const int unit = family.width == Width::Eight ? 1 : family.width == Width::Sixteen ? 2 : 4;
    std::string text;
    for (qsizetype at = family.markLength; at + unit <= bytes.size() && text.size() < 512; at += unit) {
        unsigned value = 0;
        for (int k = 0; k < unit; ++k) {
            const unsigned byte = static_cast<unsigned char>(bytes[at + (family.bigEndian ? k : unit - 1 - k)]);
            value = value << 8 | byte;
        }
        if (value == 0 || value >= 0x80)
            break;
        text.push_back(static_cast<char>(value));
    }
    return text;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The XML declaration's encoding name; `declared` tells whether there is a declaration.
std::string DeclaredEncoding(const std::string &text, bool &declared)
{
    declared = text.size() > 5 && text.compare(0, 5, "<?xml") == 0 && IsSpace(text[5]);
    if (!declared)
        return {};
    const std::size_t end = text.find("?>");
    const std::string decl = text.substr(0, end);
    std::size_t at = decl.find("encoding");
    if (at == std::string::npos)
        return {};
    at += 8;
    while (at < decl.size() && IsSpace(decl[at]))
        ++at;
    if (at >= decl.size() || decl[at] != '=')
        return {};
    ++at;
    while (at < decl.size() && IsSpace(decl[at]))
        ++at;
    if (at >= decl.size() || (decl[at] != '"' && decl[at] != '\''))
        return {};
    const std::size_t close = decl.find(decl[at], at + 1);
    if (close == std::string::npos)
        return {};
    return decl.substr(at + 1, close - at - 1);
}

bool NameIn(const std::string &name, std::initializer_list<const char *> names)
{
    const QByteArray upper = QByteArray::fromStdString(name).toUpper();
    for (const char *n : names) {
        if (upper == n)
            return true;
    }
    return false;
}

bool Names16(const std::string &name, bool bigEndian)
{
    return NameIn(name, {"UTF-16", "UTF16", "ISO-10646-UCS-2", "UCS-2"})
        || NameIn(name, {bigEndian ? "UTF-16BE" : "UTF-16LE"});
}

bool Names32(const std::string &name, bool bigEndian)
{
    return NameIn(name, {"UTF-32", "UTF32", "ISO-10646-UCS-4", "UCS-4", "UCS4"})
        || NameIn(name, {bigEndian ? "UTF-32BE" : "UTF-32LE"});
}

bool NamesWide(const std::string &name)
{
    return Names16(name, false) || Names16(name, true) || Names32(name, false) || Names32(name, true);
}

} // namespace

EncodingPrescan PrescanEncoding(QByteArrayView bytes)
{
    EncodingPrescan result;
    const Family family = DetectFamily(bytes);
    result.markLength = family.markLength;
    const std::string name = DeclaredEncoding(LeadingAscii(bytes, family), result.hasDeclaration);
    const QString declared = QString::fromLatin1(name.data(), qsizetype(name.size()));

    result.encodingSettled = family.markName || family.width != Width::Eight;
    if (family.width != Width::Eight && !family.markName && name.empty()) {
        // Without a mark, only the declaration may say which of them it is.
        result.error = LoadResString(TextId::EncodingWideWithoutMarkOrDeclaration)
                           .arg(QString::fromLatin1(family.width == Width::Sixteen ? "UTF-16" : "UTF-32"));
        return result;
    }
    bool agrees = true;
    switch (family.width) {
    case Width::Eight:
        if (family.markName) {
            agrees = name.empty() || NameIn(name, {"UTF-8", "UTF8"});
        } else if (NamesWide(name)) {
            result.error = LoadResString(TextId::EncodingDeclaredWideButNarrow)
                               .arg(declared);
            return result;
        }
        break;
    case Width::Sixteen:
        agrees = name.empty() || Names16(name, family.bigEndian);
        break;
    case Width::ThirtyTwo:
        agrees = name.empty() || Names32(name, family.bigEndian);
        result.forcedEncoding = family.bigEndian ? "UTF-32BE" : "UTF-32LE";
        result.skipMark = true;
        break;
    }
    if (!agrees) {
        const QString shown = family.markName ? QString::fromLatin1(family.markName)
                                              : QString::fromLatin1(family.width == Width::Sixteen ? "UTF-16" : "UTF-32");
        result.error = family.markName
            ? LoadResString(TextId::EncodingMarkContradictsDeclaration).arg(shown, declared)
            : LoadResString(TextId::EncodingWidthContradictsDeclaration).arg(shown, declared);
    }
    return result;
}
