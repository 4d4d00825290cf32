// CCountryDB, the country-tag registry: a tag, display name, map colour, nationality and flag palette for
// every country number, built from "db\country.csv" at start-up and kept for the whole run.
#pragma once

#include <cstdint>

#include "events/record_types.h"
#include "foundation/identity.h"
#include "gfx/palette.h"

class CCountryDB {
public:
    CCountryDB();
    // Colour 0, no nationality, an empty name and flag.
    CCountryDB(const char* tag, CRZCountryID number);
    // Copies the tag and the number only: colour, nationality and flag stay.
    CCountryDB& operator=(const CCountryDB& other);
    CCountryDB(const CCountryDB&) = delete;

    // Builds every record from the counties, the built-in tags and "db\country.csv", and installs the tag
    // lookup of the data language. A row naming an unknown tag or culture, or a flag palette that cannot
    // be read, stops it: "Error in DB" with the file's line goes to standard error, every record is as it
    // was before and the answer is false, on which start-up ends. A table without its "END" row is read
    // to its end with a warning.
    static bool Init();
    // Each county takes the culture of its province, where the map has made it.
    static void SetNationality();

    // The number of the first record carrying the tag, letter case ignored; 0 when none does.
    static CRZCountryID TagToID(const char* tag);
    // The tag of the number; "NONE" outside 0..1422. The registry owns the text.
    static const char* IDToTag(CRZCountryID id);
    // The name field of the number; "" outside 0..1422.
    static const char* IDToName(int id);
    // For a county the bare province name ("PROV%d"), without the "COUNTY_OF" text; else IDToName.
    static const char* IDToSimpleName(CRZCountryID id);
    // The map colour number of a colour name, letter case ignored; 18 for a name outside the table.
    static int GetColor(const char* name);

    // Makes the flag palette from the base flag palette, the bottom palette's colours in entries 2 to 141
    // and the top palette's in 142 to 255, each read as "flag_top_<top>.bmp" and "flag_bottom_<bottom>.bmp".
    void SetPalette(const char* top, const char* bottom);

    char tag[256];
    char name[256];
    CRZCountryID number;
    int32_t color;
    // A culture number; 0 for none.
    int32_t nationality;
    CPalette flagPalette;
};

// Indexed by country number.
extern CCountryDB DBCountries[kCountryTableSlots];
