#include "items/KeyTable.h"

#include "AttributeReading.h"
#include "NodeKind.h"

CKeyB::CKeyB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

int CKeyB::GetKind() const
{
    return NodeKind::Key;
}

void CKeyB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"Key";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Int(attrs, kElement, "Level", m_Level);
    ReadAttr::Int(attrs, kElement, "Prefix", m_Prefix);
    ReadAttr::Int(attrs, kElement, "Number", m_Number);
    ReadAttr::Str(attrs, kElement, "Owner", m_Owner, ReadAttr::Trim::No);
    ReadAttr::Str(attrs, kElement, "Comm", m_Comm, ReadAttr::Trim::No);
    LoadIdDB(attrs);
}

CTabKeyB::CTabKeyB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

int CTabKeyB::GetKind() const
{
    return NodeKind::TabKey;
}

void CTabKeyB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, u"TabKey");
    ForEachChildElement(element, [&](const XmlNode &row) {
        if (!row.HasName("Key"))
            return;
        auto key = std::make_unique<CKeyB>(this);
        key->XMLLoad(row);
        key->m_pParent = this;
        m_Keys.push_back(std::move(key));
    });
}

bool CTabKeyB::IsModified() const
{
    for (const auto &key : m_Keys)
        if (key->m_bModified)
            return true;
    return CNodeTreeB::IsModified();
}

void CTabKeyB::ClearModified()
{
    for (auto &key : m_Keys)
        key->m_bModified = false;
    CNodeTreeB::ClearModified();
}

void CTabKeyB::ReleaseElements()
{
    for (auto &key : m_Keys)
        key->ReleaseElements();
    CNodeTreeB::ReleaseElements();
}

void CTabKeyB::Clear()
{
    m_Keys.clear();
}
