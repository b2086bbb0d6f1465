#pragma once

#include "CNodeB.h"

#include <list>
#include <memory>
#include <vector>

// A key of the console (element Key). Owner and Comm are kept exactly as
// written, blanks included.
class CKeyB : public CNodeTreeB
{
public:
    explicit CKeyB(CNodeTreeB *parent);

    int GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    // Throws the ErrorXML reading the row would throw.
    static void CheckRow(const XmlElement &row);

    std::int32_t m_Level = 0;
    std::int32_t m_Prefix = 0;
    std::int32_t m_Number = 0;
    QString m_Owner;
    QString m_Comm;
};

// The keys in document order, duplicates included (element TabKey). Like the
// keyed tables, a read checks the rows and the keys are built on first use.
class CTabKeyB : public CNodeTreeB
{
public:
    using Keys = std::list<std::unique_ptr<CKeyB>>;

    explicit CTabKeyB(CNodeTreeB *parent);

    int GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    bool IsModified() const override;
    void ClearModified() override;
    void ReleaseElements() override;

    const Keys &GetKeys() const;
    Keys &GetKeys();
    // The table owns the key from now on; it goes to the end of the list.
    void Add(std::unique_ptr<CKeyB> key);
    // Destroys every key. The table's own element stays.
    void Clear();

private:
    void BuildPendingKeys() const;

    mutable Keys m_Keys;
    mutable std::vector<XmlNode> m_PendingRows;
};
