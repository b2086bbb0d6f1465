#include "CRootB.h"

#include "AttributeReading.h"
#include "ErrorXML.h"
#include "NodeKind.h"
#include "ResString.h"
#include "StructureMessages.h"

CRootB::CRootB()
    : CNodeTreeB(nullptr)
{
}

CRootB::~CRootB()
{
    // Children first: their elements belong to the document released last.
    m_Children.clear();
}

int CRootB::GetKind() const
{
    return NodeKind::Root;
}

std::unique_ptr<CPunctB> CRootB::CreatePunct()
{
    return std::make_unique<CPunctB>(this);
}

std::unique_ptr<CStateB> CRootB::CreateState(std::int32_t number)
{
    return std::make_unique<CStateB>(number, &m_TabState);
}

std::unique_ptr<COutB> CRootB::CreateOut(std::int32_t number)
{
    return std::make_unique<COutB>(number, &m_TabOut);
}

std::unique_ptr<CKeyB> CRootB::CreateKey()
{
    return std::make_unique<CKeyB>(&m_TabKey);
}

bool CRootB::IsModified() const
{
    return m_TabState.IsModified() || m_TabOut.IsModified() || m_TabKey.IsModified() || CNodeTreeB::IsModified();
}

void CRootB::ClearModified()
{
    m_TabState.ClearModified();
    m_TabOut.ClearModified();
    m_TabKey.ClearModified();
    CNodeTreeB::ClearModified();
}

void CRootB::ReleaseElements()
{
    CNodeTreeB::ReleaseElements();
    m_TabState.ReleaseElements();
    m_TabOut.ReleaseElements();
    m_TabKey.ReleaseElements();
}

void CRootB::ResetLayoutState()
{
}

void CRootB::DeriveLabels()
{
}

void CRootB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"PULT";
    const XmlElement e = BeginElementLoad(node, kElement);
    ReadAttr::Str(e, kElement, "Name", m_Name);
    ReadAttr::Int(e, kElement, "TimeAsk", TimeAsk);
    ReadAttr::Int(e, kElement, "TimeDriv", TimeDriv);
    ReadAttr::Int(e, kElement, "TimeGGS", TimeGGS);
    ReadAttr::Int(e, kElement, "OnLift", OnLift);
    ReadAttr::Int(e, kElement, "LockOut", LockOut);
    ReadAttr::Int(e, kElement, "OnTimer", OnTimer);
    ReadAttr::TimeValue(e, kElement, "Timer", Timer);
    ReadAttr::Int(e, kElement, "MaxVisibleRec", MaxVisibleRec);
    ReadAttr::GuidValue(e, kElement, "GUID", GUID);
    ReadAttr::Int(e, kElement, "IntervSTAT", IntervSTAT);
    ReadAttr::Int(e, kElement, "DivIntSTAT", DivIntSTAT);
    ReadAttr::Str(e, kElement, "NameLock", NameLock);
    ReadAttr::Int(e, kElement, "AvtoOpenNewErr", AvtoOpenNewErr);
    ReadAttr::Int(e, kElement, "AvtoCloseNewErr", AvtoCloseNewErr);
    ReadAttr::Int(e, kElement, "AdrLift", AdrLift);
    ReadAttr::Int(e, kElement, "DisGrad", DisGrad);
    ReadAttr::Int(e, kElement, "DisServKey", DisServKey);
    ReadAttr::Flag(e, kElement, "EnableGCM", EnableGCM);
    EnablePushNotify = GetAttrInt(e, kElement, "EnablePushNotify", 0) != 0;
    EnableEmailNotify = GetAttrInt(e, kElement, "EnableEmailNotify", 0) != 0;
    ReadAttr::Str(e, kElement, "LogPos", LogPos);
    ReadAttr::Str(e, kElement, "TabPos", TabPos);
    ReadAttr::Str(e, kElement, "TreePos", TreePos);
    ReadAttr::Str(e, kElement, "ColLog", ColLog);
    ReadAttr::Str(e, kElement, "WindowPos", WindowPos);
    ReadAttr::Int(e, kElement, "AlarmAdmin", AlarmAdmin);
    ReadAttr::UInt(e, kElement, "CRC", CRC);
    ReadAttr::Int(e, kElement, "TypProfil", TypProfil);
    DaySavCheck = GetAttrInt(e, kElement, "DaySavCheck", 0);
    DaySavEvents = GetAttrInt(e, kElement, "DaySavEvents", 0);
    DaySavVoice = GetAttrInt(e, kElement, "DaySavVoice", 0);
    DaySavStat = GetAttrInt(e, kElement, "DaySavStat", 0);
    Providers = GetAttrInt(e, kElement, "Providers", 0);
    FirstTestMove = TimeSpanValue::HoursAndHalf(GetAttrInt(e, kElement, "FirstTestMove", 8));
    SecondTestMove = TimeSpanValue::HoursAndHalf(GetAttrInt(e, kElement, "SecondTestMove", 18));

    // The console always asks once; the attribute only has to be a number.
    TimeAsk = 1;

    SiblingNames names(m_Children);
    ForEachChildElement(e, [&](const XmlNode &child) {
        if (child.HasName("DISP")) {
            std::unique_ptr<CPunctB> punct = CreatePunct();
            punct->XMLLoad(child);
            if (names.Add(punct->m_Name))
                ShowStructureMessage(*this, punct->m_Name + LoadMessageString(MessageId::RepeatedPunct));
            m_Children.push_back(std::move(punct));
        } else if (child.HasName("TabState")) {
            m_TabState.XMLLoad(child);
        } else if (child.HasName("TabOut")) {
            m_TabOut.XMLLoad(child);
        } else if (child.HasName("TabKey")) {
            m_TabKey.XMLLoad(child);
        }
    });
    // Sorting once at the end gives the order a sort after every child would:
    // nothing looks at the list while the children are read.
    SortLiftsByIdDB(m_Lifts);
    LoadIdDB(e);
}

