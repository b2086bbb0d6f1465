#pragma once

#include <QSet>
#include <QString>

class CNodeB;

// Passes an information message to the console root above the node, if any.
void ShowStructureMessage(CNodeB &node, const QString &text);

// Names of the siblings read so far, for the repeated-name checks: the same
// answer as a search among the children, without the quadratic cost.
class SiblingNames
{
public:
    template <class Children>
    explicit SiblingNames(const Children &children)
    {
        m_Names.reserve(static_cast<qsizetype>(children.size()) + 16);
        for (const auto &child : children)
            m_Names.insert(child->m_Name);
    }
    // True when the name was already there.
    bool Add(const QString &name)
    {
        const qsizetype before = m_Names.size();
        m_Names.insert(name);
        return m_Names.size() == before;
    }

private:
    QSet<QString> m_Names;
};
