// CGameMapProvince: the map's array of provinces and the tables that tie them to the map image, the
// bounding boxes ("map\boundbox.tbl") and the neighbours ("map\adjacent.tbl").
#pragma once

#include <cstdint>
#include <vector>

#include "realms/province.h"

class CGameMapProvince {
public:
    // Makes the 1008 provinces and lets CProvince::GetProvince find them; the game map calls it at its
    // load, ReleaseProvinces at its shutdown.
    static void MakeProvinces();
    static void ReleaseProvinces();

    // Reads the bounding boxes of provinces 0..1003. A short file is refused whole with a message and
    // leaves the boxes as they were; false then.
    static bool LoadBoundBoxes(const char* name);
    // Reads the neighbours of provinces 1..1003 and stores them through SetNeighbor. The table is checked
    // whole first (offsets rising and inside the file, neighbours 1..1003, none the province itself); a bad
    // table is refused with a message, leaves every province as it was and answers false.
    static bool LoadAdjacencyTable(const char* name);
    // Once per game, in the map's order: areas reset, the province table, area borders, the map's own
    // provinces, the neighbours, the straits and the spread neighbours. False when a table is missing or bad.
    static bool InitProvinces();
    static void ShutDownProvinces() { }

    static CProvince* Province;
    static int nSelected;

    static constexpr const char* kAdjacencyTable = "map\\adjacent.tbl";
    static constexpr const char* kBoundBoxTable = "map\\boundbox.tbl";
};
