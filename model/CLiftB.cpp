#include "CLiftB.h"

#include "AttributeReading.h"
#include "NodeKind.h"
#include "WideSpace.h"

CDev::~CDev() = default;

CLiftB::CLiftB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

CLiftB::~CLiftB() = default;

int CLiftB::GetKind() const
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
    ReadAttr::Str(e, kElement, "Name", m_Name);
    ReadAttr::Str(e, kElement, "ID", ID);
    ReadAttr::GuidValue(e, kElement, "GUID", GUID);
    ReadAttr::Int(e, kElement, "SubNet", SubNet);
    ReadAttr::Int(e, kElement, "UM", UM);
    ReadAttr::Int(e, kElement, "Slot", Slot);
    ReadAttr::Int(e, kElement, "Addr", Addr);
    ReadAttr::Int(e, kElement, "IDPro", IDPro);
    ReadAttr::Int(e, kElement, "InsContr", InsContr);
    ReadAttr::Str(e, kElement, "NameLock", NameLock);
    ReadAttr::Str(e, kElement, "Owner", Owner);
    ReadAttr::Str(e, kElement, "ServBrig", ServBrig);
    ReadAttr::Str(e, kElement, "Mehan", Mehan);
    ReadAttr::Str(e, kElement, "RegNum", RegNum);
    ReadAttr::Str(e, kElement, "Model", Model);
    ReadAttr::Str(e, kElement, "Wight", Wight);
    ReadAttr::Str(e, kElement, "Speed", Speed);
    ReadAttr::Str(e, kElement, "TotlStop", TotlStop);
    ReadAttr::Str(e, kElement, "JobYear", JobYear);
    ReadAttr::Str(e, kElement, "DatTO", DatTO);
    ReadAttr::Str(e, kElement, "Manuf", Manuf);
    ReadAttr::Str(e, kElement, "Reduct", Reduct);
    ReadAttr::Str(e, kElement, "ElDriver", ElDriver);
    ReadAttr::Str(e, kElement, "Kanat", Kanat);
    ReadAttr::Str(e, kElement, "SkafManag", SkafManag);
    ReadAttr::Str(e, kElement, "SignalMan", SignalMan);
    ReadAttr::Str(e, kElement, "FactoryNumLU", FactoryNumLU);
    ReadAttr::Int(e, kElement, "Typ", Typ);
    ReadAttr::Int(e, kElement, "TotLvlUnder", TotLvlUnder);
    ReadAttr::Str(e, kElement, "NameFloor", NameFloor);
    ReadAttr::Int(e, kElement, "Access", Access);
    // Expanded before the trim, so line breaks at either end go too.
    if (ReadAttr::Str(e, kElement, "Comment", Comment, ReadAttr::Trim::No))
        Comment = TrimWide(ExpandCommentLineBreaks(std::move(Comment)));
    ReadAttr::Str(e, kElement, "VideoCmd", VideoCmd);

    ForEachChildElement(e, [&](const XmlNode &child) {
        if (child.HasName("TabState"))
            m_TabState.XMLLoad(child);
        else if (child.HasName("TabOut"))
            m_TabOut.XMLLoad(child);
        else if (child.HasName("TabDev"))
            m_TabDev.XMLLoad(child);
    });
    LoadIdDB(e);
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
