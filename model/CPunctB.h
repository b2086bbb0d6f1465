#pragma once

#include "model/CGroupB.h"
#include "model/CStreetB.h"
#include "model/Geometry.h"

#include <memory>
#include <vector>

// A dispatch point (element DISP): its streets, its lift groups and its settings.
class CPunctB : public CNodeTreeB
{
public:
    explicit CPunctB(CNodeTreeB *parent);
    ~CPunctB() override;

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    virtual std::unique_ptr<CStreetB> CreateStreet();
    virtual std::unique_ptr<CGroupB> CreateGroup();

    // For the group reader: the first lift of the point, in child-list order,
    // with these GUID bytes; and the first reference to this GUID in the
    // attached top-level groups, in the order FindLiftRef visits them.
    CLiftB *FindLiftByGuid(const Guid &guid);
    const CLiftInGroup *FindGroupedLift(const Guid &guid);
    // Appends a completely read group to the root group's sub-groups.
    void AttachTopLevelGroup(std::unique_ptr<CGroupB> group);

    std::int32_t TypViewLift = 2;
    std::int32_t TestMoveLift = 0;
    QString NameLock;
    std::int32_t AskLift = 0;
    std::int32_t SpeakGDP = 1;
    Size SizeLiftGrp{32, 32};
    Colour FonGrp = kWhite;
    std::int32_t AvtoGGS = 1;
    std::int32_t DisGrad = 0;
    // Holds the top-level groups as its sub-groups; not a child of the point.
    // Declared after the children's base, so it is destroyed before them.
    CGroupB m_RootGroup{nullptr, this};
    // Every lift of the point's houses, sorted by IdDB after the streets are read.
    std::vector<CLiftB *> m_Lifts;

private:
    struct GroupReadIndex;
    // Hashed lookups while the groups are read; null otherwise.
    std::unique_ptr<GroupReadIndex> m_GroupIndex;
};

// Sorts lifts by ascending IdDB (equal values keep no defined order).
void SortLiftsByIdDB(std::vector<CLiftB *> &lifts);
