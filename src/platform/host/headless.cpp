// The headless switch, decided from the video driver that SDL is told to use.
#include "platform/host/headless.h"

#include <cstdlib>
#include <cstring>

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

enum class Decision { kUndecided, kWindowed, kHeadless };
Decision gDecision = Decision::kUndecided;

} // namespace

void DecideHeadless()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    gDecision
        = driver != nullptr && std::strcmp(driver, "dummy") == 0 ? Decision::kHeadless : Decision::kWindowed;
}

bool IsHeadless()
{
    if (gDecision == Decision::kUndecided)
        DecideHeadless();
    return gDecision == Decision::kHeadless;
}

} // namespace Ravel
