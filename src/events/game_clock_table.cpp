// The game clock's pace: ticks of 15 ms per game day for each game speed setting, slowest first.
#include "events/game_clock.h"

#include "foundation/safeguards.h"

// 7680 ms a day at the slowest setting, 90 ms at the fastest.
const int32_t GameSpeed[kGameSpeedCount] = { 512, 266, 133, 67, 34, 17, 11, 6 };
