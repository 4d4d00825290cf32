// The row layout of the culture table.
#pragma once

#include "characters/culture.h"

struct CCultureRow {
    const char* tag;
    const char* nameKey;
    int32_t unitCulture;
    const char* rz2Tag;
    int32_t rz2Culture;
    RZReligionType defaultReligion;
};

extern const CCultureRow kCultureTable[kCultureCount];
