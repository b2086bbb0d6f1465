#include "StructureMessages.h"

#include "CRootB.h"

#include <algorithm>

void ShowStructureMessage(CNodeB &node, const QString &text)
{
    if (CRootB *root = node.GetRoot())
        root->ShowMessage(text, 0);
}

bool SiblingNames::Add(const QString &name)
{
    const QStringView view(name);
    if (m_Set.empty()) {
        if (std::find(m_List.begin(), m_List.end(), view) != m_List.end())
            return true;
        m_List.push_back(view);
        if (m_List.size() > kListLimit) {
            for (QStringView listed : m_List)
                m_Set.insert(listed);
            m_List.clear();
        }
        return false;
    }
    return !m_Set.insert(view).second;
}
