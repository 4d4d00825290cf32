// The pause protocol as this machine sees it, and the pause caption.
#include "widgets/pause_handler.h"

#include "app/game.h"
#include "events/event_posting.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/text_format.h"
#include "gfx/font.h"
#include "player/player_info_timer.h"
#include "text/new_text.h"
#include "widgets/interface.h"
#include "widgets/player_hooks.h"

#include "foundation/safeguards.h"

CWidgetPlayerHooks gWidgetPlayerHooks;

namespace {

int LocalPlayer()
{
    return gWidgetPlayerHooks.GetLocalPlayer ? gWidgetPlayerHooks.GetLocalPlayer() : 0;
}

int PauseNumber(CRZEvent* event)
{
    auto* pause = dynamic_cast<CRZPauseEvent*>(event);
    return pause ? pause->Record().value : -1;
}

void StopClock()
{
    if (gpTimer)
        gpTimer->SetRunning(false);
}

} // namespace

CRZPauseHandler::CRZPauseHandler(CRZPlayer* player)
    : mPlayer(player)
{
}

CRZPauseHandler::~CRZPauseHandler() = default;

int CRZPauseHandler::Update(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    if (mPaused) {
        if (type == _CRZEVT_UNPAUSE_) {
            mPaused = 0;
            mPhase = 1;
            if (gpTimer)
                gpTimer->RestartTimer();
            mCountdown.reset();
            return UPDATE_TAKEN;
        }
        return UpdatePause(event);
    }
    if (type == _CRZEVT_PAUSEADD_) {
        if (PauseNumber(event) != LocalPlayer())
            return UPDATE_NOT_TAKEN;
        mMayPause = 1;
        if (gWidgetPlayerHooks.EnablePauseButton)
            gWidgetPlayerHooks.EnablePauseButton();
        return UPDATE_TAKEN;
    }
    if (type != _CRZEVT_PAUSE_)
        return UPDATE_NOT_TAKEN;
    mPausingPlayer = PauseNumber(event);
    mAnswered = 0;
    if (CRZGame::IsMultiPlayer()) {
        mPhase = 1;
        mCountdown = std::make_unique<CPlayerInfoTimer>(0, nullptr);
    } else {
        mCaption = TextStrings.GetString("PAUSE");
        StopClock();
    }
    mPaused = 1;
    return UPDATE_TAKEN;
}

int CRZPauseHandler::UpdatePause(CRZEvent* event)
{
    if (event->GetType() == _CRZEVT_PAUSE_ && (PauseNumber(event) == mPausingPlayer || !mCountdown)) {
        PostGlobalEvent(new CRZPauseEvent(_CRZEVT_UNPAUSE_, LocalPlayer()));
        return UPDATE_TAKEN;
    }
    RunCountdown(event);
    return UPDATE_NOT_TAKEN;
}

void CRZPauseHandler::RunCountdown(CRZEvent* event)
{
    if (!mCountdown)
        return;
    if (mPhase == 1) {
        if (!mCountdown->Update())
            return;
        StopClock();
        if (LocalPlayer() == mPausingPlayer) {
            mMayPause = 0;
            CDate again = event->GetDate();
            again.AddDays(kPauseAgainDays);
            ScheduleLocalEvent(new CRZPauseEvent(_CRZEVT_PAUSEADD_, LocalPlayer()), again);
            mCaption = TextStrings.GetString("PAUSE");
        }
        mPhase = 0;
        mCountdown = std::make_unique<CPlayerInfoTimer>(kPauseRemovalSeconds, nullptr);
        return;
    }
    if (!mCountdown->Update()) {
        mCaption = FormatDataText(TextStrings.GetString("PAUSEREMOVAL"), { mCountdown->GetSecondsLeft() });
        return;
    }
    mCaption = TextStrings.GetString("PAUSE");
    mCountdown.reset();
    mAnswered = 1;
}

std::string CRZPauseHandler::GetShownText() const
{
    const bool holding = gWidgetPlayerHooks.IsHolding && gWidgetPlayerHooks.IsHolding();
    if (!mPaused && !holding)
        return std::string();
    if (mPhase == 1 && mCountdown)
        return FormatDataText(TextStrings.GetString("PAUSETIMEOUT"), { mCountdown->GetSecondsLeft() });
    return mCaption;
}

int CRZPauseHandler::Draw(CRZDrawType)
{
    if (gInterfaceReceivers.IsEndOfYearShown && gInterfaceReceivers.IsEndOfYearShown())
        return 0;
    const std::string text = GetShownText();
    CFont* font = gpFontDB ? gpFontDB->GetFont(kPauseFontFile) : nullptr;
    if (text.empty() || !font || !pBackBuffer)
        return 0;
    font->PrintDropCenter(text.c_str(), kCaptionX, kCaptionY, pBackBuffer, 0xFFFF);
    return 0;
}
