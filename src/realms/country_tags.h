// The tags of the built-in realms, country numbers 1000 to 1422: duchies up to 1262, then kingdoms and
// the other built-in realms, "NONE" at 1401, "U000".."U019" and "REBE" last.
#pragma once

// Countries 1 to 999 are the counties, tagged "C%03d" after their province.
inline constexpr int kFirstCounty = 1;
inline constexpr int kLastCounty = 999;
inline constexpr int kFirstBuiltInCountry = 1000;
inline constexpr int kFirstKingdomCountry = 1263;
inline constexpr int kBuiltInCountryTagCount = 423;

extern const char* const kBuiltInCountryTags[kBuiltInCountryTagCount];
