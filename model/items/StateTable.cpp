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
    ReadAttr::Int(element, kElement, "Number", m_Number);
    ReadAttr::Str(element, kElement, "ShortName", m_ShortName);
    ReadAttr::Str(element, kElement, "MesForLog", m_MesForLog);
    ReadAttr::Int(element, kElement, "InsLog", m_InsLog);
    ReadAttr::Int(element, kElement, "Pulsar", m_Pulsar);
    ReadAttr::Int(element, kElement, "GroupSost", m_GroupSost);
    ReadAttr::Int(element, kElement, "Disabl", m_Disabl);
    LoadIdDB(element);
}

int CTabStateB::GetKind() const
{
    return NodeKind::TabState;
}

void CTabStateB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabState", "State");
}
