#include "model/AttributeReading.h"

#include "model/ErrorCodes.h"
#include "model/ErrorXML.h"
#include "model/ValueParsing.h"
#include "model/WideSpace.h"

namespace {

[[noreturn]] void ThrowReadError(std::int32_t code, QStringView elementName, const char *attributeName)
{
    throw ErrorXML(TextId::ReadFailed, code, elementName, QString::fromLatin1(attributeName));
}

// The value as a 32-bit integer, read without building a string when it is
// plain ASCII.
std::optional<std::int32_t> ParseIntValue(const XmlAttributeText &value, bool *overflow)
{
    if (const auto ascii = value.PlainAscii())
        return ParseInt32(*ascii, overflow);
    return ParseInt32(value.ToString(), overflow);
}

std::int32_t ConvertInt(const XmlAttributeText &value, QStringView elementName, const char *attributeName)
{
    bool overflow = false;
    const std::optional<std::int32_t> number = ParseIntValue(value, &overflow);
    if (!number)
        ThrowIntReadError(overflow, elementName, attributeName);
    return *number;
}

} // namespace

bool CanConvertToInt(const XmlAttributeText &value, bool *overflow)
{
    return ParseIntValue(value, overflow).has_value();
}

void ThrowIntReadError(bool overflow, QStringView elementName, const char *attributeName)
{
    ThrowReadError(overflow ? ConversionCode::Overflow : ConversionCode::TypeMismatch, elementName, attributeName);
}

AttributeSource::AttributeSource(const XmlElement &element)
    : m_Object(&element)
    , m_Get([](const void *object, const char *name) {
        return static_cast<const XmlElement *>(object)->GetAttribute(name);
    })
{
}

AttributeSource::AttributeSource(const XmlAttributes &attributes)
    : m_Object(&attributes)
    , m_Get([](const void *object, const char *name) { return static_cast<const XmlAttributes *>(object)->Get(name); })
{
}

QString GetAttrStr(const AttributeSource &element, QStringView elementName, const char *attributeName)
{
    QString value;
    ReadAttr::Str(element, elementName, attributeName, value);
    return value;
}

std::int32_t GetAttrInt(const AttributeSource &element, QStringView elementName, const char *attributeName,
                        std::int32_t defaultValue)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return defaultValue;
    return ConvertInt(*value, elementName, attributeName);
}

Point ScanPoint(QStringView text)
{
    std::int32_t v[2] = {0, 0};
    ScanIntegers(text, u',', v, 2);
    return {v[0], v[1]};
}

Rect ScanRect(QStringView text)
{
    std::int32_t v[4] = {0, 0, 0, 0};
    ScanIntegers(text, u',', v, 4);
    return {v[0], v[1], v[2], v[3]};
}

Colour ScanColour(QStringView text)
{
    std::int32_t v[3] = {0, 0, 0};
    ScanIntegers(text, u',', v, 3);
    return MakeColour(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                      static_cast<std::uint8_t>(v[2]));
}

DateTimeValue ScanTime(QStringView text)
{
    std::int32_t v[3] = {0, 0, 0};
    ScanIntegers(TrimWide(text), u':', v, 3);
    return DateTimeValue::TimeOn1990(v[0], v[1], v[2]);
}

namespace ReadAttr {

bool Str(const AttributeSource &element, QStringView, const char *attributeName, QString &member, Trim trim)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = trim == Trim::Yes ? TrimWide(value->ToString()) : value->ToString();
    return true;
}

bool Int(const AttributeSource &element, QStringView elementName, const char *attributeName, std::int32_t &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = ConvertInt(*value, elementName, attributeName);
    return true;
}

bool UInt(const AttributeSource &element, QStringView elementName, const char *attributeName, std::uint32_t &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    bool overflow = false;
    const auto number = ParseUInt32(value->ToString(), &overflow);
    if (!number)
        ThrowIntReadError(overflow, elementName, attributeName);
    member = *number;
    return true;
}

bool Flag(const AttributeSource &element, QStringView elementName, const char *attributeName, bool &member)
{
    std::int32_t number = 0;
    if (!Int(element, elementName, attributeName, number))
        return false;
    member = number != 0;
    return true;
}

bool GuidValue(const AttributeSource &element, QStringView, const char *attributeName, Guid &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    if (const auto ascii = value->PlainAscii())
        member = TextToGuid(*ascii);
    else
        member = TextToGuid(value->ToString());
    return true;
}

bool PointValue(const AttributeSource &element, QStringView, const char *attributeName, Point &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = ScanPoint(value->ToString());
    return true;
}

bool SizeValue(const AttributeSource &element, QStringView, const char *attributeName, Size &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    const Point p = ScanPoint(value->ToString());
    member = {p.x, p.y};
    return true;
}

bool RectValue(const AttributeSource &element, QStringView, const char *attributeName, Rect &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = ScanRect(value->ToString());
    return true;
}

bool ColourValue(const AttributeSource &element, QStringView, const char *attributeName, Colour &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = ScanColour(value->ToString());
    return true;
}

bool TimeValue(const AttributeSource &element, QStringView, const char *attributeName, DateTimeValue &member)
{
    const auto value = element.Get(attributeName);
    if (!value)
        return false;
    member = ScanTime(value->ToString());
    return true;
}

} // namespace ReadAttr
