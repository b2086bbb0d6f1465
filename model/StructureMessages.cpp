#include "model/StructureMessages.h"

#include "model/CPunctB.h"
#include "model/CRootB.h"
#include "model/NodeKind.h"

#include <algorithm>

void ShowStructureMessage(CNodeB &node, const QString &text, const CNodeB *concerned)
{
    CRootB *root = node.GetRoot();
    if (!root)
        return;
    if (!concerned)
        concerned = &node;
    StructureMessage message;
    message.text = text;
    message.position = concerned->m_pElem.GetPosition();
    bool throughPoint = false;
    for (const CNodeB *n = concerned; n && n->GetKind() != NodeKind::Root; n = n->m_pParent) {
        throughPoint = throughPoint || n->GetKind() == NodeKind::Punct;
        if (!n->m_Name.isEmpty())
            message.path.prepend(n->m_Name);
    }
    // A group's chain ends at the group: the point it belongs to goes first.
    if (const CPunctB *point = node.GetPunct(); point && !throughPoint)
        message.path.prepend(point->m_Name);
    message.node = concerned->GetKind() == NodeKind::LiftInGroup ? &node : concerned;
    root->ShowMessageAt(message);
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
