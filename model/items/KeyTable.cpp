#include "items/KeyTable.h"

#include "NodeKind.h"
#include "items/RecordFields.h"

namespace {

constexpr QStringView kElement = u"Key";

using Field = RecordField<CKeyB>;
constexpr Field kFields[] = {
    {"Level", Field::Kind::Integer, &CKeyB::m_Level},
    {"Prefix", Field::Kind::Integer, &CKeyB::m_Prefix},
    {"Number", Field::Kind::Integer, &CKeyB::m_Number},
    {"Owner", Field::Kind::UntrimmedText, nullptr, &CKeyB::m_Owner},
    {"Comm", Field::Kind::UntrimmedText, nullptr, &CKeyB::m_Comm},
};

} // namespace

CKeyB::CKeyB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

int CKeyB::GetKind() const
{
    return NodeKind::Key;
}

void CKeyB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, kElement);
    ReadRecordFields<CKeyB>(*this, XmlAttributes(element), kElement, kFields);
}

void CKeyB::CheckRow(const XmlElement &row)
{
    CheckRecordFields<CKeyB>(row, kElement, kFields);
}

CTabKeyB::CTabKeyB(CNodeTreeB *parent)
    : CNodeTreeB(parent)
{
}

int CTabKeyB::GetKind() const
{
    return NodeKind::TabKey;
}

void CTabKeyB::XMLLoad(const XmlNode &node)
{
    const XmlElement element = BeginElementLoad(node, u"TabKey");
    ForEachChildElement(element, [&](const XmlNode &row) {
        if (!row.HasName("Key"))
            return;
        CKeyB::CheckRow(row.QueryElement());
        m_PendingRows.push_back(row);
    });
}

void CTabKeyB::BuildPendingKeys() const
{
    if (m_PendingRows.empty())
        return;
    std::vector<XmlNode> rows;
    rows.swap(m_PendingRows);
    auto *self = const_cast<CTabKeyB *>(this);
    for (const XmlNode &row : rows) {
        auto key = std::make_unique<CKeyB>(self);
        key->XMLLoad(row); // checked when it was read: cannot fail
        m_Keys.push_back(std::move(key));
    }
}

const CTabKeyB::Keys &CTabKeyB::GetKeys() const
{
    BuildPendingKeys();
    return m_Keys;
}

CTabKeyB::Keys &CTabKeyB::GetKeys()
{
    BuildPendingKeys();
    return m_Keys;
}

void CTabKeyB::Add(std::unique_ptr<CKeyB> key)
{
    BuildPendingKeys();
    key->m_pParent = this;
    m_Keys.push_back(std::move(key));
}

bool CTabKeyB::IsModified() const
{
    for (const auto &key : m_Keys)
        if (key->m_bModified)
            return true;
    return CNodeTreeB::IsModified();
}

void CTabKeyB::ClearModified()
{
    for (auto &key : m_Keys)
        key->m_bModified = false;
    CNodeTreeB::ClearModified();
}

void CTabKeyB::ReleaseElements()
{
    BuildPendingKeys(); // they need their elements to be built
    for (auto &key : m_Keys)
        key->ReleaseElements();
    CNodeTreeB::ReleaseElements();
}

void CTabKeyB::Clear()
{
    m_PendingRows.clear();
    m_Keys.clear();
}
