#include "items/TermDevTable.h"

#include "AttributeReading.h"
#include "NodeKind.h"

CTermDevB::CTermDevB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

int CTermDevB::GetKind() const
{
    return NodeKind::TermDev;
}

void CTermDevB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"Dev";
    const XmlElement element = BeginElementLoad(node, kElement);
    m_Address = GetAttrInt(element, kElement, "Address", 0);
    m_Short = GetAttrStr(element, kElement, "Short");
    m_Name = GetAttrStr(element, kElement, "Full");
    m_Typ = GetAttrInt(element, kElement, "Typ", 0);
    m_Vers = GetAttrInt(element, kElement, "Vers", 0);
    LoadIdDB(element);
}

int CTabTermDevB::GetKind() const
{
    return NodeKind::TabTermDev;
}

void CTabTermDevB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabDev", "Dev");
}
