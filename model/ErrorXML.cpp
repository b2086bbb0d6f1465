#include "model/ErrorXML.h"

#include "model/ResString.h"
#include "model/TextFormat.h"
#include "resources/strings/StringTable.h"

namespace {

// A format text whose entry is missing falls back to a fixed English format
// rather than to "S<id>", which would lose the arguments.
QString FormatOrFallback(TextId id, const char16_t *fallback)
{
    if (StringTable::Find(id))
        return LoadMessageString(id);
    return QString::fromUtf16(fallback);
}

} // namespace

ErrorXML::ErrorXML(TextId messageId, std::int32_t code)
    : m_Message(LoadMessageString(messageId))
    , m_Code(code)
{
}

ErrorXML::ErrorXML(QStringView elementName)
{
    const QString format = FormatOrFallback(TextId::ElementFormat, u"%s elements %s");
    const QString what = LoadMessageString(TextId::NoElementInterface);
    m_Message = FormatText(format, {QStringView(what), elementName});
}

ErrorXML::ErrorXML(TextId messageId, std::int32_t code, QStringView elementName, QStringView attributeName)
    : m_Code(code)
{
    const QString format = FormatOrFallback(TextId::AttributeFormat, u"%s parameters %s elements %s");
    const QString what = LoadMessageString(messageId);
    m_Message = FormatText(format, {QStringView(what), attributeName, elementName});
}

ErrorXML::ErrorXML(const QString &text, std::int32_t code)
    : m_Message(text)
    , m_Code(code)
{
}
