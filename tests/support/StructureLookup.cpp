#include "tests/support/StructureLookup.h"

#include <stdexcept>
#include <string>

namespace {

// The child of the kind `T` with the name; `what` names the kind for the failure.
template <class T>
T &ChildNamed(const CNodeTreeB &parent, const QString &name, const char *what)
{
    for (T *child : ChildrenAs<T>(parent))
        if (child->m_Name == name)
            return *child;
    throw std::runtime_error(std::string("no ") + what + " " + name.toStdString());
}

} // namespace

CPunct &PointNamed(const CRoot &root, const QString &name)
{
    return ChildNamed<CPunct>(root, name, "dispatch point");
}

CStreet &StreetNamed(const CPunct &point, const QString &name)
{
    return ChildNamed<CStreet>(point, name, "street");
}

CHome &HomeNamed(const CStreet &street, const QString &name)
{
    return ChildNamed<CHome>(street, name, "house");
}

CLift &LiftWithId(const CRoot &root, const QString &id)
{
    for (CPunct *point : ChildrenAs<CPunct>(root))
        for (CStreet *street : ChildrenAs<CStreet>(*point))
            for (CHome *home : ChildrenAs<CHome>(*street))
                for (CLift *lift : ChildrenAs<CLift>(*home))
                    if (lift->ID == id)
                        return *lift;
    throw std::runtime_error("no lift with ID " + id.toStdString());
}
