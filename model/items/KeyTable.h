#pragma once

#include "model/items/ItemTable.h"

#include <list>
#include <memory>

// A key of the console (element Key). Owner and Comm are kept exactly as
// written, blanks included.
class CKeyB : public CNodeTreeB
{
public:
    explicit CKeyB(CNodeTreeB *parent);
    static std::unique_ptr<CKeyB> CreateRow(CNodeTreeB *table) { return std::make_unique<CKeyB>(table); }

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
    // Throws the ErrorXML reading the row would throw.
    static void CheckRow(const XmlElement &row);

    std::int32_t m_Level = 0;
    std::int32_t m_Prefix = 0;
    std::int32_t m_Number = 0;
    QString m_Owner;
    QString m_Comm;
};

// The keys in document order, duplicates included (element TabKey).
class CTabKeyB : public ItemTable<CKeyB, std::list<std::unique_ptr<CKeyB>>>
{
public:
    using Keys = std::list<std::unique_ptr<CKeyB>>;
    using ItemTable::ItemTable;

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    const Keys &GetKeys() const { return GetRecords(); }
    Keys &GetKeys() { return GetRecords(); }
};
