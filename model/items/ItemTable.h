#pragma once

#include "model/CNodeB.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

// A table of item records (states, outputs, keys, devices) read from the rows
// of one or more elements of the same kind.
//
// Nothing in the program looks at the records of a structure it has read;
// they only have to read without error. So a read checks every row exactly
// as reading it would and keeps the row's element; the records are built from
// those elements, in document order, the first time anyone asks.
//
// Container is either an ordered map from a 32-bit key (a later record with
// the same key replaces the earlier one) or a list (document order, repeats
// kept).
template <class Record, class Container>
class ItemTable : public CNodeTreeB
{
public:
    explicit ItemTable(CNodeTreeB *parent) : CNodeTreeB(parent) {}

    const Container &GetRecords() const
    {
        BuildPendingRecords();
        return m_Records;
    }
    Container &GetRecords()
    {
        BuildPendingRecords();
        return m_Records;
    }

    // The table owns the record from now on; its parent becomes the table.
    void Add(std::unique_ptr<Record> record)
    {
        BuildPendingRecords();
        Store(std::move(record));
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
        for (const auto &entry : m_Records)
            if (RecordOf(entry).m_bModified)
                return true;
        return CNodeTreeB::IsModified();
    }

    void ClearModified() override
    {
        for (auto &entry : m_Records)
            RecordOf(entry).m_bModified = false;
        CNodeTreeB::ClearModified();
    }

    void ReleaseElements() override
    {
        BuildPendingRecords(); // they need their elements to be built
        for (auto &entry : m_Records)
            RecordOf(entry).ReleaseElements();
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
    template <class Key>
    static Record &RecordOf(const std::pair<const Key, std::unique_ptr<Record>> &entry)
    {
        return *entry.second;
    }
    static Record &RecordOf(const std::unique_ptr<Record> &entry) { return *entry; }

    template <class Key>
    static void Insert(std::map<Key, std::unique_ptr<Record>> &records, std::unique_ptr<Record> record)
    {
        const Key key = Record::KeyOf(*record);
        records[key] = std::move(record);
    }
    static void Insert(std::list<std::unique_ptr<Record>> &records, std::unique_ptr<Record> record)
    {
        records.push_back(std::move(record));
    }

    void Store(std::unique_ptr<Record> record) const
    {
        record->m_pParent = const_cast<ItemTable *>(this);
        Insert(m_Records, std::move(record));
    }

    void BuildPendingRecords() const
    {
        if (m_PendingRows.empty())
            return;
        std::vector<XmlNode> rows;
        rows.swap(m_PendingRows);
        for (const XmlNode &row : rows) {
            std::unique_ptr<Record> record = Record::CreateRow(const_cast<ItemTable *>(this));
            record->XMLLoad(row); // checked when it was read: cannot fail
            Store(std::move(record));
        }
    }

    mutable Container m_Records;
    // Rows read and checked, not built yet, in document order.
    mutable std::vector<XmlNode> m_PendingRows;
};

// The tables keyed by a record's number or address.
template <class Record>
using KeyedItemTable = ItemTable<Record, std::map<std::int32_t, std::unique_ptr<Record>>>;
