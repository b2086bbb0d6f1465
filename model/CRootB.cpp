#include "model/CRootB.h"

#include "model/AttributeReading.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/StructureMessages.h"

CRootB::CRootB()
    : CNodeTreeB(nullptr)
{
}

CRootB::~CRootB() = default;

NodeKind CRootB::GetKind() const
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
    const XmlAttributes attrs(e);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);
    ReadAttr::Int(attrs, kElement, "TimeAsk", TimeAsk);
    ReadAttr::Int(attrs, kElement, "TimeDriv", TimeDriv);
    ReadAttr::Int(attrs, kElement, "TimeGGS", TimeGGS);
    ReadAttr::Int(attrs, kElement, "OnLift", OnLift);
    ReadAttr::Int(attrs, kElement, "LockOut", LockOut);
    ReadAttr::Int(attrs, kElement, "OnTimer", OnTimer);
    ReadAttr::TimeValue(attrs, kElement, "Timer", Timer);
    ReadAttr::Int(attrs, kElement, "MaxVisibleRec", MaxVisibleRec);
    ReadAttr::GuidValue(attrs, kElement, "GUID", GUID);
    ReadAttr::Int(attrs, kElement, "IntervSTAT", IntervSTAT);
    ReadAttr::Int(attrs, kElement, "DivIntSTAT", DivIntSTAT);
    ReadAttr::Str(attrs, kElement, "NameLock", NameLock);
    ReadAttr::Int(attrs, kElement, "AvtoOpenNewErr", AvtoOpenNewErr);
    ReadAttr::Int(attrs, kElement, "AvtoCloseNewErr", AvtoCloseNewErr);
    ReadAttr::Int(attrs, kElement, "AdrLift", AdrLift);
    ReadAttr::Int(attrs, kElement, "DisGrad", DisGrad);
    ReadAttr::Int(attrs, kElement, "DisServKey", DisServKey);
    ReadAttr::Flag(attrs, kElement, "EnableGCM", EnableGCM);
    EnablePushNotify = GetAttrInt(attrs, kElement, "EnablePushNotify", 0) != 0;
    EnableEmailNotify = GetAttrInt(attrs, kElement, "EnableEmailNotify", 0) != 0;
    ReadAttr::Str(attrs, kElement, "LogPos", LogPos);
    ReadAttr::Str(attrs, kElement, "TabPos", TabPos);
    ReadAttr::Str(attrs, kElement, "TreePos", TreePos);
    ReadAttr::Str(attrs, kElement, "ColLog", ColLog);
    ReadAttr::Str(attrs, kElement, "WindowPos", WindowPos);
    ReadAttr::Int(attrs, kElement, "AlarmAdmin", AlarmAdmin);
    ReadAttr::UInt(attrs, kElement, "CRC", CRC);
    ReadAttr::Int(attrs, kElement, "TypProfil", TypProfil);
    DaySavCheck = GetAttrInt(attrs, kElement, "DaySavCheck", 0);
    DaySavEvents = GetAttrInt(attrs, kElement, "DaySavEvents", 0);
    DaySavVoice = GetAttrInt(attrs, kElement, "DaySavVoice", 0);
    DaySavStat = GetAttrInt(attrs, kElement, "DaySavStat", 0);
    Providers = GetAttrInt(attrs, kElement, "Providers", 0);
    FirstTestMove = TimeSpanValue::HoursAndHalf(GetAttrInt(attrs, kElement, "FirstTestMove", 8));
    SecondTestMove = TimeSpanValue::HoursAndHalf(GetAttrInt(attrs, kElement, "SecondTestMove", 18));

    // The console always asks once; the attribute only has to be a number.
    TimeAsk = 1;

    SiblingNames names(m_Children);
    ForEachChildElement(e, [&](const XmlNode &child) {
        if (child.HasName("DISP")) {
            std::unique_ptr<CPunctB> punct = CreatePunct();
            punct->XMLLoad(child);
            if (names.Add(punct->m_Name))
                ShowStructureMessage(*this, punct->m_Name + LoadMessageString(TextId::RepeatedPunct), punct.get());
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
    LoadIdDB(attrs);
}

void CRootB::ReleaseXML()
{
    ReleaseElements();
    m_XMLDOM = XmlDocument();
}

void CRootB::ResetStructure()
{
    m_HasPult = false;
    m_Lifts.clear();
    ResetLayoutState();
    m_TabState.Clear();
    m_TabOut.Clear();
    m_TabKey.Clear();
    ClearChildren();
    // Releasing the DOM last ends in the same state as releasing it first,
    // without building the records of tables that are about to go.
    ReleaseXML();
}

void CRootB::NewXMLDOM()
{
    m_XMLDOM = XmlDocument::Create();
    const XmlNode pi = m_XMLDOM.AppendProcessingInstruction(u"xml", u"version=\"1.0\" encoding=\"windows-1251\"");
    if (pi.IsNull())
        throw ErrorXML(TextId::AppendChildFailed, XmlLoadCode::OutOfMemory);
}

bool CRootB::CreateXMLDOM()
{
    try {
        NewXMLDOM();
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
        throw ErrorXML(TextId::LoadFailed, loaded.code).WithDetail(loaded.detail).AtPosition(loaded.position);

    for (XmlNode node = m_XMLDOM.GetFirstChild(); !node.IsNull(); node = node.GetNextSibling()) {
        if (node.GetNodeType() == XmlNodeType::Element && node.HasName("PULT")) {
            m_HasPult = true;
            try {
                XMLLoad(node);
            } catch (ErrorXML &error) {
                error.AtPosition(node.GetPosition());
                throw;
            }
            break;
        }
    }
    SortChildren();
    DeriveLabels();
}
