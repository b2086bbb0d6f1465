#pragma once

#include "model/items/ItemTable.h"

// A terminal device of a lift (element Dev); its full name is the node's name.
class CTermDevB : public CNodeTreeB
{
public:
    explicit CTermDevB(CNodeTreeB *parent);
    static std::unique_ptr<CTermDevB> CreateRow(CNodeTreeB *table) { return std::make_unique<CTermDevB>(table); }
    static std::int32_t KeyOf(const CTermDevB &record) { return record.m_Address; }
    // Throws the ErrorXML reading the row would throw.
    static void CheckRow(const XmlElement &row);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    QString m_Short;
    std::int32_t m_Address = 0;
    std::int32_t m_Typ = -1;
    std::int32_t m_Vers = 0;
};

// The devices keyed by Address (element TabDev).
class CTabTermDevB : public KeyedItemTable<CTermDevB>
{
public:
    using ItemTable::ItemTable;
    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
};
