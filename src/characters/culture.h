// CRZCulture and CRZReligion: the 50 cultures and six religions of characters, provinces and realms, with
// their tags, display names, the troop-sprite and export mappings and their keywords in the data language.
#pragma once

#include <cstdint>

#include "datalang/token.h"
#include "events/record_types.h"

// Cultures are the numbers 0 (none) to 49, in the order of the culture table.
enum RZCultureType : int32_t {
    CULTURE_NONE = 0,
    CULTURE_NORSE = 46,
    CULTURE_TEMPLAR = 47,
    CULTURE_TEUTONIC = 48,
    CULTURE_HOSPITALER = 49,
};
inline constexpr int kCultureCount = 50;

enum RZReligionType : int32_t {
    RELIGION_CATHOLIC = 0,
    RELIGION_ORTHODOX = 1,
    RELIGION_MUSLIM = 2,
    RELIGION_JEWISH = 3,
    RELIGION_PAGAN = 4,
    RELIGION_NONE = 5,
};

// Every query takes any number: a culture outside 0..49 has the tag and name of none, maps to 0 and is
// pagan, except MapRZ2Culture, which hands it back unchanged.
class CRZCulture {
public:
    // The culture's word in scenario files and the "db" tables.
    static const char* GetTag(int culture);
    // The localised name, owned by the text database.
    static const char* GetName(int culture);
    // The first culture whose tag is the text, letter case ignored; 0 (none) when none is.
    static RZCultureType Which(const char* text);
    // Cultures whose people are drawn dark.
    static bool IsDark(int culture);
    // The culture whose troop sprites the culture's armies use.
    static RZCultureType MapUnitCulture(int culture);
    // The culture's tag and number in the exported scenario's format.
    static const char* GetRZ2Tag(int culture);
    static RZCultureType MapRZ2Culture(int culture);
    static RZReligionType GetDefaultReligion(int culture);
};

class CRZReligion {
public:
    // The keyword of religions 0 to 4 ("muslim" for 2); "none" for any other number.
    static CRZTokenType GetToken(int religion);
    // The religion of a keyword: "muslim" and "moslem" give 2; any other keyword gives none.
    static RZReligionType FindType(int token);
    // The religion of a word, letter case ignored, "moslem" and "muslim" both 2; none for any other word.
    static RZReligionType Which(const char* text);
    // The localised name, owned by the text database; every religion outside 0..3 is named pagan.
    static const char* GetName(int religion);
};
