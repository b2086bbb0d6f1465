#include "AttributeReading.h"

#include "ErrorCodes.h"
#include "ErrorXML.h"
#include "ValueParsing.h"
#include "WideSpace.h"

namespace {

[[noreturn]] void ThrowReadError(std::int32_t code, QStringView elementName, const char *attributeName)
{
    throw ErrorXML(MessageId::ReadFailed, code, elementName, QString::fromLatin1(attributeName));
}

std::int32_t ConvertInt(const XmlAttributeText &value, QStringView elementName, const char *attributeName)
{
    bool overflow = false;
    std::optional<std::int32_t> number;
    if (const auto ascii = value.PlainAscii())
        number = ParseInt32(*ascii, &overflow);
    else
        number = ParseInt32(value.ToString(), &overflow);
    if (!number)
        ThrowReadError(overflow ? ConversionCode::Overflow : ConversionCode::TypeMismatch, elementName,
                       attributeName);
    return *number;
}

} // namespace

QString GetAttrStr(const XmlElement &element, QStringView elementName, const char *attributeName)
{
    QString value;
    ReadAttr::Str(element, elementName, attributeName, value);
    return value;
}

std::int32_t GetAttrInt(const XmlElement &element, QStringView elementName, const char *attributeName,
                        std::int32_t defaultValue)
{
    const auto value = element.GetAttribute(attributeName);
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

bool Str(const XmlElement &element, QStringView, const char *attributeName, QString &member, Trim trim)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = trim == Trim::Yes ? TrimWide(value->ToString()) : value->ToString();
    return true;
}

bool Int(const XmlElement &element, QStringView elementName, const char *attributeName, std::int32_t &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = ConvertInt(*value, elementName, attributeName);
    return true;
}

bool UInt(const XmlElement &element, QStringView elementName, const char *attributeName, std::uint32_t &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    bool overflow = false;
    const auto number = ParseUInt32(value->ToString(), &overflow);
    if (!number)
        ThrowReadError(overflow ? ConversionCode::Overflow : ConversionCode::TypeMismatch, elementName,
                       attributeName);
    member = *number;
    return true;
}

bool Flag(const XmlElement &element, QStringView elementName, const char *attributeName, bool &member)
{
    std::int32_t number = 0;
    if (!Int(element, elementName, attributeName, number))
        return false;
    member = number != 0;
    return true;
}

bool GuidValue(const XmlElement &element, QStringView, const char *attributeName, Guid &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = TextToGuid(value->ToString());
    return true;
}

bool PointValue(const XmlElement &element, QStringView, const char *attributeName, Point &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = ScanPoint(value->ToString());
    return true;
}

bool SizeValue(const XmlElement &element, QStringView, const char *attributeName, Size &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    const Point p = ScanPoint(value->ToString());
    member = {p.x, p.y};
    return true;
}

bool RectValue(const XmlElement &element, QStringView, const char *attributeName, Rect &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = ScanRect(value->ToString());
    return true;
}

bool ColourValue(const XmlElement &element, QStringView, const char *attributeName, Colour &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = ScanColour(value->ToString());
    return true;
}

bool TimeValue(const XmlElement &element, QStringView, const char *attributeName, DateTimeValue &member)
{
    const auto value = element.GetAttribute(attributeName);
    if (!value)
        return false;
    member = ScanTime(value->ToString());
    return true;
}

} // namespace ReadAttr
