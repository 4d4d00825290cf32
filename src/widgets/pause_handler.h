// CRZPauseHandler: the local view of a paused game: in single player the clock stops at once; in a
// multiplayer game an opening countdown runs first, then a 30-second countdown before the pause may be
// lifted by anyone, and the pausing player may not pause again for 5 game days. It prints the caption.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "gfx/drawable.h"

class CPlayerInfoTimer;
class CRZPlayer;

inline constexpr const char* kPauseFontFile = "gfx\\fonts\\proformaB12.bmp";
// Game days before the pausing player of a multiplayer game may pause again.
inline constexpr int kPauseAgainDays = 5;
// Seconds of the countdown before anyone may lift a multiplayer pause.
inline constexpr int kPauseRemovalSeconds = 30;

class CRZPauseHandler : public CDrawable {
public:
    // Not paused, in the opening phase, allowed to pause. The player is the local controller (not owned).
    explicit CRZPauseHandler(CRZPlayer* player);
    ~CRZPauseHandler() override;

    bool IsPause() const { return mPaused != 0; }
    // The pause, unpause and pause-again events, and any other event to the running countdown.
    int Update(CRZEvent* event) override;
    // The lifting of a pause and the countdowns alone, for callers that route events here only while
    // the game is paused.
    int UpdatePause(CRZEvent* event);
    // The caption, or in the opening countdown the text of "PAUSETIMEOUT", centred at (590, 40); nothing
    // while the end-of-year report is shown. 0.
    int Draw(CRZDrawType type) override;

    int GetPausingPlayer() const { return mPausingPlayer; }
    bool MayPause() const { return mMayPause != 0; }
    bool IsAnswered() const { return mAnswered != 0; }
    int GetPhase() const { return mPhase; }
    const std::string& GetCaption() const { return mCaption; }
    const CPlayerInfoTimer* GetCountdown() const { return mCountdown.get(); }
    // What Draw prints now; empty for nothing.
    std::string GetShownText() const;

    static constexpr int kCaptionX = 590;
    static constexpr int kCaptionY = 40;

private:
    // Steps 4 and 5: the end of the opening countdown, and the removal countdown.
    void RunCountdown(CRZEvent* event);

    std::int32_t mPausingPlayer = 0;
    std::int32_t mPaused = 0;
    std::int32_t mMayPause = 1;
    std::int32_t mAnswered = 0;
    std::int32_t mPhase = 1;
    std::string mCaption;
    [[maybe_unused]] CRZPlayer* mPlayer;
    std::unique_ptr<CPlayerInfoTimer> mCountdown;
};
