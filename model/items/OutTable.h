#pragma once

#include "model/items/ItemTable.h"

// One output of the console or of a lift (element Out).
class COutB : public CNodeTreeB
{
public:
    COutB(std::int32_t number, CNodeTreeB *parent);
    static std::unique_ptr<COutB> CreateRow(CNodeTreeB *table) { return std::make_unique<COutB>(0, table); }
    static std::int32_t KeyOf(const COutB &record) { return record.m_Number; }
    // Throws the ErrorXML reading the row would throw.
    static void CheckRow(const XmlElement &row);

    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;

    std::int32_t m_Number;
    QString m_ShortOn;
    QString m_LongOn;
    QString m_ShortOff;
    QString m_LongOff;
    std::int32_t m_Disabl = 0;
    std::int32_t m_InsLog = 0;
};

// The outputs keyed by Number (element TabOut).
class CTabOutB : public KeyedItemTable<COutB>
{
public:
    using ItemTable::ItemTable;
    NodeKind GetKind() const override;
    void XMLLoad(const XmlNode &node) override;
};
