#include "ErrorXML.h"

#include "ResString.h"
#include "StringTable.h"
#include "TextFormat.h"

namespace {

// A format text whose entry is missing falls back to a fixed English format
// rather than to "S<id>", which would lose the arguments.
QString FormatOrFallback(int id, const char16_t *fallback)
{
    if (StringTable::Find(id))
        return LoadMessageString(id);
    return QString::fromUtf16(fallback);
}

} // namespace

ErrorXML::ErrorXML(int messageId, std::int32_t code)
    : m_Message(LoadMessageString(messageId))
    , m_Code(code)
{
}

ErrorXML::ErrorXML(QStringView elementName)
{
    const QString format = FormatOrFallback(MessageId::ElementFormat, u"%s elements %s");
    const QString what = LoadMessageString(MessageId::NoElementInterface);
    m_Message = FormatText(format, {QStringView(what), elementName});
}

ErrorXML::ErrorXML(int messageId, std::int32_t code, QStringView elementName, QStringView attributeName)
    : m_Code(code)
{
    const QString format = FormatOrFallback(MessageId::AttributeFormat, u"%s parameters %s elements %s");
    const QString what = LoadMessageString(messageId);
    m_Message = FormatText(format, {QStringView(what), attributeName, elementName});
}

ErrorXML::ErrorXML(const QString &text, std::int32_t code)
    : m_Message(text)
    , m_Code(code)
{
}
