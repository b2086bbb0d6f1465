#pragma once

#include "CNodeB.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

// A table of records kept in ascending order of a 32-bit key: a later record
// with the same key replaces the earlier one. Reading a second element of the
// same kind merges its rows into the table.
template <class Record>
class KeyedItemTable : public CNodeTreeB
{
public:
    using Records = std::map<std::int32_t, std::unique_ptr<Record>>;

    explicit KeyedItemTable(CNodeTreeB *parent) : CNodeTreeB(parent) {}

    // The table owns the record from now on; its parent becomes the table.
    void Add(std::unique_ptr<Record> record)
    {
        record->m_pParent = this;
        const std::int32_t key = Record::KeyOf(*record);
        m_Records[key] = std::move(record);
    }

    // Destroys every record. The table's own element stays.
    void Clear() { m_Records.clear(); }

    bool IsModified() const override
    {
        for (const auto &[key, record] : m_Records)
            if (record->m_bModified)
                return true;
        return CNodeTreeB::IsModified();
    }

    void ClearModified() override
    {
        for (auto &[key, record] : m_Records)
            record->m_bModified = false;
        CNodeTreeB::ClearModified();
    }

    void ReleaseElements() override
    {
        for (auto &[key, record] : m_Records)
            record->ReleaseElements();
        CNodeTreeB::ReleaseElements();
    }

    Records m_Records;

protected:
    // The table reader: every child element named like a row (Latin letters
    // without regard to case) becomes a record; tables have no IdDB.
    void LoadRows(const XmlNode &node, QStringView elementName, std::string_view rowName)
    {
        const XmlElement element = BeginElementLoad(node, elementName);
        ForEachChildElement(element, [&](const XmlNode &row) {
            if (!row.HasName(rowName))
                return;
            std::unique_ptr<Record> record = Record::CreateRow(this);
            record->XMLLoad(row);
            Add(std::move(record));
        });
    }
};
