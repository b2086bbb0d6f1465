#include "model/items/TermDevTable.h"

#include "model/items/RecordFields.h"
#include "model/NodeKind.h"

namespace {

constexpr QStringView kElement = u"Dev";

using Field = RecordField<CTermDevB>;
constexpr Field kFields[] = {
    {"Address", Field::Kind::HelperInteger, &CTermDevB::m_Address},
    {"Short", Field::Kind::HelperText, nullptr, &CTermDevB::m_Short},
    // The device's full name is the node's own name.
    {"Full", Field::Kind::HelperText, nullptr, &CTermDevB::m_Name},
    {"Typ", Field::Kind::HelperInteger, &CTermDevB::m_Typ},
    {"Vers", Field::Kind::HelperInteger, &CTermDevB::m_Vers},
};

} // namespace

CTermDevB::CTermDevB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

NodeKind CTermDevB::GetKind() const
{
    return NodeKind::TermDev;
}

void CTermDevB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, kElement);
    ReadRecordFields<CTermDevB>(*this, XmlAttributes(element), kElement, kFields);
}

void CTermDevB::CheckRow(const XmlElement &row)
{
    CheckRecordFields<CTermDevB>(row, kElement, kFields);
}

NodeKind CTabTermDevB::GetKind() const
{
    return NodeKind::TabTermDev;
}

void CTabTermDevB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabDev", "Dev");
}
