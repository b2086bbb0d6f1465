#pragma once

#include "model/Geometry.h"

#include <QHash>
#include <QString>

class CPunct;
class CRoot;
class CStreet;

// The background colours chosen in this run, by name, so that reading the
// file again keeps them where the names still exist.
class ChosenColours
{
public:
    void PointChosen(const CPunct &point);
    void StreetChosen(const CStreet &street);
    // Gives every point and street still named as before its chosen colour;
    // with repeated names, each of them.
    void ApplyTo(CRoot &root) const;
    void Clear();

private:
    QHash<QString, Colour> m_Points;
    QHash<QString, Colour> m_Streets; // point name, a NUL, street name
};
