#include "items/StateTable.h"

#include "AttributeReading.h"
#include "NodeKind.h"

CStateB::CStateB(std::int32_t number, CNodeTreeB *parent)
    : CNodeTreeB(parent)
    , m_Number(number)
{
}

int CStateB::GetKind() const
{
    return NodeKind::State;
}

void CStateB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"State";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Int(attrs, kElement, "Number", m_Number);
    ReadAttr::Str(attrs, kElement, "ShortName", m_ShortName);
    ReadAttr::Str(attrs, kElement, "MesForLog", m_MesForLog);
    ReadAttr::Int(attrs, kElement, "InsLog", m_InsLog);
    ReadAttr::Int(attrs, kElement, "Pulsar", m_Pulsar);
    ReadAttr::Int(attrs, kElement, "GroupSost", m_GroupSost);
    ReadAttr::Int(attrs, kElement, "Disabl", m_Disabl);
    LoadIdDB(attrs);
}

int CTabStateB::GetKind() const
{
    return NodeKind::TabState;
}

void CTabStateB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabState", "State");
}
