#pragma once

#include <QSet>
#include <QString>
#include <QStringView>

#include <unordered_set>
#include <vector>

#include "model/xml/XmlDocument.h"

#include <QStringList>

class CNodeB;

// An information message of a read, with what it concerns.
struct StructureMessage
{
    QString text;
    // Where the element it concerns starts in the file; zeros when unknown.
    XmlPosition position;
    // The names from the dispatch point down to that element.
    QStringList path;
    // The node it concerns, or the nearest one the structure keeps (a
    // reference a group refused is not kept: its dispatch point then).
    // Valid until the structure is reset.
    const CNodeB *node = nullptr;
};

// Passes an information message to the console root above the node, if any.
// `concerned` is the node whose element the message is about: for a
// repetition the later one; null for the node itself.
void ShowStructureMessage(CNodeB &node, const QString &text, const CNodeB *concerned = nullptr);

// Names of the siblings read so far, for the repeated-name checks: the same
// answer as a search among the children, without the quadratic cost. Holds
// views of the names: the named nodes must outlive it and keep their names.
class SiblingNames
{
public:
    template <class Children>
    explicit SiblingNames(const Children &children)
    {
        for (const auto &child : children)
            Add(child->m_Name);
    }
    // True when the name was already there.
    bool Add(const QString &name);

private:
    // Most houses have a handful of lifts: a short list beats hashing.
    static constexpr std::size_t kListLimit = 16;
    struct ViewHash
    {
        std::size_t operator()(QStringView view) const noexcept { return qHash(view); }
    };
    std::vector<QStringView> m_List;
    // Not a QSet: Qt 6.4's hash insertion is noexcept, so running out of
    // memory there would abort instead of failing the read.
    std::unordered_set<QStringView, ViewHash> m_Set;
};
