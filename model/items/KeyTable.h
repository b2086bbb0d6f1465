#pragma once

#include "CNodeB.h"

#include <list>
#include <memory>

// A key of the console (element Key). Owner and Comm are kept exactly as
// written, blanks included.
class CKeyB : public CNodeTreeB
{
public:
    explicit CKeyB(CNodeTreeB *parent);

    int GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    std::int32_t m_Level = 0;
    std::int32_t m_Prefix = 0;
    std::int32_t m_Number = 0;
    QString m_Owner;
    QString m_Comm;
};

// The keys in document order, duplicates included (element TabKey).
class CTabKeyB : public CNodeTreeB
{
public:
    explicit CTabKeyB(CNodeTreeB *parent);

    int GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    // Destroys every key. The table's own element stays.
    void Clear();

    std::list<std::unique_ptr<CKeyB>> m_Keys;
};
