#include "model/CNodeB.h"

#include "model/AttributeReading.h"
#include "model/CPunctB.h"
#include "model/CRootB.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"

#include <algorithm>

CNodeB::CNodeB(CNodeTreeB *parent)
    : m_pParent(parent)
{
}

CNodeB::~CNodeB() = default;

QString CNodeB::GetInfoText() const
{
    return {};
}

QString CNodeB::GetExtraText() const
{
    return {};
}

void CNodeB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, u"");
    LoadIdDB(element);
}

void CNodeB::XMLSave()
{
}

CNodeB *CNodeB::GetTop()
{
    CNodeB *node = this;
    while (node->m_pParent)
        node = node->m_pParent;
    return node;
}

CPunctB *CNodeB::GetPunct()
{
    for (CNodeB *node = this; node; node = node->m_pParent) {
        if (node->GetKind() == NodeKind::Punct)
            return static_cast<CPunctB *>(node);
    }
    return nullptr;
}

CRootB *CNodeB::GetRoot()
{
    CNodeB *top = GetTop();
    return top->GetKind() == NodeKind::Root ? static_cast<CRootB *>(top) : nullptr;
}

XmlElement CNodeB::BeginElementLoad(const XmlNode &node, QStringView elementName)
{
    if (!(node == m_pElem))
        m_pElem = node;
    XmlElement element = node.QueryElement();
    if (element.IsNull())
        throw ErrorXML(elementName);
    return element;
}

void CNodeB::LoadIdDB(const AttributeSource &attributes)
{
    m_IdDB = GetAttrInt(attributes, u"", "IdDB", 0);
}

CNodeTreeB::CNodeTreeB(CNodeTreeB *parent)
    : CNodeB(parent)
{
}

CNodeTreeB::~CNodeTreeB() = default;

bool CNodeTreeB::IsModified() const
{
    if (m_bModified)
        return true;
    return std::any_of(m_Children.begin(), m_Children.end(),
                       [](const auto &child) { return child->IsModified(); });
}

void CNodeTreeB::ClearModified()
{
    m_bModified = false;
    for (auto &child : m_Children)
        child->ClearModified();
}

void CNodeTreeB::OnNotify(std::intptr_t)
{
}

void CNodeTreeB::ClearChildren()
{
    m_Children.clear();
    m_Name.clear();
    m_pParent = nullptr;
    m_IdDB = 0;
}

CNodeTreeB *CNodeTreeB::FindChild(QStringView name) const
{
    for (const auto &child : m_Children) {
        if (child->m_Name == name)
            return child.get();
    }
    return nullptr;
}

void CNodeTreeB::SortChildren()
{
    // QString's operator< compares UTF-16 code units as unsigned numbers.
    std::sort(m_Children.begin(), m_Children.end(),
              [](const auto &a, const auto &b) { return a->m_Name < b->m_Name; });
    for (auto &child : m_Children)
        child->SortChildren();
}

void CNodeTreeB::ReleaseElements()
{
    m_pElem = {};
    for (auto &child : m_Children)
        child->ReleaseElements();
}
