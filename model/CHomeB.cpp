#include "model/CHomeB.h"

#include "model/AttributeReading.h"
#include "model/CPunctB.h"
#include "model/CRootB.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/StructureMessages.h"

CHomeB::CHomeB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

NodeKind CHomeB::GetKind() const
{
    return NodeKind::Home;
}

std::unique_ptr<CLiftB> CHomeB::CreateLift()
{
    return std::make_unique<CLiftB>(this);
}

void CHomeB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"HOME";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);

    CPunctB *punct = GetPunct();
    CRootB *root = GetRoot();
    SiblingNames names(m_Children);
    ForEachChildElement(element, [&](const XmlNode &child) {
        if (!child.HasName("LIFT"))
            return;
        std::unique_ptr<CLiftB> lift = CreateLift();
        lift->XMLLoad(child);
        if (names.Add(lift->m_Name)) {
            const QString streetName = m_pParent ? m_pParent->m_Name : QString();
            ShowStructureMessage(*this,
                                 streetName + u',' + m_Name + u',' + lift->m_Name
                                     + LoadMessageString(TextId::RepeatedLift),
                                 lift.get());
        }
        CLiftB *added = lift.get();
        m_Children.push_back(std::move(lift));
        if (punct)
            punct->m_Lifts.push_back(added);
        if (root)
            root->m_Lifts.push_back(added);
    });
    LoadIdDB(attrs);
}
