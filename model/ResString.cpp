#include "model/ResString.h"

#include "resources/strings/StringTable.h"

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

QString LoadResString(TextId id)
{
    return LoadResString(static_cast<int>(id));
}

QString LoadMessageString(TextId id)
{
    return LoadMessageString(static_cast<int>(id));
}
