// The row layout of the culture table.
#pragma once

#include "characters/culture.h"

struct CCultureRow {
    const char* tag;
    const char* nameKey;
    RZCultureType unitCulture;
    const char* rz2Tag;
    RZCultureType rz2Culture;
    RZReligionType defaultReligion;
};

extern const CCultureRow kCultureTable[kCultureCount];
