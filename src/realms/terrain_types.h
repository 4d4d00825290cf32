// Terrain numbers of provinces and the word each is written as in "db\province.csv" and "db\terrain.csv".
#pragma once

enum RZTerrain : int {
    TERRAIN_FOREST,
    TERRAIN_HILLS,
    TERRAIN_MARSH,
    TERRAIN_MOUNTAIN,
    TERRAIN_PLAINS,
    TERRAIN_DESERT,
    TERRAIN_OCEAN,
    TERRAIN_RIVER,
    TERRAIN_LAKE,
    kTerrainCount
};

// The table word written for each terrain; the reader also takes "hill", and a lake is spelt "sea".
inline constexpr const char* kTerrainWord[kTerrainCount]
    = { "forest", "hills", "march", "mountain", "plains", "desert", "ocean", "river", "sea" };
