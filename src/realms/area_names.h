// The names of the fixed province groups: regions and areas as "db\province.csv" spells them, and the
// text keys of the areas. The data generator writes the table from these same names.
#pragma once

inline constexpr int kRegionCount = 17;
inline constexpr int kAreaCount = 122;

// Index 0 ("-") is where an unknown name lands.
extern const char* const szRegion[kRegionCount];
extern const char* const szArea[kAreaCount];
// Every key is one the text tables can hold: they refuse a key with a blank, so no key has one.
extern const char* const szTransArea[kAreaCount];
