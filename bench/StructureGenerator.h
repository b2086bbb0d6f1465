#pragma once

#include <QByteArray>

// Synthetic structure files for the benchmarks, in windows-1251 like the
// consoles' own files.
struct GeneratorShape
{
    int points = 4;
    int streetsPerPoint = 25;
    int housesPerStreet = 35;
    int liftsPerHouse = 10;
    int rowsPerTable = 8;      // rows in each of a lift's three tables
    int groupsPerPoint = 6;    // top-level groups, each naming a slice of the point's lifts
    double groupedShare = 0.3; // share of a point's lifts named in its groups
};

QByteArray GenerateStructure(const GeneratorShape &shape);

// One dispatch point named "ОДС" with `lifts` lifts spread over `houses`
// houses in `streets` streets, on a few dozen line controllers; no tables.
QByteArray GeneratePoint(int lifts, int houses, int streets);

// One point, one street, one house with `lifts` lifts and no tables; one group
// naming every second lift.
QByteArray GenerateFlatStructure(int lifts);
