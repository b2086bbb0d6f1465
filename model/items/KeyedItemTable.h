#pragma once

#include "CNodeB.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

// A table of records kept in ascending order of a 32-bit key: a later record
// with the same key replaces the earlier one. Reading a second element of the
// same kind merges its rows into the table.
//
// Nothing in the program looks at the records of a structure it has read;
// they only have to read without error. So a read checks every row exactly
// as reading it would, and keeps the row's element; the records are built
// from those elements, in document order, the first time anyone asks.
template <class Record>
class KeyedItemTable : public CNodeTreeB
{
public:
    using Records = std::map<std::int32_t, std::unique_ptr<Record>>;

    explicit KeyedItemTable(CNodeTreeB *parent) : CNodeTreeB(parent) {}

    const Records &GetRecords() const
    {
        BuildPendingRecords();
        return m_Records;
    }
    Records &GetRecords()
    {
        BuildPendingRecords();
        return m_Records;
    }

    // The table owns the record from now on; its parent becomes the table.
    void Add(std::unique_ptr<Record> record)
    {
        BuildPendingRecords();
        Insert(std::move(record));
    }

    // Destroys every record. The table's own element stays.
    void Clear()
    {
        m_PendingRows.clear();
        m_Records.clear();
    }

    bool IsModified() const override
    {
        // Records not built yet cannot have been modified.
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
        BuildPendingRecords(); // they need their elements to be built
        for (auto &[key, record] : m_Records)
            record->ReleaseElements();
        CNodeTreeB::ReleaseElements();
    }

protected:
    // The table reader: every child element named like a row (Latin letters
    // without regard to case) is a record; tables have no IdDB.
    void LoadRows(const XmlNode &node, QStringView elementName, std::string_view rowName)
    {
        const XmlElement element = BeginElementLoad(node, elementName);
        ForEachChildElement(element, [&](const XmlNode &row) {
            if (!row.HasName(rowName))
                return;
            Record::CheckRow(row.QueryElement());
            if (m_PendingRows.capacity() == 0)
                m_PendingRows.reserve(8); // tables are short; skip the first regrowths
            m_PendingRows.push_back(row);
        });
    }

private:
    void Insert(std::unique_ptr<Record> record) const
    {
        record->m_pParent = const_cast<KeyedItemTable *>(this);
        const std::int32_t key = Record::KeyOf(*record);
        m_Records[key] = std::move(record);
    }

    void BuildPendingRecords() const
    {
        if (m_PendingRows.empty())
            return;
        std::vector<XmlNode> rows;
        rows.swap(m_PendingRows);
        for (const XmlNode &row : rows) {
            std::unique_ptr<Record> record = Record::CreateRow(const_cast<KeyedItemTable *>(this));
            record->XMLLoad(row); // checked when it was read: cannot fail
            Insert(std::move(record));
        }
    }

    mutable Records m_Records;
    // Rows read and checked, not built yet, in document order.
    mutable std::vector<XmlNode> m_PendingRows;
};
