#include "model/CLiftB.h"

#include "model/AttributeReading.h"
#include "model/NodeKind.h"
#include "model/WideSpace.h"

CDev::~CDev() = default;

CLiftB::CLiftB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

CLiftB::~CLiftB() = default;

NodeKind CLiftB::GetKind() const
{
    return NodeKind::Lift;
}

QString ExpandCommentLineBreaks(QString comment)
{
    return comment.replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
}

void CLiftB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"LIFT";
    const XmlElement e = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(e);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);
    ReadAttr::Str(attrs, kElement, "ID", ID);
    ReadAttr::GuidValue(attrs, kElement, "GUID", GUID);
    ReadAttr::Int(attrs, kElement, "SubNet", SubNet);
    ReadAttr::Int(attrs, kElement, "UM", UM);
    ReadAttr::Int(attrs, kElement, "Slot", Slot);
    ReadAttr::Int(attrs, kElement, "Addr", Addr);
    ReadAttr::Int(attrs, kElement, "IDPro", IDPro);
    ReadAttr::Int(attrs, kElement, "InsContr", InsContr);
    ReadAttr::Str(attrs, kElement, "NameLock", NameLock);
    ReadAttr::Str(attrs, kElement, "Owner", Owner);
    ReadAttr::Str(attrs, kElement, "ServBrig", ServBrig);
    ReadAttr::Str(attrs, kElement, "Mehan", Mehan);
    ReadAttr::Str(attrs, kElement, "RegNum", RegNum);
    ReadAttr::Str(attrs, kElement, "Model", Model);
    ReadAttr::Str(attrs, kElement, "Wight", Wight);
    ReadAttr::Str(attrs, kElement, "Speed", Speed);
    ReadAttr::Str(attrs, kElement, "TotlStop", TotlStop);
    ReadAttr::Str(attrs, kElement, "JobYear", JobYear);
    ReadAttr::Str(attrs, kElement, "DatTO", DatTO);
    ReadAttr::Str(attrs, kElement, "Manuf", Manuf);
    ReadAttr::Str(attrs, kElement, "Reduct", Reduct);
    ReadAttr::Str(attrs, kElement, "ElDriver", ElDriver);
    ReadAttr::Str(attrs, kElement, "Kanat", Kanat);
    ReadAttr::Str(attrs, kElement, "SkafManag", SkafManag);
    ReadAttr::Str(attrs, kElement, "SignalMan", SignalMan);
    ReadAttr::Str(attrs, kElement, "FactoryNumLU", FactoryNumLU);
    ReadAttr::Int(attrs, kElement, "Typ", Typ);
    ReadAttr::Int(attrs, kElement, "TotLvlUnder", TotLvlUnder);
    ReadAttr::Str(attrs, kElement, "NameFloor", NameFloor);
    ReadAttr::Int(attrs, kElement, "Access", Access);
    // Expanded before the trim, so line breaks at either end go too.
    if (ReadAttr::Str(attrs, kElement, "Comment", Comment, ReadAttr::Trim::No))
        Comment = TrimWide(ExpandCommentLineBreaks(std::move(Comment)));
    ReadAttr::Str(attrs, kElement, "VideoCmd", VideoCmd);

    ForEachChildElement(e, [&](const XmlNode &child) {
        if (child.HasName("TabState"))
            m_TabState.XMLLoad(child);
        else if (child.HasName("TabOut"))
            m_TabOut.XMLLoad(child);
        else if (child.HasName("TabDev"))
            m_TabDev.XMLLoad(child);
    });
    LoadIdDB(attrs);
}

bool CLiftB::IsModified() const
{
    return m_TabState.IsModified() || m_TabOut.IsModified() || m_TabDev.IsModified() || CNodeTreeB::IsModified();
}

void CLiftB::ClearModified()
{
    m_TabState.ClearModified();
    m_TabOut.ClearModified();
    m_TabDev.ClearModified();
    CNodeTreeB::ClearModified();
}

void CLiftB::ReleaseElements()
{
    m_TabOut.ReleaseElements();
    m_TabState.ReleaseElements();
    m_TabDev.ReleaseElements();
    CNodeTreeB::ReleaseElements();
}

std::unique_ptr<CStateB> CLiftB::CreateState(std::int32_t number)
{
    return std::make_unique<CStateB>(number, &m_TabState);
}

std::unique_ptr<COutB> CLiftB::CreateOut(std::int32_t number)
{
    return std::make_unique<COutB>(number, &m_TabOut);
}
