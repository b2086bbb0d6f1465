#pragma once

#include "model/items/ItemTable.h"

// One state of the console or of a lift (element State).
class CStateB : public CNodeTreeB
{
public:
    CStateB(std::int32_t number, CNodeTreeB *parent);
    static std::unique_ptr<CStateB> CreateRow(CNodeTreeB *table) { return std::make_unique<CStateB>(0, table); }
    static std::int32_t KeyOf(const CStateB &record) { return record.m_Number; }
    // Throws the ErrorXML reading the row would throw.
    static void CheckRow(const XmlElement &row);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    std::int32_t m_Number;
    QString m_ShortName;
    QString m_MesForLog;
    std::int32_t m_InsLog = 0;
    std::int32_t m_Pulsar = 1;
    std::int32_t m_GroupSost = 11;
    std::int32_t m_Disabl = 0;
};

// The states keyed by Number (element TabState).
class CTabStateB : public KeyedItemTable<CStateB>
{
public:
    using ItemTable::ItemTable;
    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
};
