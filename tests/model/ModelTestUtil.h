#pragma once

#include "tests/support/QtPrinting.h"

#include "model/CGroupB.h"
#include "model/CLiftB.h"
#include "model/CPunctB.h"
#include "model/CRootB.h"
#include "model/ErrorXML.h"
#include "model/xml/XmlDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <stdexcept>

// Table cases print as their name in failures and test listings. Expanded in
// each file's own namespace, where argument-dependent lookup finds it.
#define KORVIX_CASES_PRINT_BY_NAME                                                                                   \
    template <class Case>                                                                                            \
        requires requires(const Case &c, std::ostream &os) { os << c.name; }                                         \
    [[maybe_unused]] void PrintTo(const Case &c, std::ostream *os)                                                   \
    {                                                                                                                \
        *os << c.name;                                                                                               \
    }

// The first element of a document given as text. The element keeps the
// document alive on its own.
inline XmlElement FirstElement(const QByteArray &xml)
{
    XmlDocument document = XmlDocument::Create();
    const XmlLoadResult loaded = document.LoadFromBytes(xml);
    if (!loaded.ok)
        throw std::runtime_error("test document does not parse: " + loaded.detail.toStdString());
    for (XmlNode node = document.GetFirstChild(); !node.IsNull(); node = node.GetNextSibling())
        if (node.GetNodeType() == XmlNodeType::Element)
            return node.QueryElement();
    throw std::runtime_error("test document has no element");
}

// Runs f and returns the ErrorXML it throws; fails the test when it throws none.
template <class F>
ErrorXML CaptureErrorXML(F &&f)
{
    try {
        f();
    } catch (const ErrorXML &error) {
        return error;
    }
    ADD_FAILURE() << "expected ErrorXML";
    return ErrorXML(QStringLiteral("<no error>"), 0);
}

// Every node the structure holds, lists and tables included, in a fixed order.
inline void ForEachStructureNode(CNodeTreeB &node, const std::function<void(CNodeTreeB &)> &f);

inline void ForEachGroupNode(CGroupB &group, const std::function<void(CNodeTreeB &)> &f)
{
    f(group);
    for (auto &ref : group.m_LiftRefs)
        f(*ref);
    for (auto &sub : group.m_SubGroups)
        ForEachGroupNode(*sub, f);
}

template <class Table>
void ForEachKeyedRecord(Table &table, const std::function<void(CNodeTreeB &)> &f)
{
    f(table);
    for (auto &[key, record] : table.GetRecords())
        f(*record);
}

inline void ForEachStructureNode(CNodeTreeB &node, const std::function<void(CNodeTreeB &)> &f)
{
    f(node);
    if (auto *root = dynamic_cast<CRootB *>(&node)) {
        ForEachKeyedRecord(root->m_TabState, f);
        ForEachKeyedRecord(root->m_TabOut, f);
        f(root->m_TabKey);
        for (auto &key : root->m_TabKey.GetKeys())
            f(*key);
    }
    if (auto *punct = dynamic_cast<CPunctB *>(&node))
        ForEachGroupNode(punct->m_RootGroup, f);
    if (auto *lift = dynamic_cast<CLiftB *>(&node)) {
        ForEachKeyedRecord(lift->m_TabState, f);
        ForEachKeyedRecord(lift->m_TabOut, f);
        ForEachKeyedRecord(lift->m_TabDev, f);
    }
    for (auto &child : node.m_Children)
        ForEachStructureNode(*child, f);
}

// The first lift named so anywhere in the structure; null when none.
inline CLiftB *FindLiftNamed(CRootB &root, const QString &name)
{
    for (CLiftB *lift : root.m_Lifts)
        if (lift->m_Name == name)
            return lift;
    return nullptr;
}

// The children's names in their current order.
inline QStringList ChildNames(const CNodeTreeB &node)
{
    QStringList names;
    for (const auto &child : node.m_Children)
        names.append(child->m_Name);
    return names;
}
