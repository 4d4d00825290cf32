// The console's cheat switches that the global game state reads.
#pragma once

#include <cstdint>

struct CRZCheats {
    // A fantasy game: saved as "desc" = "fantasy" in the global data and set again when that is read.
    static int32_t _isFantasy;
    // The console command "paranoia": the daily consistency checks run while it is set.
    static int32_t _isParanoia;
};
