// Whether the game runs without a window: the one answer every part of the platform asks for.
#pragma once

namespace Ravel {

// Decides from SDL_VIDEODRIVER ("dummy" is headless) before SDL starts, so that the answer holds before
// and after SDL_Init alike. The host calls it once at start; a later call decides anew, as a test that
// changes the driver between runs needs.
void DecideHeadless();

// Headless: no window is made, presents do nothing, surfaces live in memory only and message boxes
// take their default answer. Decided at the first call when the host has not decided yet.
bool IsHeadless();

} // namespace Ravel
