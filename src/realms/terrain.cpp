// The terrain table: words, texts and movement costs.
#include "realms/terrain.h"

#include <cstdio>
#include <strings.h>

#include "foundation/excel_parse.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

double CTerrain::TerrainMoveCost[kTerrainCount] = { 1, 1, 1, 1, 1, 1, 1, 1, 1 };

namespace {

const char* const kNameKeys[kTerrainCount] = { "FOREST_NAME", "HILL_NAME", "MARSH_NAME", "MOUNTAIN_NAME",
    "PLAINS_NAME", "DESERT_NAME", "OCEAN_NAME", "RIVER_NAME", "LAKE_NAME" };
const char* const kDescKeys[kTerrainCount] = { "FOREST_DESC", "HILL_DESC", "MARSH_DESC", "MOUNTAIN_DESC",
    "PLAINS_DESC", "DESERT_DESC", "OCEAN_DESC", "RIVER_DESC", "LAKE_DESC" };

} // namespace

void CTerrain::Init(const char* name)
{
    for (double& cost : TerrainMoveCost)
        cost = 1.0;
    CExcelParse table(name);
    if (!table.skip_rows(1))
        return;
    for (int terrain = 0; terrain < kTerrainCount; ++terrain) {
        double cost = 0.0;
        if (!table.skip_entries(1) || !table.parse_double(&cost)) {
            std::fprintf(stderr, "%s: the table ends before terrain %d\n", name, terrain);
            return;
        }
        // Path finding divides by and adds these: a cost that is no positive number would break it.
        if (!(cost > 0.0 && cost < 1000.0)) {
            std::fprintf(stderr, "%s line %d: movement cost %g refused\n", name, terrain + 2, cost);
            continue;
        }
        TerrainMoveCost[terrain] = cost;
    }
}

int CTerrain::GetTerrain(const char* word)
{
    if (!word)
        return TERRAIN_PLAINS;
    if (strcasecmp(word, "hill") == 0)
        return TERRAIN_HILLS;
    for (int terrain = 0; terrain < kTerrainCount; ++terrain)
        if (strcasecmp(word, kTerrainWord[terrain]) == 0)
            return terrain;
    return TERRAIN_PLAINS;
}

const char* CTerrain::GetTerrainName(int terrain)
{
    if (terrain < 0 || terrain >= kTerrainCount)
        return nullptr;
    return TextStrings.GetString(kNameKeys[terrain]);
}

const char* CTerrain::GetTerrainDesc(int terrain)
{
    if (terrain < 0 || terrain >= kTerrainCount)
        return nullptr;
    return TextStrings.GetString(kDescKeys[terrain]);
}
