// CRZCheats: the console's cheat switches (0 or 1), read by the game code of every subsystem.
#pragma once

#include <cstdint>

struct CRZCheats {
    // A fantasy game: saved as "desc" = "fantasy" in the global data and set again when that is read.
    static int32_t _isFantasy;
    // The console command "paranoia": the daily consistency checks run while it is set.
    static int32_t _isParanoia;
    // Scripted events are polled every day.
    static int32_t _isEveryDayEventCheck;
    static int32_t _isTotalControl;
    static int32_t _isShowID;
    static int32_t _isHandsOff;
    // No fog of war.
    static int32_t _isNoFOW;
    // Diplomacy and intrigues always succeed.
    static int32_t _isDiploCheat;
    static int32_t _isNoRevolts;
    // The computer opponents declare no war.
    static int32_t _isNoWar;
    // Not set by the console.
    static int32_t _isNoLimits;
};
