#pragma once

#include "model/AttributeReading.h"
#include "model/CNodeB.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>
#include <string_view>

// The attributes of a table row, in the order they are read, so that reading
// a row and checking one without building it can never disagree.
template <class Record>
struct RecordField
{
    enum class Kind {
        Integer,       // in-line: an absent attribute keeps the constructor's value
        Text,          // in-line, trimmed
        UntrimmedText, // in-line, exactly as written
        HelperInteger, // helper style: absent gives 0
        HelperText,    // helper style: absent gives the empty text
    };
    const char *name;
    Kind kind;
    std::int32_t Record::*integer = nullptr;
    QString Record::*text = nullptr;
};

// Reads the fields into the record, then IdDB.
template <class Record>
void ReadRecordFields(Record &record, const XmlAttributes &attrs, QStringView elementName,
                      std::span<const RecordField<Record>> fields)
{
    using Kind = typename RecordField<Record>::Kind;
    for (const RecordField<Record> &f : fields) {
        switch (f.kind) {
        case Kind::Integer:
            ReadAttr::Int(attrs, elementName, f.name, record.*f.integer);
            break;
        case Kind::Text:
            ReadAttr::Str(attrs, elementName, f.name, record.*f.text);
            break;
        case Kind::UntrimmedText:
            ReadAttr::Str(attrs, elementName, f.name, record.*f.text, ReadAttr::Trim::No);
            break;
        case Kind::HelperInteger:
            record.*f.integer = GetAttrInt(attrs, elementName, f.name, 0);
            break;
        case Kind::HelperText:
            record.*f.text = GetAttrStr(attrs, elementName, f.name);
            break;
        }
    }
    record.m_IdDB = GetAttrInt(attrs, u"", "IdDB", 0);
}

// Checks, without building the record, that reading it would succeed: throws
// the ErrorXML the read would throw, for the same first failing attribute
// (in reading order, IdDB last). One pass over the row's attributes; only
// numbers can fail.
template <class Record>
void CheckRecordFields(const XmlElement &row, QStringView elementName, std::span<const RecordField<Record>> fields)
{
    using Kind = typename RecordField<Record>::Kind;
    const std::size_t idDB = fields.size();
    std::size_t firstFailure = idDB + 1;
    bool overflow = false;
    std::uint64_t seen = 0;
    auto same = [](const char *a, const char *b) {
        while (*a && *a == *b)
            ++a, ++b;
        return *a == *b;
    };
    row.ForEachAttribute([&](const char *name, const XmlAttributeText &value) {
        std::size_t index = idDB;
        if (!same(name, "IdDB")) {
            index = 0;
            while (index < fields.size()
                   && !((fields[index].kind == Kind::Integer || fields[index].kind == Kind::HelperInteger)
                        && same(name, fields[index].name)))
                ++index;
            if (index == fields.size())
                return; // a text, or an attribute nobody reads
        }
        // A repeated attribute: the first one is what a read takes.
        const std::uint64_t bit = std::uint64_t(1) << index;
        if (seen & bit)
            return;
        seen |= bit;
        bool tooBig = false;
        if (index < firstFailure && !CanConvertToInt(value, &tooBig)) {
            firstFailure = index;
            overflow = tooBig;
        }
    });
    if (firstFailure <= idDB)
        ThrowIntReadError(overflow, firstFailure == idDB ? QStringView(u"") : elementName,
                          firstFailure == idDB ? "IdDB" : fields[firstFailure].name);
}
