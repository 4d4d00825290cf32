// CTerrain: the terrain kinds of provinces, their table words, texts and the movement costs read from
// "db\terrain.csv".
#pragma once

#include "realms/terrain_types.h"

class CTerrain {
public:
    // Reads "db\terrain.csv": a header row, then one row of name and cost per terrain in number order. A
    // missing table or row keeps the costs of 1.0; a cost that is not a positive number is reported with
    // its row and left at 1.0.
    static void Init(const char* name = kTable);
    // The number of a table word, compared without regard to case; any word not known is plains.
    static int GetTerrain(const char* word);
    // The localised texts; null for a number outside 0..8.
    static const char* GetTerrainName(int terrain);
    static const char* GetTerrainDesc(int terrain);

    static double TerrainMoveCost[kTerrainCount];
    static constexpr const char* kTable = "db\\terrain.csv";
};
