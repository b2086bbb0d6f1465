#include "model/CPunctB.h"

#include "model/AttributeReading.h"
#include "model/CRootB.h"
#include "model/ErrorXML.h"
#include "model/NodeKind.h"
#include "model/ResString.h"
#include "model/StructureMessages.h"

#include <algorithm>
#include <unordered_map>

struct CPunctB::GroupReadIndex
{
    std::unordered_map<Guid, CLiftB *> liftsByGuid;
    std::unordered_map<Guid, const CLiftInGroup *> groupedLifts;

    void AddGroup(const CGroupB &group)
    {
        for (const auto &ref : group.m_LiftRefs)
            groupedLifts.try_emplace(ref->GUID, ref.get());
        for (const auto &sub : group.m_SubGroups)
            AddGroup(*sub);
    }
};

CPunctB::CPunctB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

CPunctB::~CPunctB() = default;

NodeKind CPunctB::GetKind() const
{
    return NodeKind::Punct;
}

std::unique_ptr<CStreetB> CPunctB::CreateStreet()
{
    return std::make_unique<CStreetB>(this);
}

std::unique_ptr<CGroupB> CPunctB::CreateGroup()
{
    return std::make_unique<CGroupB>(&m_RootGroup, this);
}

bool CPunctB::IsModified() const
{
    return m_RootGroup.IsModified() || CNodeTreeB::IsModified();
}

void CPunctB::ClearModified()
{
    m_RootGroup.ClearModified();
    CNodeTreeB::ClearModified();
}

void CPunctB::ReleaseElements()
{
    m_RootGroup.ReleaseElements();
    CNodeTreeB::ReleaseElements();
}

void SortLiftsByIdDB(std::vector<CLiftB *> &lifts)
{
    std::sort(lifts.begin(), lifts.end(), [](const CLiftB *a, const CLiftB *b) { return a->m_IdDB < b->m_IdDB; });
}

CLiftB *CPunctB::FindLiftByGuid(const Guid &guid)
{
    if (m_GroupIndex) {
        const auto it = m_GroupIndex->liftsByGuid.find(guid);
        return it == m_GroupIndex->liftsByGuid.end() ? nullptr : it->second;
    }
    for (CStreetB *street : ChildrenAs<CStreetB>(*this))
        for (CHomeB *home : ChildrenAs<CHomeB>(*street))
            for (CLiftB *lift : ChildrenAs<CLiftB>(*home))
                if (lift->GUID == guid)
                    return lift;
    return nullptr;
}

const CLiftInGroup *CPunctB::FindGroupedLift(const Guid &guid)
{
    if (m_GroupIndex) {
        const auto it = m_GroupIndex->groupedLifts.find(guid);
        return it == m_GroupIndex->groupedLifts.end() ? nullptr : it->second;
    }
    for (const auto &group : m_RootGroup.m_SubGroups) {
        if (const CLiftInGroup *found = group->FindLiftRef(guid))
            return found;
    }
    return nullptr;
}

void CPunctB::AttachTopLevelGroup(std::unique_ptr<CGroupB> group)
{
    if (m_GroupIndex)
        m_GroupIndex->AddGroup(*group);
    m_RootGroup.m_SubGroups.push_back(std::move(group));
}

void CPunctB::XMLLoad(const XmlNode &node)
{
    static constexpr QStringView kElement = u"DISP";
    const XmlElement element = BeginElementLoad(node, kElement);
    const XmlAttributes attrs(element);
    ReadAttr::Str(attrs, kElement, "Name", m_Name);
    ReadAttr::Int(attrs, kElement, "TestMoveLift", TestMoveLift);
    ReadAttr::Str(attrs, kElement, "NameLock", NameLock);
    ReadAttr::Int(attrs, kElement, "AskLift", AskLift);
    ReadAttr::Int(attrs, kElement, "SpeakGDP", SpeakGDP);
    ReadAttr::Int(attrs, kElement, "TypViewLift", TypViewLift);
    ReadAttr::SizeValue(attrs, kElement, "SizeLiftGrp", SizeLiftGrp);
    ReadAttr::ColourValue(attrs, kElement, "FonGrp", FonGrp);
    ReadAttr::Int(attrs, kElement, "AvtoGGS", AvtoGGS);
    ReadAttr::Int(attrs, kElement, "DisGrad", DisGrad);

    // First pass: the streets with their houses and lifts.
    {
        SiblingNames names(m_Children);
        ForEachChildElement(element, [&](const XmlNode &child) {
            if (!child.HasName("STREET"))
                return;
            std::unique_ptr<CStreetB> street = CreateStreet();
            street->XMLLoad(child);
            if (names.Add(street->m_Name))
                ShowStructureMessage(*this, street->m_Name + LoadMessageString(TextId::RepeatedStreet), street.get());
            m_Children.push_back(std::move(street));
        });
    }
    SortLiftsByIdDB(m_Lifts);

    // Second pass: the groups, which may name any lift read in the first.
    m_GroupIndex = std::make_unique<GroupReadIndex>();
    m_GroupIndex->liftsByGuid.reserve(m_Lifts.size());
    struct IndexScope
    {
        std::unique_ptr<GroupReadIndex> &index;
        ~IndexScope() { index.reset(); }
    } scope{m_GroupIndex};
    for (CStreetB *street : ChildrenAs<CStreetB>(*this))
        for (CHomeB *home : ChildrenAs<CHomeB>(*street))
            for (CLiftB *lift : ChildrenAs<CLiftB>(*home))
                m_GroupIndex->liftsByGuid.try_emplace(lift->GUID, lift);
    for (const auto &group : m_RootGroup.m_SubGroups)
        m_GroupIndex->AddGroup(*group);

    ForEachChildElement(element, [&](const XmlNode &child) {
        if (!child.HasName("GROUP"))
            return;
        std::unique_ptr<CGroupB> group = CreateGroup();
        group->XMLLoad(child);
        AttachTopLevelGroup(std::move(group));
    });
    LoadIdDB(attrs);
}
