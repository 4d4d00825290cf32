// CPlayerInfoTimer: a countdown in the game clock's animation ticks (70 a second), which run while game
// time is stopped, so a paused game still counts down; its text is what the countdown is shown for.
#pragma once

#include <cstdint>
#include <string>

inline constexpr int kInfoTimerTicksPerSecond = 70;

class CPlayerInfoTimer {
public:
    // Starts now; without a clock it is over at once. The text (may be null) is copied.
    CPlayerInfoTimer(int seconds, const char* text);

    // True once the clock's tick count has reached the end (and from then on).
    bool Update();
    // Whole seconds left, rounded up; 0 once over.
    int GetSecondsLeft() const;
    const std::string& GetText() const { return mText; }

private:
    static std::int32_t Now();

    std::int32_t mEnd;
    std::string mText;
};
