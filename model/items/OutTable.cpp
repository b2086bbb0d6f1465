#include "items/OutTable.h"

#include "AttributeReading.h"
#include "NodeKind.h"

COutB::COutB(std::int32_t number, CNodeTreeB *parent)
    : CNodeTreeB(parent)
    , m_Number(number)
{
}

int COutB::GetKind() const
{
    return NodeKind::Out;
}

void COutB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"Out";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Int(attrs, kElement, "Number", m_Number);
    ReadAttr::Str(attrs, kElement, "ShortOn", m_ShortOn);
    ReadAttr::Str(attrs, kElement, "ShortOff", m_ShortOff);
    ReadAttr::Str(attrs, kElement, "LongOn", m_LongOn);
    ReadAttr::Str(attrs, kElement, "LongOff", m_LongOff);
    ReadAttr::Int(attrs, kElement, "Disabl", m_Disabl);
    ReadAttr::Int(attrs, kElement, "InsLog", m_InsLog);
    LoadIdDB(attrs);
}

int CTabOutB::GetKind() const
{
    return NodeKind::TabOut;
}

void CTabOutB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabOut", "Out");
}
