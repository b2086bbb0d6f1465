#include "StructureMessages.h"

#include "CRootB.h"

void ShowStructureMessage(CNodeB &node, const QString &text)
{
    if (CRootB *root = node.GetRoot())
        root->ShowMessage(text, 0);
}
