#pragma once

#include "model/CNodeB.h"
#include "model/Geometry.h"
#include "model/Guid.h"

#include <memory>
#include <vector>

class CGroupB;
class CLiftB;
class CPunctB;

// A group's reference to a lift of its dispatch point, by GUID (element LIFT
// inside GROUP). A group holds only references that resolved.
class CLiftInGroup : public CNodeTreeB
{
public:
    explicit CLiftInGroup(CGroupB *group);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    Guid GUID;
    ::Point Point;
    CLiftB *m_pLift = nullptr; // the referenced lift, not owned
};

// A lift group of a dispatch point (element GROUP); groups nest.
class CGroupB : public CNodeTreeB
{
public:
    // Deeper nesting is refused with an error instead of exhausting the stack.
    static constexpr int kMaxDepth = 256;

    CGroupB(CGroupB *parentGroup, CPunctB *punct);
    ~CGroupB() override;

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    virtual std::unique_ptr<CGroupB> CreateGroup();
    virtual std::unique_ptr<CLiftInGroup> CreateLiftRef();
    // Carried for the console; nothing here calls it.
    virtual int GetConsoleState() const;

    // The reference with exactly this GUID in this group or, depth first, in
    // its sub-groups; null when none.
    const CLiftInGroup *FindLiftRef(const Guid &guid) const;

    std::int32_t Number = 0;
    std::int32_t NoNewError = 0;
    std::int32_t Trasparent = 0;
    std::int32_t NoBorder = 0;
    ::Rect Rect;
    Colour Color = MakeColour(255, 251, 240);
    QString FileMap;
    CPunctB *m_pPunct;
    // Sorted by GUID bytes once the group is read.
    std::vector<std::unique_ptr<CLiftInGroup>> m_LiftRefs;
    std::vector<std::unique_ptr<CGroupB>> m_SubGroups;

private:
    void LoadAtDepth(const XmlNode &node, int depth);
    Q_NEVER_INLINE void ReadAttributes(const XmlElement &element);
    void ReadLiftRef(const XmlNode &node);
};
