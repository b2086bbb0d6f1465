#include "model/items/StateTable.h"

#include "model/items/RecordFields.h"
#include "model/NodeKind.h"

namespace {

constexpr QStringView kElement = u"State";

using Field = RecordField<CStateB>;
constexpr Field kFields[] = {
    {"Number", Field::Kind::Integer, &CStateB::m_Number},
    {"ShortName", Field::Kind::Text, nullptr, &CStateB::m_ShortName},
    {"MesForLog", Field::Kind::Text, nullptr, &CStateB::m_MesForLog},
    {"InsLog", Field::Kind::Integer, &CStateB::m_InsLog},
    {"Pulsar", Field::Kind::Integer, &CStateB::m_Pulsar},
    {"GroupSost", Field::Kind::Integer, &CStateB::m_GroupSost},
    {"Disabl", Field::Kind::Integer, &CStateB::m_Disabl},
};

} // namespace

CStateB::CStateB(std::int32_t number, CNodeTreeB *parent)
    : CNodeTreeB(parent)
    , m_Number(number)
{
}

NodeKind CStateB::GetKind() const
{
    return NodeKind::State;
}

void CStateB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, kElement);
    ReadRecordFields<CStateB>(*this, XmlAttributes(element), kElement, kFields);
}

void CStateB::CheckRow(const XmlElement &row)
{
    CheckRecordFields<CStateB>(row, kElement, kFields);
}

NodeKind CTabStateB::GetKind() const
{
    return NodeKind::TabState;
}

void CTabStateB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabState", "State");
}
