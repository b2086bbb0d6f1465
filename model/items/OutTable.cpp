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
    ReadAttr::Int(element, kElement, "Number", m_Number);
    ReadAttr::Str(element, kElement, "ShortOn", m_ShortOn);
    ReadAttr::Str(element, kElement, "ShortOff", m_ShortOff);
    ReadAttr::Str(element, kElement, "LongOn", m_LongOn);
    ReadAttr::Str(element, kElement, "LongOff", m_LongOff);
    ReadAttr::Int(element, kElement, "Disabl", m_Disabl);
    ReadAttr::Int(element, kElement, "InsLog", m_InsLog);
    LoadIdDB(element);
}

int CTabOutB::GetKind() const
{
    return NodeKind::TabOut;
}

void CTabOutB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabOut", "Out");
}
