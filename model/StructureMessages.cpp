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
    const std::u16string_view view = View(name);
    if (m_Set.empty()) {
        if (std::find(m_List.begin(), m_List.end(), view) != m_List.end())
            return true;
        m_List.push_back(view);
        if (m_List.size() > kListLimit) {
            m_Set.insert(m_List.begin(), m_List.end());
            m_List.clear();
        }
        return false;
    }
    return !m_Set.insert(view).second;
}
