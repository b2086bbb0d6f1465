#include "model/items/OutTable.h"

#include "model/items/RecordFields.h"
#include "model/NodeKind.h"

namespace {

constexpr QStringView kElement = u"Out";

using Field = RecordField<COutB>;
constexpr Field kFields[] = {
    {"Number", Field::Kind::Integer, &COutB::m_Number},
    {"ShortOn", Field::Kind::Text, nullptr, &COutB::m_ShortOn},
    {"ShortOff", Field::Kind::Text, nullptr, &COutB::m_ShortOff},
    {"LongOn", Field::Kind::Text, nullptr, &COutB::m_LongOn},
    {"LongOff", Field::Kind::Text, nullptr, &COutB::m_LongOff},
    {"Disabl", Field::Kind::Integer, &COutB::m_Disabl},
    {"InsLog", Field::Kind::Integer, &COutB::m_InsLog},
};

} // namespace

COutB::COutB(std::int32_t number, CNodeTreeB *parent)
    : CNodeTreeB(parent)
    , m_Number(number)
{
}

NodeKind COutB::GetKind() const
{
    return NodeKind::Out;
}

void COutB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, kElement);
    ReadRecordFields<COutB>(*this, XmlAttributes(element), kElement, kFields);
}

void COutB::CheckRow(const XmlElement &row)
{
    CheckRecordFields<COutB>(row, kElement, kFields);
}

NodeKind CTabOutB::GetKind() const
{
    return NodeKind::TabOut;
}

void CTabOutB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabOut", "Out");
}
