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
    const XmlAttributes attrs(element);
    m_Address = GetAttrInt(attrs, kElement, "Address", 0);
    m_Short = GetAttrStr(attrs, kElement, "Short");
    m_Name = GetAttrStr(attrs, kElement, "Full");
    m_Typ = GetAttrInt(attrs, kElement, "Typ", 0);
    m_Vers = GetAttrInt(attrs, kElement, "Vers", 0);
    LoadIdDB(attrs);
}

int CTabTermDevB::GetKind() const
{
    return NodeKind::TabTermDev;
}

void CTabTermDevB::XMLLoad(const XmlNode &node)
{
    LoadRows(node, u"TabDev", "Dev");
}
