#include "model/CStreetB.h"

#include "model/AttributeReading.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/StructureMessages.h"

CStreetB::CStreetB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

NodeKind CStreetB::GetKind() const
{
    return NodeKind::Street;
}

std::unique_ptr<CHomeB> CStreetB::CreateHome()
{
    return std::make_unique<CHomeB>(this);
}

void CStreetB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"STREET";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);
    ReadAttr::ColourValue(attrs, kElement, "Fon", Fon);

    SiblingNames names(m_Children);
    ForEachChildElement(element, [&](const XmlNode &child) {
        if (!child.HasName("HOME"))
            return;
        std::unique_ptr<CHomeB> home = CreateHome();
        home->XMLLoad(child);
        if (names.Add(home->m_Name)) {
            ShowStructureMessage(*this, m_Name + u',' + home->m_Name + LoadMessageString(TextId::RepeatedHome),
                                 home.get());
        }
        m_Children.push_back(std::move(home));
    });
    LoadIdDB(attrs);
}
