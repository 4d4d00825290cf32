// The countdown of the player's information texts.
#include "player/player_info_timer.h"

#include <algorithm>

#include "events/game_clock.h"

#include "foundation/safeguards.h"

std::int32_t CPlayerInfoTimer::Now()
{
    return gpTimer ? gpTimer->GetAnimationTicks() : 0;
}

CPlayerInfoTimer::CPlayerInfoTimer(int seconds, const char* text)
    : mEnd(gpTimer ? Now() + std::max(seconds, 0) * kInfoTimerTicksPerSecond : 0)
    , mText(text ? text : "")
{
}

bool CPlayerInfoTimer::Update()
{
    return !gpTimer || Now() >= mEnd;
}

int CPlayerInfoTimer::GetSecondsLeft() const
{
    if (!gpTimer)
        return 0;
    const std::int32_t left = mEnd - Now();
    return left <= 0 ? 0 : (left + kInfoTimerTicksPerSecond - 1) / kInfoTimerTicksPerSecond;
}
