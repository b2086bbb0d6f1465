#include "model/CGroupB.h"

#include "model/AttributeReading.h"
#include "model/CLiftB.h"
#include "model/CPunctB.h"
#include "model/ErrorCodes.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/StructureMessages.h"
#include "model/TextFormat.h"

#include <algorithm>

namespace {

constexpr QStringView kGroupElement = u"GROUP";

bool GuidBytesLess(const std::unique_ptr<CLiftInGroup> &a, const std::unique_ptr<CLiftInGroup> &b)
{
    return a->GUID < b->GUID;
}

} // namespace

CLiftInGroup::CLiftInGroup(CGroupB *group)
    : CNodeTreeB(group)
{
}

NodeKind CLiftInGroup::GetKind() const
{
    return NodeKind::LiftInGroup;
}

void CLiftInGroup::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"LIFT";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::GuidValue(attrs, kElement, "GUID", GUID);
    ReadAttr::PointValue(attrs, kElement, "Point", Point);
    LoadIdDB(attrs);
}

CGroupB::CGroupB(CGroupB *parentGroup, CPunctB *punct)
    : CNodeTreeB(parentGroup)
    , m_pPunct(punct)
{
}

// Members go in reverse order of declaration: sub-groups, then references.
CGroupB::~CGroupB() = default;

NodeKind CGroupB::GetKind() const
{
    return NodeKind::Group;
}

std::unique_ptr<CGroupB> CGroupB::CreateGroup()
{
    return std::make_unique<CGroupB>(this, m_pPunct);
}

std::unique_ptr<CLiftInGroup> CGroupB::CreateLiftRef()
{
    return std::make_unique<CLiftInGroup>(this);
}

int CGroupB::GetConsoleState() const
{
    return 0;
}

bool CGroupB::IsModified() const
{
    for (const auto &ref : m_LiftRefs)
        if (ref->m_bModified)
            return true;
    for (const auto &group : m_SubGroups)
        if (group->IsModified())
            return true;
    return CNodeTreeB::IsModified();
}

void CGroupB::ClearModified()
{
    for (auto &ref : m_LiftRefs)
        ref->m_bModified = false;
    for (auto &group : m_SubGroups)
        group->ClearModified();
    CNodeTreeB::ClearModified();
}

void CGroupB::ReleaseElements()
{
    for (auto &group : m_SubGroups)
        group->ReleaseElements();
    for (auto &ref : m_LiftRefs)
        ref->ReleaseElements();
    CNodeTreeB::ReleaseElements();
}

const CLiftInGroup *CGroupB::FindLiftRef(const Guid &guid) const
{
    const auto it = std::lower_bound(m_LiftRefs.begin(), m_LiftRefs.end(), guid,
                                     [](const auto &ref, const Guid &key) { return ref->GUID < key; });
    if (it != m_LiftRefs.end() && (*it)->GUID == guid)
        return it->get();
    for (const auto &group : m_SubGroups) {
        if (const CLiftInGroup *found = group->FindLiftRef(guid))
            return found;
    }
    return nullptr;
}

void CGroupB::XMLLoad(const XmlNode &node)
{
    LoadAtDepth(node, 1);
}

void CGroupB::LoadAtDepth(const XmlNode &node, int depth)
{
    const XmlElement element = BeginElementLoad(node, kGroupElement);
    if (depth > kMaxDepth) {
        throw ErrorXML(FormatText(LoadMessageString(TextId::GroupsTooDeep), {std::int64_t(kMaxDepth)}),
                       ConversionCode::NestingTooDeep);
    }
    ReadAttributes(element);

    ForEachChildElement(element, [&](const XmlNode &child) {
        if (child.HasName("LIFT")) {
            ReadLiftRef(child);
        } else if (child.HasName("GROUP")) {
            std::unique_ptr<CGroupB> group = CreateGroup();
            group->LoadAtDepth(child, depth + 1);
            m_SubGroups.push_back(std::move(group));
        }
    });
    std::sort(m_LiftRefs.begin(), m_LiftRefs.end(), GuidBytesLess);
    LoadIdDB(element);
}

// Out of line: the gathered attributes stay off the stack of the recursion.
void CGroupB::ReadAttributes(const XmlElement &element)
{
    static constexpr QStringView kElement = kGroupElement;
    const XmlAttributes attrs(element);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);
    ReadAttr::Int(attrs, kElement, "Number", Number);
    ReadAttr::RectValue(attrs, kElement, "Rect", Rect);
    ReadAttr::ColourValue(attrs, kElement, "Color", Color);
    ReadAttr::Int(attrs, kElement, "NoNewError", NoNewError);
    ReadAttr::Int(attrs, kElement, "Trasparent", Trasparent);
    ReadAttr::Int(attrs, kElement, "NoBorder", NoBorder);
    FileMap = GetAttrStr(attrs, kElement, "FileMap");
}

void CGroupB::ReadLiftRef(const XmlNode &node)
{
    std::unique_ptr<CLiftInGroup> ref = CreateLiftRef();
    ref->XMLLoad(node);
    if (!m_pPunct) // nothing to resolve against: a group holds only resolved references
        return;
    if (const CLiftInGroup *held = m_pPunct->FindGroupedLift(ref->GUID)) {
        const QString holder = held->m_pParent ? held->m_pParent->m_Name : QString();
        const QString text = FormatText(LoadMessageString(TextId::LiftAlreadyInGroup),
                                        {QStringView(GuidToText(held->GUID)), QStringView(holder)});
        ShowStructureMessage(*m_pPunct, text, ref.get());
        return;
    }
    if (CLiftB *lift = m_pPunct->FindLiftByGuid(ref->GUID)) {
        ref->m_pLift = lift;
        m_LiftRefs.push_back(std::move(ref));
        return;
    }
    const QString text = FormatText(LoadMessageString(TextId::LiftNotInStructure),
                                    {QStringView(GuidToText(ref->GUID)), QStringView(m_Name)});
    ShowStructureMessage(*m_pPunct, text, ref.get());
}
