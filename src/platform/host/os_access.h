// The host lock and the host's sleeping, usable from every layer without pulling in the game loop.
#pragma once

namespace Ravel {

// Sleeps the calling thread; delivers no events. 0 returns at once.
void giveOSTime(long milliseconds);
// Take and give back the host lock, which the main thread holds while the game runs.
void beginOSAccess();
void endOSAccess();
// Asks the game window wrapper for its wait display.
void startWaitState();
// The game's quit hook of this system: ends the process at once with exit status 1, no clean-up.
[[noreturn]] void defaultGameQuitHandler();

} // namespace Ravel