void CRootB::ReleaseXML()
{
    ReleaseElements();
    m_XMLDOM = XmlDocument();
}

void CRootB::ResetStructure()
{
    ReleaseXML();
    m_Lifts.clear();
    ResetLayoutState();
    m_TabState.Clear();
    m_TabOut.Clear();
    m_TabKey.Clear();
    ClearChildren();
}

bool CRootB::CreateXMLDOM()
{
    try {
        m_XMLDOM = XmlDocument::Create();
        if (m_XMLDOM.IsNull())
            throw ErrorXML(MessageId::CreateParserFailed, XmlLoadCode::OutOfMemory);
        const XmlNode pi = m_XMLDOM.AppendProcessingInstruction(u"xml", u"version=\"1.0\" encoding=\"windows-1251\"");
        if (pi.IsNull())
            throw ErrorXML(MessageId::AppendChildFailed, XmlLoadCode::OutOfMemory);
    } catch (const ErrorXML &error) {
        if (CRootB *top = GetRoot())
            top->ReportError(error.Message(), error.Code(), error.Detail());
        return false;
    }
    return true;
}

void CRootB::LoadXML(const QString &path)
{
    if (m_XMLDOM.IsNull())
        return;
    ReadLoadedDocument(m_XMLDOM.Load(path));
}

void CRootB::LoadXMLFromBytes(QByteArray bytes)
{
    if (m_XMLDOM.IsNull())
        return;
    ReadLoadedDocument(m_XMLDOM.LoadFromBytes(std::move(bytes)));
}

void CRootB::ReadLoadedDocument(const XmlLoadResult &loaded)
{
    if (!loaded.ok)
        throw ErrorXML(MessageId::LoadFailed, loaded.code).WithDetail(loaded.detail);

    for (XmlNode node = m_XMLDOM.GetFirstChild(); !node.IsNull(); node = node.GetNextSibling()) {
        if (node.GetNodeType() == XmlNodeType::Element && node.HasName("PULT")) {
            XMLLoad(node);
            break;
        }
    }
    SortChildren();
    DeriveLabels();
}
