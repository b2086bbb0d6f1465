#include "model/items/KeyTable.h"

#include "model/items/RecordFields.h"
#include "model/NodeKind.h"

namespace {

constexpr QStringView kElement = u"Key";

using Field = RecordField<CKeyB>;
constexpr Field kFields[] = {
    {"Level", Field::Kind::Integer, &CKeyB::m_Level},
    {"Prefix", Field::Kind::Integer, &CKeyB::m_Prefix},
    {"Number", Field::Kind::Integer, &CKeyB::m_Number},
    {"Owner", Field::Kind::UntrimmedText, nullptr, &CKeyB::m_Owner},
    {"Comm", Field::Kind::UntrimmedText, nullptr, &CKeyB::m_Comm},
};

} // namespace

CKeyB::CKeyB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

NodeKind CKeyB::GetKind() const
{
    return NodeKind::Key;
}

void CKeyB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, kElement);
    ReadRecordFields<CKeyB>(*this, XmlAttributes(element), kElement, kFields);
}

void CKeyB::CheckRow(const XmlElement &row)
{
    CheckRecordFields<CKeyB>(row, kElement, kFields);
}

NodeKind CTabKeyB::GetKind() const
{
    return NodeKind::TabKey;
}

void CTabKeyB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabKey", "Key");
}
