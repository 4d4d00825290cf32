// CRZAreaDB: the fixed groups of provinces, the 17 regions and 122 areas named in "db\province.csv", and
// which areas border each other.
#pragma once

#include "foundation/linked_list.h"
#include "realms/area_names.h"

class CProvince;

using RZArea = int;

class CRZAreaDB {
public:
    // The index of a name, compared without regard to case; an unknown or null name gives 0 ("-").
    static int WhichRegion(const char* name);
    static int WhichArea(const char* name);
    // Appends the province to the named group and returns the group's index.
    static int AddToRegion(const char* name, CProvince* province);
    static int AddToArea(const char* name, CProvince* province);
    // The localised name of an area; the text of index 0 for a number outside the table.
    static const char* GetAreaName(RZArea area);
    // Empties the region, area and neighbour-area lists before the province table is read.
    static void Reset();
    // Every area learns the areas its land provinces border across land.
    static void CalculateNeighbors();

    static CList<CProvince*> _Region[kRegionCount];
    static CList<CProvince*> _Areas[kAreaCount];
    static CList<RZArea> _NeighborAreas[kAreaCount];
    static CList<CProvince*> _Climate[8];

protected:
    ~CRZAreaDB() = default;
};
