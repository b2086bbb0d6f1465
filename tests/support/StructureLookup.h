#pragma once

#include "layout/CHome.h"
#include "layout/CLift.h"
#include "layout/CPunct.h"
#include "layout/CRoot.h"
#include "layout/CStreet.h"

#include <QString>

// Nodes of a structure by name (and lifts by ID); a missing one fails the
// test with an exception, so that a fixture mistake never passes silently.
CPunct &PointNamed(const CRoot &root, const QString &name);
CStreet &StreetNamed(const CPunct &point, const QString &name);
CHome &HomeNamed(const CStreet &street, const QString &name);
// The first lift with the ID in the current order (the tests' IDs are unique).
CLift &LiftWithId(const CRoot &root, const QString &id);
