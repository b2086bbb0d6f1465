#include "ResString.h"

#include "StringTable.h"

namespace {

QString LoadLimited(int id, qsizetype limit)
{
    if (const auto text = StringTable::Find(id))
        return text->left(limit).toString();
    return QStringLiteral("S%1").arg(id);
}

} // namespace

QString LoadResString(int id)
{
    return LoadLimited(id, 1023);
}

QString LoadMessageString(int id)
{
    return LoadLimited(id, 255);
}
