#pragma once

#include "model/Geometry.h"
#include "model/Guid.h"
#include "model/TimeValues.h"
#include "model/xml/XmlDocument.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Reading attribute values by the structure file's conventions. Every function
// takes the element (or the attributes gathered from it), the element's name
// and the attribute's name; the names are used only in error messages. A
// value that does not convert throws ErrorXML «Ошибка при чтении параметра
// <attribute> элемента <element>».

// Where the values come from: an element itself, or its attributes gathered
// in one pass (cheaper for readers that ask for many names).
class AttributeSource
{
public:
    AttributeSource(const XmlElement &element);
    AttributeSource(const XmlAttributes &attributes);

    std::optional<XmlAttributeText> Get(const char *name) const { return m_Get(m_Object, name); }

private:
    const void *m_Object;
    std::optional<XmlAttributeText> (*m_Get)(const void *, const char *);
};

// Helper style: an absent attribute gives the empty text.
QString GetAttrStr(const AttributeSource &element, QStringView elementName, const char *attributeName);
// Helper style: an absent attribute gives the default.
std::int32_t GetAttrInt(const AttributeSource &element, QStringView elementName, const char *attributeName,
                        std::int32_t defaultValue);

// In-line style: an absent attribute leaves the member as it is. Each returns
// whether the attribute was present.
namespace ReadAttr {

enum class Trim { Yes, No };

bool Str(const AttributeSource &element, QStringView elementName, const char *attributeName, QString &member,
         Trim trim = Trim::Yes);
bool Int(const AttributeSource &element, QStringView elementName, const char *attributeName, std::int32_t &member);
bool UInt(const AttributeSource &element, QStringView elementName, const char *attributeName, std::uint32_t &member);
bool Flag(const AttributeSource &element, QStringView elementName, const char *attributeName, bool &member);
bool GuidValue(const AttributeSource &element, QStringView elementName, const char *attributeName, Guid &member);
// "%d,%d": parts the text does not reach become 0.
bool PointValue(const AttributeSource &element, QStringView elementName, const char *attributeName, Point &member);
bool SizeValue(const AttributeSource &element, QStringView elementName, const char *attributeName, Size &member);
// "%d,%d,%d,%d": left, top, right, bottom.
bool RectValue(const AttributeSource &element, QStringView elementName, const char *attributeName, Rect &member);
// "%d,%d,%d": red, green, blue, each reduced to its low 8 bits.
bool ColourValue(const AttributeSource &element, QStringView elementName, const char *attributeName, Colour &member);
// "%H:%M:%S" of the trimmed text, as that time on 1 January 1990.
bool TimeValue(const AttributeSource &element, QStringView elementName, const char *attributeName,
               DateTimeValue &member);

} // namespace ReadAttr

// Whether the value converts to a 32-bit integer; when not, `overflow` tells
// a number out of range from a non-number.
bool CanConvertToInt(const XmlAttributeText &value, bool *overflow);
// The read error for an integer attribute that did not convert.
[[noreturn]] void ThrowIntReadError(bool overflow, QStringView elementName, const char *attributeName);

// The value kinds, from text (also used by tests).
Point ScanPoint(QStringView text);
Rect ScanRect(QStringView text);
Colour ScanColour(QStringView text);
DateTimeValue ScanTime(QStringView text);
